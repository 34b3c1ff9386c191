#include "store/CompletedSlips.h"

#include "store/CommonDiskRoutines.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

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

std::vector<CompletedRow> ReadCompletedRows(CrewdeskVariables& v) {
    CloseAllFiles(v);
    std::vector<CompletedRow> rows;
    const auto file = ProgramPath(v, CompletedSlipsFile);
    if (!disk::FileExists(file))
        return rows;
    SlipFile completed(file);
    rows.reserve(static_cast<std::size_t>(completed.Count()));
    SlipRecord record;
    for (std::int32_t r = 1; r <= completed.Count(); ++r) {
        completed.Read(r, record);
        rows.push_back(RowOf(v, record));
    }
    return rows;
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

void DeleteSelectedCompletions(CrewdeskVariables& v, const std::vector<CompletedRow>& shown,
                               const std::vector<bool>& marked) {
    CloseAllFiles(v);
    const auto file = ProgramPath(v, CompletedSlipsFile);
    if (!disk::FileExists(file))
        return;
    const std::int32_t count = SlipFile(file).Count();
    const std::string operation = "delete the selected records of";
    if (static_cast<std::size_t>(count) != shown.size())
        throw StoreError(file, operation,
                         "it now holds " + std::to_string(count) + " records, not the " +
                             std::to_string(shown.size()) + " shown; nothing was deleted");
    JournalEntry deleted = DeletionEntry(v);
    ForEachRecord(file, [&](std::int32_t r, const SlipRecord& record) {
        const auto i = static_cast<std::size_t>(r - 1);
        if (RowOf(v, record) != shown[i])
            throw StoreError(file, operation,
                             "record " + std::to_string(r) +
                                 " is no longer the one shown; nothing was deleted");
        if (marked[i])
            deleted.completedRemoved.emplace_back(record.Bytes().data(), SlipRecordLength);
    });
    Journal(v, deleted);
    try {
        RewriteRecordFile(v, CompletedSlipsFile, TemporaryFile,
                          [&](std::int32_t r, const SlipRecord&) {
                              return !marked[static_cast<std::size_t>(r - 1)];
                          });
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
