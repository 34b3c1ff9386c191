#pragma once

#include "platform/Date.h"

namespace rotaplan {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
    Date Today() const { return Now().date; }
};

} // namespace rotaplan
