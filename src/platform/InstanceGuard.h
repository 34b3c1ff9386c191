#pragma once

namespace rotaplan {

// Tells whether another copy of the program runs on the same program folder.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True when this is the only copy; the claim lasts as long as the guard.
    virtual bool TryAcquire() = 0;
};

} // namespace rotaplan
