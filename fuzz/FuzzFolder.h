#pragma once

// Each fuzz target writes its input as one file of a program folder of its own, then has the
// program read it. A damaged file may be refused with a StoreError; anything else that goes
// wrong (a crash, a sanitizer report, another exception) is a finding.
#include "store/CrewdeskVariables.h"
#include "store/Disk.h"
#include "store/StoreError.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace rotaplan::fuzz {

inline const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        // In memory where there is such a folder: the program flushes every file it writes.
        const std::filesystem::path shm = "/dev/shm";
        auto path =
            (std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
            ("rotaplan-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// A fresh folder holding just this file, written from the fuzzer's bytes.
inline void Holding(std::string_view relativeName, const std::uint8_t* data, std::size_t size) {
    for (const auto& entry : std::filesystem::directory_iterator(Folder()))
        std::filesystem::remove_all(entry.path());
    const auto file = disk::Resolve(Folder(), relativeName);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

template <class Read> int Refusing(Read read) {
    try {
        read();
    } catch (const StoreError&) {
        // a damaged file, told to the operator by name
    }
    return 0;
}

} // namespace rotaplan::fuzz
