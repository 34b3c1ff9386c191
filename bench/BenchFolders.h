// The generated folders the benchmarks run on (see README.md), each overridable by a
// variable of the environment.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

namespace rotaplan::bench {

inline std::filesystem::path Folder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value ? std::filesystem::path(value) : std::filesystem::path(fallback);
}

inline std::filesystem::path LargeFolder() {
    return Folder("ROTAPLAN_BENCH_LARGE", "bench-data/n1000000");
}
inline std::filesystem::path MediumFolder() {
    return Folder("ROTAPLAN_BENCH_MEDIUM", "bench-data/n100000");
}
inline std::filesystem::path SmallFolder() {
    return Folder("ROTAPLAN_BENCH_SMALL", "bench-data/n1000");
}

inline double MaxRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace rotaplan::bench
