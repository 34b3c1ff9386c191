#pragma once

#include "store/Disk.h"

#include <cstdint>
#include <deque>
#include <future>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplan {

// A zip archive written front to back into a file: each entry deflated as its bytes come, in
// pieces compressed side by side on worker threads and joined in order into one stream; sizes
// and checksum follow each entry, the directory comes last. Entries stay under 4 GiB.
class ZipArchive {
public:
    explicit ZipArchive(disk::WriteHandle& out);
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;
    ~ZipArchive();

    void Add(std::string_view name, std::string_view content); // a whole entry
    void Begin(std::string_view name);
    // Where the current entry's next bytes go; Flush hands them on to be deflated once they
    // make a piece.
    std::string& Buffer() { return piece_; }
    void Flush();
    void End();
    void Close(); // writes the directory

private:
    static constexpr std::size_t PieceSize = 1u << 20;
    struct Compressed {
        std::string bytes;
        std::uint32_t crc = 0;
        std::size_t length = 0;
    };
    struct Entry {
        std::string name;
        std::uint64_t offset = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t length = 0;
    };
    void Write(std::string_view bytes);
    void Hand(std::string piece);
    void Collect(); // the oldest piece in flight, into the file

    disk::WriteHandle& out_;
    std::uint64_t written_ = 0;
    std::vector<Entry> entries_;
    std::string piece_;
    std::deque<std::future<Compressed>> inFlight_;
};

} // namespace rotaplan
