#include "platform/fake/FakePlatform.h"

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

} // namespace rotaplan::fake
