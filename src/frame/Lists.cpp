#include "frame/Lists.h"

#include "frame/Program.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace rotaplan {

bool Storable(Program& program, const QString& text, const char* what, StoredAs storedAs) {
    const std::string utf8 = FromQt(text);
    std::string problem;
    if (std::any_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0 && c < ' '; }))
        problem = "cannot hold a line break or a tab.";
    else if (storedAs == StoredAs::QuotedLine && utf8.find('"') != std::string::npos)
        problem = "cannot hold a double quote (\").";
    else if (const std::string bad = FirstUnstorable(utf8); !bad.empty())
        problem = "cannot hold the character \"" + bad + "\".";
    if (problem.empty())
        return true;
    program.Ask(std::string(what) + " " + problem +
                "\r\nPlease type it without; nothing "
                "was saved.");
    return false;
}

} // namespace rotaplan
