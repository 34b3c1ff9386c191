#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rotaplan {

// The files hold Windows-1252 bytes; the program's strings are UTF-8.
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252; like
// Windows itself we carry them as the C1 controls U+0081 etc. so every byte reads back.

std::string Cp1252ToUtf8(std::string_view bytes);

// nullopt when the text holds a character Windows-1252 cannot store, or is not UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The first character of the text that Windows-1252 cannot store, as UTF-8; empty if none.
std::string FirstUnstorable(std::string_view utf8);
// The lower case of a Windows-1252 byte: ASCII, the Latin-1 capitals and Š Œ Ž Ÿ.
char FoldCase(char cp1252);

} // namespace rotaplan
