#include "frame/ExportFile.h"

#include "frame/Program.h"

namespace rotaplan {

std::optional<std::filesystem::path> AskExportFile(Program& program, const std::string& title,
                                                   const std::string& suggestedName,
                                                   const std::string& filter) {
    auto file = program.System().save.SaveAs(title, suggestedName, filter);
    if (!file)
        return file;
    std::error_code ec;
    const auto folder = std::filesystem::weakly_canonical(program.Variables().ProgramFolder, ec);
    const auto chosen = std::filesystem::weakly_canonical(*file, ec);
    const auto [end, at] =
        std::mismatch(folder.begin(), folder.end(), chosen.begin(), chosen.end());
    if (end != folder.end())
        return file;
    program.Ask(Lines({"Rotaplan keeps its own files in that folder:",
                       "please choose another one for the export."}));
    return std::nullopt;
}

} // namespace rotaplan
