#pragma once

#include <string>

namespace rotaplan {

// Tells whether another copy of the program runs on the same program folder.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // False only when another copy holds the claim; the claim lasts as long as the guard.
    virtual bool TryAcquire() = 0;
    // Why the last TryAcquire could not tell (a file system without locks); empty when it could.
    virtual std::string Unchecked() const = 0;
};

} // namespace rotaplan
