#include "store/NamedList.h"

namespace rotaplan {

void NamedList::Assign(std::vector<std::string> items) {
    items_ = std::move(items);
    for (const auto& listener : listeners_)
        listener();
}

} // namespace rotaplan
