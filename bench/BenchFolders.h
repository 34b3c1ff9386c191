// The generated folders the benchmarks run on (see README.md), each overridable by a
// variable of the environment.
#pragma once

#include <cstdlib>
#include <filesystem>

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

} // namespace rotaplan::bench
