#include "store/SupportFile.h"

#include "platform/Cp1252.h"
#include "store/Disk.h"
#include "store/StoreError.h"

#include <charconv>

namespace rotaplan::supportfile {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

[[noreturn]] void Damaged(const fs::path& file, int lineNumber, const std::string& what) {
    throw StoreError(file, "read", "line " + std::to_string(lineNumber) + " is not " + what);
}

} // namespace

std::string QuotedLine(std::string_view text, const fs::path& file) {
    if (text.find('"') != std::string_view::npos)
        throw StoreError(file, "write",
                         "a double quote cannot be stored in \"" + std::string(text) + "\"");
    if (text.find_first_of("\r\n") != std::string_view::npos)
        throw StoreError(file, "write", "a line break cannot be stored in one line");
    const auto bytes = Utf8ToCp1252(text);
    if (!bytes)
        throw StoreError(file, "write",
                         "the character \"" + FirstUnstorable(text) + "\" cannot be stored");
    return "\"" + *bytes + "\"\r\n";
}

std::string NumberLine(long number) {
    return std::to_string(number) + "\r\n";
}

std::string FlagLine(bool flag) {
    return flag ? "#TRUE#\r\n" : "#FALSE#\r\n";
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::string ParseQuoted(std::string_view line, const fs::path& file, int lineNumber) {
    const auto value = TrimBlanks(line);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"' ||
        value.substr(1, value.size() - 2).find('"') != std::string_view::npos)
        Damaged(file, lineNumber, "a quoted text");
    return Cp1252ToUtf8(value.substr(1, value.size() - 2));
}

long ParseNumber(std::string_view line, const fs::path& file, int lineNumber) {
    const auto value = TrimBlanks(line);
    long number = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || ec != std::errc{} || end != value.data() + value.size())
        Damaged(file, lineNumber, "a whole number");
    return number;
}

bool ParseFlag(std::string_view line, const fs::path& file, int lineNumber) {
    const auto value = TrimBlanks(line);
    if (value == "#TRUE#")
        return true;
    if (value == "#FALSE#")
        return false;
    Damaged(file, lineNumber, "#TRUE# or #FALSE#");
}

std::vector<std::string> ReadTextList(const fs::path& file) {
    auto lines = SplitLines(disk::ReadWholeFile(file));
    // Blank lines at the end are what an editor leaves, not values.
    while (!lines.empty() && TrimBlanks(lines.back()).empty())
        lines.pop_back();
    std::vector<std::string> texts;
    texts.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        texts.push_back(ParseQuoted(lines[i], file, static_cast<int>(i) + 1));
    return texts;
}

std::string TextListBytes(const fs::path& file, const std::vector<std::string>& texts) {
    std::string bytes;
    for (const auto& text : texts)
        bytes += QuotedLine(text, file);
    return bytes;
}

void WriteTextList(const fs::path& file, const std::vector<std::string>& texts) {
    disk::WriteFileAtomic(file, TextListBytes(file, texts));
}

} // namespace rotaplan::supportfile
