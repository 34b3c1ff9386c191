#include "frame/Lists.h"

#include "frame/Program.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace rotaplan {

bool Storable(Program& program, const QString& text, const char* what, StoredAs storedAs) {
    const std::string utf8 = FromQt(text);
    std::string problem;
    // DEL and the C1 controls too: a calendar file or a spreadsheet may not carry them.
    if (std::any_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
        }))
        problem = "cannot hold a line break, a tab or another control character.";
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
