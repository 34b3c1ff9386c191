// Messages of a benchmarked start (a generated folder holds more slips than its days have
// hours) are printed, not waited for.
#pragma once

#include "platform/MessageBox.h"

#include <cstdio>

namespace rotaplan::bench {

struct PrintedMessages : MessageBox {
    MessageAnswer Show(const std::string& text, const std::string&, MessageButtons) override {
        std::fprintf(stderr, "notice: %.200s\n", text.c_str());
        return MessageAnswer::Ok;
    }
};

} // namespace rotaplan::bench
