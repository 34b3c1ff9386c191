#include "store/CompletedSlips.h"

#include "store/CommonDiskRoutines.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <charconv>

namespace rotaplan {

namespace {

CompletedRow RowOf(const CrewdeskVariables& v, const SlipRecord& record) {
    return {record.Trimmed(SlipField::Date), record.Trimmed(SlipField::SANumber),
            record.Trimmed(SlipField::Name), AssignedToText(v, record.Get(SlipField::Team))};
}

JournalEntry DeletionEntry(const CrewdeskVariables& v) {
    JournalEntry e;
    e.kind = JournalEntry::Kind::CompletedDelete;
    e.date = RunDate(v);
    return e;
}

} // namespace

CompletedRows::CompletedRows(const CrewdeskVariables& v) : v_(v) {
    const auto file = ProgramPath(v, CompletedSlipsFile);
    if (!disk::FileExists(file))
        return;
    file_ = std::make_unique<disk::ReadHandle>(file);
    count_ = static_cast<std::int32_t>(file_->Length() / SlipRecordLength);
}

CompletedRow CompletedRows::Row(std::int32_t r) {
    return RowOf(v_, Record(r));
}

void CompletedRows::Toggle(std::int32_t r) {
    if (!marks_.erase(r))
        marks_.emplace(r, Record(r));
}

const SlipRecord& CompletedRows::Record(std::int32_t r) {
    const std::int32_t first = r - (r - 1) % BlockRecords;
    auto block = std::find_if(blocks_.begin(), blocks_.end(),
                              [&](const Block& b) { return b.first == first; });
    if (block == blocks_.end()) {
        block = std::min_element(blocks_.begin(), blocks_.end(),
                                 [](const Block& a, const Block& b) { return a.used < b.used; });
        block->first = first;
        block->records.assign(BlockRecords, SlipRecord());
        std::string bytes(BlockRecords * SlipRecordLength, ' ');
        try {
            const std::size_t got =
                file_->ReadAt(static_cast<std::uint64_t>(first - 1) * SlipRecordLength,
                              bytes.data(), bytes.size());
            for (std::size_t i = 0; i < got / SlipRecordLength; ++i)
                block->records[i].Assign(std::string_view(bytes).substr(i * SlipRecordLength));
        } catch (const StoreError&) {
            // A row the file no longer gives shows blank; a mark on it can only be refused.
        }
    }
    block->used = ++reads_;
    return block->records[static_cast<std::size_t>(r - first)];
}

std::string AssignedToText(const CrewdeskVariables& v, std::string_view teamField) {
    const std::string text = Trim(teamField);
    if (text.empty())
        return "(no team)";
    int team = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), team);
    if (ec == std::errc{} && end == text.data() + text.size() && team >= 1 && team <= v.TeamCount())
        return v.Assignments[static_cast<std::size_t>(team)];
    return "(team " + text + ")";
}

void DeleteSelectedCompletions(CrewdeskVariables& v, const CompletedRows& shown) {
    CloseAllFiles(v);
    const auto file = ProgramPath(v, CompletedSlipsFile);
    if (!disk::FileExists(file))
        return;
    JournalEntry deleted = DeletionEntry(v);
    {
        SlipFile completed(file);
        const std::string operation = "delete the selected records of";
        if (completed.Count() != shown.Count())
            throw StoreError(file, operation,
                             "it now holds " + std::to_string(completed.Count()) +
                                 " records, not the " + std::to_string(shown.Count()) +
                                 " shown; nothing was deleted");
        for (const auto& [r, record] : shown.Marks()) {
            if (completed.Read(r) != record)
                throw StoreError(file, operation,
                                 "record " + std::to_string(r) +
                                     " is no longer the one shown; nothing was deleted");
            deleted.completedRemoved.emplace_back(record.Bytes().data(), SlipRecordLength);
        }
    }
    Journal(v, deleted);
    try {
        RewriteRecordFile(v, CompletedSlipsFile, TemporaryFile,
                          [&](std::int32_t r, const SlipRecord&) { return !shown.Marked(r); });
    } catch (const StoreError&) {
        JournalAfterFailure(v, JournalEntry::Kind::Undone);
        throw;
    }
}

void DeleteAllCompletions(CrewdeskVariables& v) {
    JournalEntry deleted = DeletionEntry(v);
    ForEachRecord(ProgramPath(v, CompletedSlipsFile), [&](std::int32_t, const SlipRecord& record) {
        deleted.completedRemoved.emplace_back(record.Bytes().data(), SlipRecordLength);
    });
    Journal(v, deleted);
    try {
        KillIfExists(v, CompletedSlipsFile);
    } catch (const StoreError&) {
        JournalAfterFailure(v, JournalEntry::Kind::Undone);
        throw;
    }
}

} // namespace rotaplan
