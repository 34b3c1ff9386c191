#pragma once

namespace rotaplan {

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

} // namespace rotaplan
