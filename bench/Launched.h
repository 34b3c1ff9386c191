// Wall time since the benchmark script started this process: the script passes its clock
// (date +%s%N) in ROTAPLAN_LAUNCHED_NS, so process creation and library loading count too.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace rotaplan::bench {

inline void PrintSinceLaunch(const char* what) {
    const char* launched = std::getenv("ROTAPLAN_LAUNCHED_NS");
    if (!launched)
        return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec - std::atoll(launched);
    std::printf("%s %lld\n", what, ns / 1000);
}

} // namespace rotaplan::bench
