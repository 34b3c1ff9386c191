#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace rotaplan {

class Program;

// Asks where an export goes. A file in the program folder is refused with a word to the
// operator, so no export can ever replace one of the program's own files.
std::optional<std::filesystem::path> AskExportFile(Program& program, const std::string& title,
                                                   const std::string& suggestedName,
                                                   const std::string& filter);

} // namespace rotaplan
