#include "exports/ZipArchive.h"

#include "store/StoreError.h"

#include <algorithm>
#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#include <limits>
#include <thread>
#include <utility>
#include <vector>
#include <zlib.h>

namespace rotaplan {

namespace {

// A piece per core compresses while the caller makes the next; more would only wait.
std::size_t MostInFlight() {
    static const std::size_t most = std::max(2u, std::thread::hardware_concurrency());
    return most;
}
// A final block of fixed codes holding nothing: ends a stream of sync-flushed pieces.
constexpr std::string_view EmptyFinalBlock("\x03\x00", 2);

void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Entry headers carry 1 January 1980, the earliest time a zip entry has.
constexpr std::uint16_t DosDate = (0 << 9) | (1 << 5) | 1;
constexpr std::uint16_t DataDescriptorFollows = 0x0008;
constexpr std::uint16_t Deflated = 8;
constexpr std::uint16_t Version = 20;

} // namespace

ZipArchive::ZipArchive(disk::WriteHandle& out) : out_(out) {
    piece_.reserve(PieceSize + PieceSize / 8);
}

ZipArchive::~ZipArchive() = default;

void ZipArchive::Write(std::string_view bytes) {
    out_.Append(bytes);
    written_ += bytes.size();
}

void ZipArchive::Add(std::string_view name, std::string_view content) {
    Begin(name);
    piece_.append(content);
    End();
}

void ZipArchive::Begin(std::string_view name) {
    entries_.push_back({std::string(name), written_, 0, 0, 0});
    std::string header;
    Put(header, 0x04034b50, 4);
    Put(header, Version, 2);
    Put(header, DataDescriptorFollows, 2);
    Put(header, Deflated, 2);
    Put(header, 0, 2); // time
    Put(header, DosDate, 2);
    header.append(12, '\0'); // checksum and sizes: in the data descriptor
    Put(header, name.size(), 2);
    Put(header, 0, 2);
    header += name;
    Write(header);
}

void ZipArchive::Flush() {
    if (piece_.size() < PieceSize)
        return;
    std::string next;
    next.reserve(PieceSize + PieceSize / 8);
    Hand(std::exchange(piece_, std::move(next)));
}

void ZipArchive::Hand(std::string piece) {
    if (inFlight_.size() >= MostInFlight())
        Collect();
    inFlight_.push_back(std::async(std::launch::async, [piece = std::move(piece)] {
        Compressed done;
        done.length = piece.size();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(piece.data());
        const auto length = static_cast<std::uint32_t>(piece.size());
        // ISA-L's checksum and fastest level run several times quicker than zlib's; the
        // deflated size is alike.
        done.crc = crc32_gzip_refl(0, bytes, length);
        // Fully flushed, the piece ends on a byte boundary without a final block and needs no
        // history of the one before, so the pieces of an entry join into one stream.
        std::vector<std::uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
        isal_zstream z;
        isal_deflate_stateless_init(&z);
        z.level = 1;
        z.level_buf = levelBuffer.data();
        z.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
        z.flush = FULL_FLUSH;
        z.end_of_stream = 0;
        z.next_in = const_cast<std::uint8_t*>(bytes);
        z.avail_in = length;
        // At worst stored blocks: the bytes and a few of header per 64 KiB.
        done.bytes.resize(piece.size() + piece.size() / 1024 + 2 * ISAL_DEF_MAX_HDR_SIZE);
        z.next_out = reinterpret_cast<std::uint8_t*>(done.bytes.data());
        z.avail_out = static_cast<std::uint32_t>(done.bytes.size());
        if (isal_deflate_stateless(&z) != COMP_OK)
            throw std::bad_alloc();
        done.bytes.resize(done.bytes.size() - z.avail_out);
        return done;
    }));
}

void ZipArchive::Collect() {
    Compressed done = inFlight_.front().get();
    inFlight_.pop_front();
    Entry& entry = entries_.back();
    entry.crc = static_cast<std::uint32_t>(
        crc32_combine(entry.crc, done.crc, static_cast<z_off_t>(done.length)));
    entry.length += done.length;
    entry.compressed += done.bytes.size();
    Write(done.bytes);
}

void ZipArchive::End() {
    if (!piece_.empty())
        Hand(std::exchange(piece_, std::string()));
    piece_.reserve(PieceSize + PieceSize / 8);
    while (!inFlight_.empty())
        Collect();
    Entry& entry = entries_.back();
    Write(EmptyFinalBlock);
    entry.compressed += EmptyFinalBlock.size();
    constexpr std::uint64_t Most = std::numeric_limits<std::uint32_t>::max();
    if (entry.length > Most || entry.compressed > Most || written_ > Most)
        throw StoreError(out_.File(), "write", "the workbook would pass 4 GiB");
    std::string descriptor;
    Put(descriptor, 0x08074b50, 4);
    Put(descriptor, entry.crc, 4);
    Put(descriptor, entry.compressed, 4);
    Put(descriptor, entry.length, 4);
    Write(descriptor);
}

void ZipArchive::Close() {
    const std::uint64_t start = written_;
    std::string directory;
    for (const Entry& entry : entries_) {
        Put(directory, 0x02014b50, 4);
        Put(directory, Version, 2); // made by
        Put(directory, Version, 2);
        Put(directory, DataDescriptorFollows, 2);
        Put(directory, Deflated, 2);
        Put(directory, 0, 2);
        Put(directory, DosDate, 2);
        Put(directory, entry.crc, 4);
        Put(directory, entry.compressed, 4);
        Put(directory, entry.length, 4);
        Put(directory, entry.name.size(), 2);
        directory.append(8, '\0'); // extra, comment, disk, internal attributes
        Put(directory, 0, 4);      // external attributes
        Put(directory, entry.offset, 4);
        directory += entry.name;
    }
    const std::size_t size = directory.size();
    Put(directory, 0x06054b50, 4);
    Put(directory, 0, 4); // this disk, the directory's disk
    Put(directory, entries_.size(), 2);
    Put(directory, entries_.size(), 2);
    Put(directory, size, 4);
    Put(directory, start, 4);
    Put(directory, 0, 2); // comment
    Write(directory);
}

} // namespace rotaplan
