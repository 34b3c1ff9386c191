#include "platform/fake/FakePlatform.h"

#include <QPageSize>
#include <QPdfWriter>
#include <stdexcept>

namespace rotaplan::fake {

MessageAnswer FakeMessageBox::Show(const std::string& text, const std::string& title,
                                   MessageButtons buttons) {
    shown.push_back({text, title, buttons});
    if (answers.empty())
        throw std::logic_error("unexpected message box: " + title + ": " + text);
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::filesystem::path>
FakeSaveDialog::SaveAs(const std::string&, const std::string& suggestedName, const std::string&) {
    suggested.push_back(suggestedName);
    return answer;
}

bool FakePrintDialog::Print(const std::string& title, Paper paper,
                            const std::function<void(QPagedPaintDevice&)>& paint) {
    papers.push_back(paper);
    titles.push_back(title);
    if (pdf.empty())
        return false;
    QPdfWriter writer(QString::fromStdString(pdf.string()));
    writer.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    paint(writer);
    return true;
}

} // namespace rotaplan::fake
