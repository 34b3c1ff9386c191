#pragma once

#include "store/CrewdeskVariables.h"
#include "store/Disk.h"
#include "store/SlipRecord.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace rotaplan {

inline constexpr const char* SlipsFile = "\\Slips.txt";
inline constexpr const char* TempFile = "\\Temp.txt";

// An open record file (Slips.txt, CompletedSlips.txt). Reads ahead while read in order,
// so a full scan is sequential I/O in large blocks and a single read stays one record.
class SlipFile {
public:
    explicit SlipFile(const std::filesystem::path& file); // creates an empty file if missing

    std::int32_t Count() const { return count_; }
    // Bytes after the last whole record (a torn write); never read as a record.
    std::uint64_t TrailingBytes() const { return trailing_; }
    SlipRecord Read(std::int32_t recordNumber); // 1..Count()
    void Read(std::int32_t recordNumber, SlipRecord& into);
    const std::filesystem::path& File() const { return handle_.File(); }

private:
    disk::ReadHandle handle_;
    std::int32_t count_ = 0;
    std::uint64_t trailing_ = 0;
    std::string buffer_;
    std::int64_t bufferFirst_ = 0; // record number of buffer_'s first record
    std::size_t readAhead_ = 1;    // records fetched by the next read that misses

    std::string_view Fetch(std::int32_t recordNumber);
};

// Opens Slips.txt (creating it empty), sets SlipCount and NextSlip.
void OpenSlipFile(CrewdeskVariables& v);
// Reads record n of the open slip file into the record buffer.
void ReadSlip(CrewdeskVariables& v, std::int32_t recordNumber);
// Writes the record buffer as record SlipCount + 1 (never reading or rewriting the rest),
// flushed before it returns; all files closed afterwards.
void AppendSlip(CrewdeskVariables& v, std::int32_t& recordNumber);

// Rebuilds a record file through a scratch file, keeping the records the predicate accepts
// in their order; the scratch file then replaces the file in one rename.
using KeepRecord = std::function<bool(std::int32_t recordNumber, const SlipRecord&)>;
void RewriteRecordFile(CrewdeskVariables& v, std::string_view relativeName,
                       std::string_view scratchName, const KeepRecord& keep);
// Hands each record of a record file to use, in order; a missing file has none.
void ForEachRecord(const std::filesystem::path& file,
                   const std::function<void(std::int32_t recordNumber, const SlipRecord&)>& use);
// The removal rewrite of one slip through Temp.txt.
void RemoveSlip(CrewdeskVariables& v, std::int32_t recordNumber);
// Renames Temp.txt onto the target, replacing it in one step.
void RenameTempFile(CrewdeskVariables& v, std::string_view targetName);

} // namespace rotaplan
