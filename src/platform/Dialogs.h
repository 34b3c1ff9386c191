#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QPagedPaintDevice;

namespace rotaplan {

enum class Paper { A4, Letter };
// The margins of every page of ours, printed or saved as PDF, in millimetres.
inline constexpr double PageMarginMm = 15;

// The desktop's dialog that asks where to save a file.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // The file chosen, offered first under the suggested name in the operator's documents
    // folder; nullopt when the operator cancels. The filter reads "PDF files (*.pdf)".
    virtual std::optional<std::filesystem::path> SaveAs(const std::string& title,
                                                        const std::string& suggestedName,
                                                        const std::string& filter) = 0;
};

// The desktop's print preview and printer choice. The pages are painted by `paint`, as often
// as the preview needs them, on whatever paper the operator ends up with.
class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // False when the operator closes it without printing. The title names the print job.
    virtual bool Print(const std::string& title, Paper paper,
                       const std::function<void(QPagedPaintDevice&)>& paint) = 0;
};

} // namespace rotaplan
