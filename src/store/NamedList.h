#pragma once

#include <functional>
#include <string>
#include <vector>

namespace rotaplan {

// A list of names that several forms display; each view subscribes and redraws on change.
class NamedList {
public:
    using Listener = std::function<void()>;

    const std::vector<std::string>& Items() const { return items_; }
    void Assign(std::vector<std::string> items);
    void Clear() { Assign({}); }
    void Subscribe(Listener listener) { listeners_.push_back(std::move(listener)); }

private:
    std::vector<std::string> items_;
    std::vector<Listener> listeners_;
};

} // namespace rotaplan
