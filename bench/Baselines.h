// What the machine itself does with the same bytes, timed in the same process and run as the
// work it is the floor of, so a ratio never compares against another program's clock or
// flushes. Buffers are page-aligned: on this kind of machine a read into a buffer at the page
// offset malloc gives large blocks costs several times the CPU.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace rotaplan::bench {

inline constexpr std::size_t BaselineBlock = 1 << 20;

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The middle of the runs: one slow run of a loaded machine does not move it.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct FreeAligned {
    void operator()(char* p) const { std::free(p); }
};
using AlignedBuffer = std::unique_ptr<char[], FreeAligned>;

inline AlignedBuffer MakeAlignedBuffer(std::size_t size = BaselineBlock) {
    return AlignedBuffer(static_cast<char*>(std::aligned_alloc(4096, size)));
}

class Fd {
public:
    Fd(const std::filesystem::path& file, int flags) : fd_(::open(file.c_str(), flags, 0600)) {
        if (fd_ < 0)
            throw std::runtime_error("cannot open " + file.string());
    }
    ~Fd() { ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

inline void WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            throw std::runtime_error("write failed");
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// The whole file read once; returns the bytes read.
inline std::size_t ReadFileAligned(const std::filesystem::path& file) {
    const Fd in(file, O_RDONLY);
    const AlignedBuffer buffer = MakeAlignedBuffer();
    std::size_t total = 0;
    ssize_t n = 0;
    while ((n = ::read(in.get(), buffer.get(), BaselineBlock)) > 0)
        total += static_cast<std::size_t>(n);
    return total;
}

// A copy flushed to disk: only the copy is synced, not the whole system's dirty pages.
inline std::size_t CopyAndSync(const std::filesystem::path& from, const std::filesystem::path& to) {
    const Fd in(from, O_RDONLY);
    const Fd out(to, O_WRONLY | O_CREAT | O_TRUNC);
    const AlignedBuffer buffer = MakeAlignedBuffer();
    std::size_t total = 0;
    ssize_t n = 0;
    while ((n = ::read(in.get(), buffer.get(), BaselineBlock)) > 0) {
        WriteAll(out.get(), buffer.get(), static_cast<std::size_t>(n));
        total += static_cast<std::size_t>(n);
    }
    ::fsync(out.get());
    return total;
}

inline void WriteAndSync(const std::filesystem::path& file, std::string_view bytes) {
    const Fd out(file, O_WRONLY | O_CREAT | O_TRUNC);
    WriteAll(out.get(), bytes.data(), bytes.size());
    ::fsync(out.get());
}

// The peak resident memory from here on: VmHWM starts again at what is resident now.
inline void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// VmHWM: the peak resident memory since the start or the last ResetPeakMemory, in MB.
inline double PeakMemoryMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return 0;
}

} // namespace rotaplan::bench
