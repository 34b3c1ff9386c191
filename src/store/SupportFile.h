#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The line form of the small text files: one value per line, CR LF after each,
// texts in double quotes, numbers as bare digits, flags as #TRUE# / #FALSE#.
// Values are UTF-8 in memory and Windows-1252 on disk. Readers also take LF-only lines.
namespace rotaplan::supportfile {

namespace fs = std::filesystem;

// Throws StoreError (naming the file) for a double quote or a character Windows-1252
// cannot store.
std::string QuotedLine(std::string_view text, const fs::path& file);
std::string NumberLine(long number);
std::string FlagLine(bool flag);

std::vector<std::string> SplitLines(std::string_view bytes);
// Each throws StoreError naming the file and the 1-based line for a value that does not parse.
std::string ParseQuoted(std::string_view line, const fs::path& file, int lineNumber);
long ParseNumber(std::string_view line, const fs::path& file, int lineNumber);
bool ParseFlag(std::string_view line, const fs::path& file, int lineNumber);

// A whole file of quoted texts (team list, problem list, day file).
std::vector<std::string> ReadTextList(const fs::path& file);
void WriteTextList(const fs::path& file, const std::vector<std::string>& texts);
// The bytes WriteTextList writes.
std::string TextListBytes(const fs::path& file, const std::vector<std::string>& texts);

} // namespace rotaplan::supportfile
