#include "store/SlipFile.h"

#include "store/CustomerIndex.h"
#include "store/StoreError.h"

#include <algorithm>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MaxReadAhead = 512; // records, about 128 KiB: stays in the cache
// Removed records the customer index follows one by one.
constexpr std::size_t MostFollowed = 1000;

const fs::path& CreatedIfMissing(const fs::path& file) {
    if (!disk::FileExists(file))
        disk::WriteFileAtomic(file, "");
    return file;
}

fs::path SlipsPath(const CrewdeskVariables& v) {
    return disk::Resolve(v.ProgramFolder, SlipsFile);
}

} // namespace

SlipFile::SlipFile(const fs::path& file) : handle_(CreatedIfMissing(file)) {
    const std::uint64_t length = handle_.Length();
    count_ = static_cast<std::int32_t>(length / SlipRecordLength);
    trailing_ = length % SlipRecordLength;
}

SlipRecord SlipFile::Read(std::int32_t recordNumber) {
    return SlipRecord::FromBytes(Fetch(recordNumber));
}

void SlipFile::Read(std::int32_t recordNumber, SlipRecord& into) {
    into.Assign(Fetch(recordNumber));
}

std::string_view SlipFile::Fetch(std::int32_t recordNumber) {
    if (recordNumber < 1 || recordNumber > count_)
        throw StoreError(File(), "read record " + std::to_string(recordNumber) + " of",
                         "the file holds " + std::to_string(count_) + " records");
    const std::int64_t buffered = static_cast<std::int64_t>(buffer_.size() / SlipRecordLength);
    if (recordNumber < bufferFirst_ || recordNumber >= bufferFirst_ + buffered) {
        // Reading on where the buffer ended is a scan: fetch more at a time.
        const bool sequential = buffered > 0 && recordNumber == bufferFirst_ + buffered;
        readAhead_ = sequential ? std::min(readAhead_ * 2, MaxReadAhead) : 1;
        const std::size_t records =
            std::min<std::size_t>(readAhead_, static_cast<std::size_t>(count_ - recordNumber + 1));
        buffer_.resize(records * SlipRecordLength);
        const std::uint64_t offset =
            static_cast<std::uint64_t>(recordNumber - 1) * SlipRecordLength;
        const std::size_t got = handle_.ReadAt(offset, buffer_.data(), buffer_.size());
        buffer_.resize(got - got % SlipRecordLength);
        bufferFirst_ = recordNumber;
        if (buffer_.empty())
            throw StoreError(File(), "read record " + std::to_string(recordNumber) + " of",
                             "the file became shorter while it was read");
    }
    const std::size_t at = static_cast<std::size_t>(recordNumber - bufferFirst_) * SlipRecordLength;
    return std::string_view(buffer_).substr(at, SlipRecordLength);
}

void OpenSlipFile(CrewdeskVariables& v) {
    v.SlipFileNumber.reset();
    v.SlipFileNumber = std::make_unique<SlipFile>(SlipsPath(v));
    v.SlipCount = v.SlipFileNumber->Count();
    v.NextSlip = v.SlipCount + 1;
}

void ReadSlip(CrewdeskVariables& v, std::int32_t recordNumber) {
    if (!v.SlipFileNumber)
        OpenSlipFile(v);
    v.SlipFileNumber->Read(recordNumber, v.RecordBuffer);
}

void AppendSlip(CrewdeskVariables& v, std::int32_t& recordNumber) {
    OpenSlipFile(v);
    recordNumber = v.NextSlip;
    const auto& bytes = v.RecordBuffer.Bytes();
    // Written at the record boundary, so a torn earlier append is overwritten, not kept.
    disk::WriteAt(SlipsPath(v), static_cast<std::uint64_t>(recordNumber - 1) * SlipRecordLength,
                  std::string_view(bytes.data(), bytes.size()));
    CloseAllFiles(v);
    if (v.Customers)
        v.Customers->Add(SlipPlace::Booked, v.RecordBuffer, recordNumber);
}

void RewriteRecordFile(CrewdeskVariables& v, std::string_view relativeName,
                       std::string_view scratchName, const KeepRecord& keep) {
    CloseAllFiles(v);
    const fs::path file = disk::Resolve(v.ProgramFolder, relativeName);
    const fs::path scratch = disk::Resolve(v.ProgramFolder, scratchName);
    disk::RemoveFile(scratch);
    if (!disk::FileExists(file))
        return;
    std::int64_t removed = 0;
    // What the customer index must drop; past a handful it is built again instead.
    const auto place = PlaceOf(relativeName);
    std::vector<RemovedRecord> dropped;
    bool followed = v.Customers && place;
    {
        SlipFile source(file);
        disk::WriteHandle out(scratch);
        for (std::int32_t i = 1; i <= source.Count(); ++i) {
            const SlipRecord record = source.Read(i);
            if (keep(i, record))
                out.Append(std::string_view(record.Bytes().data(), SlipRecordLength));
            else if (++removed; followed && (followed = dropped.size() < MostFollowed))
                dropped.emplace_back(i, record);
        }
        out.Commit();
    }
    disk::ReplaceWith(scratch, file);
    if (file == SlipsPath(v))
        v.Slips.removed += removed;
    CloseAllFiles(v);
    if (!followed)
        ForgetCustomers(v);
    if (v.Customers)
        v.Customers->Remove(*place, dropped);
}

void ForEachRecord(const fs::path& file,
                   const std::function<void(std::int32_t, const SlipRecord&)>& use) {
    if (!disk::FileExists(file))
        return;
    SlipFile slips(file);
    SlipRecord record;
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        use(i, record);
    }
}

void RemoveSlip(CrewdeskVariables& v, std::int32_t recordNumber) {
    RewriteRecordFile(v, SlipsFile, TempFile, [recordNumber](std::int32_t i, const SlipRecord&) {
        return i != recordNumber;
    });
}

void RenameTempFile(CrewdeskVariables& v, std::string_view targetName) {
    CloseAllFiles(v);
    disk::RenameFile(disk::Resolve(v.ProgramFolder, TempFile),
                     disk::Resolve(v.ProgramFolder, targetName));
}

} // namespace rotaplan
