#pragma once

#include <string>

namespace rotaplan {

// A question that deletes or erases has the button that keeps everything as its default, so
// that an Enter pressed in haste loses nothing.
enum class MessageButtons { Ok, OkCancel, YesNo, OkCancelDefaultCancel, YesNoDefaultNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The standard message box: text (lines joined by CR LF), title, buttons, no icon.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageAnswer Show(const std::string& text, const std::string& title,
                               MessageButtons buttons) = 0;
};

} // namespace rotaplan
