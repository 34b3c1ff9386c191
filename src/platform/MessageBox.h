#pragma once

#include <string>

namespace rotaplan {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The standard message box: text (lines joined by CR LF), title, buttons, no icon.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer Show(const std::string& text, const std::string& title,
                               MessageButtons buttons) = 0;
};

} // namespace rotaplan
