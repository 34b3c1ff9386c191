#include "store/CompletedSlips.h"

#include "store/CommonDiskRoutines.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <charconv>

namespace rotaplan {

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
        rows.push_back({record.Trimmed(SlipField::Date), record.Trimmed(SlipField::SANumber),
                        record.Trimmed(SlipField::Name),
                        AssignedToText(v, record.Get(SlipField::Team))});
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

void DeleteSelectedCompletions(CrewdeskVariables& v, const std::vector<bool>& marked) {
    CloseAllFiles(v);
    const auto file = ProgramPath(v, CompletedSlipsFile);
    if (!disk::FileExists(file))
        return;
    const std::int32_t count = SlipFile(file).Count();
    if (static_cast<std::size_t>(count) != marked.size())
        throw StoreError(file, "delete the selected records of",
                         "it now holds " + std::to_string(count) + " records, not the " +
                             std::to_string(marked.size()) + " shown; nothing was deleted");
    RewriteRecordFile(v, CompletedSlipsFile, TemporaryFile,
                      [&marked](std::int32_t r, const SlipRecord&) {
                          return !marked[static_cast<std::size_t>(r - 1)];
                      });
}

void DeleteAllCompletions(CrewdeskVariables& v) {
    KillIfExists(v, CompletedSlipsFile);
}

} // namespace rotaplan
