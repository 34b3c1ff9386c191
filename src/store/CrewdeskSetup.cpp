#include "store/CrewdeskSetup.h"

#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

namespace rotaplan {

namespace {

namespace fs = std::filesystem;

// The marker holds what the delete needs to be done again from any point: the year, the team
// deleted, the old count, whether the folders are already renumbered, and the new list.
struct TeamDelete {
    std::string year;
    int deleted = 0;
    int oldCount = 0;
    bool renumbered = false;
    std::vector<std::string> teams;
};

void WriteMarker(CrewdeskVariables& v, const TeamDelete& d) {
    using namespace supportfile;
    const fs::path marker = ProgramPath(v, TeamDeleteMarker);
    std::string bytes = QuotedLine(d.year, marker) + NumberLine(d.deleted) +
                        NumberLine(d.oldCount) + FlagLine(d.renumbered);
    for (const auto& team : d.teams)
        bytes += QuotedLine(team, marker);
    disk::WriteFileAtomic(marker, bytes);
}

TeamDelete ReadMarker(CrewdeskVariables& v) {
    using namespace supportfile;
    const fs::path marker = ProgramPath(v, TeamDeleteMarker);
    const auto lines = SplitLines(disk::ReadWholeFile(marker));
    if (lines.size() < 4)
        throw StoreError(marker, "read", "it holds " + std::to_string(lines.size()) + " lines");
    TeamDelete d{ParseQuoted(lines[0], marker, 1),
                 static_cast<int>(ParseNumber(lines[1], marker, 2)),
                 static_cast<int>(ParseNumber(lines[2], marker, 3)),
                 ParseFlag(lines[3], marker, 4),
                 {}};
    for (std::size_t i = 4; i < lines.size(); ++i)
        d.teams.push_back(ParseQuoted(lines[i], marker, static_cast<int>(i) + 1));
    return d;
}

// Each step looks at what is already done, so running this again after a stop is safe.
void CarryOut(CrewdeskVariables& v, TeamDelete d) {
    auto folder = [&](int team) { return ProgramPath(v, TeamFolderName(d.year, team)); };
    const std::string parked = TeamFolderName(d.year, d.deleted) + " deleted";
    if (!d.renumbered) {
        // Parked first, so that a renamed folder is never taken for the deleted one.
        if (disk::FolderExists(folder(d.deleted)) && !disk::FolderExists(ProgramPath(v, parked)))
            disk::RenameFolder(folder(d.deleted), ProgramPath(v, parked));
        for (int m = d.deleted + 1; m <= d.oldCount; ++m)
            if (disk::FolderExists(folder(m)) && !disk::FolderExists(folder(m - 1)))
                disk::RenameFolder(folder(m), folder(m - 1));
        for (int m = 1; m < d.oldCount; ++m)
            disk::CreateFolder(folder(m));
        d.renumbered = true;
        WriteMarker(v, d);
    }
    SaveTextList(v, AssigntoFile, d.teams);
    if (disk::FolderExists(ProgramPath(v, parked))) {
        KillIfExists(v, parked + "\\*.*");
        disk::RemoveFolder(ProgramPath(v, parked));
    }
    disk::RemoveFile(ProgramPath(v, TeamDeleteMarker));
}

} // namespace

void FillTeamLists(CrewdeskVariables& v) {
    v.TeamList.Assign({v.Assignments.begin() + 1, v.Assignments.end()});
}

void MakeFolder(CrewdeskVariables& v, int team) {
    disk::CreateFolder(ProgramPath(v, TeamFolderName(v.CurrentYear, team)));
}

void PurgeFolder(CrewdeskVariables& v, int deleted, int oldCount,
                 const std::vector<std::string>& teams) {
    const TeamDelete d{v.CurrentYear, deleted, oldCount, false, teams};
    // Day changes recorded before it name folders by their old numbers: none is made again.
    JournalEntry renumbered;
    renumbered.kind = JournalEntry::Kind::TeamDelete;
    renumbered.date = RunDate(v);
    Journal(v, renumbered);
    WriteMarker(v, d);
    CarryOut(v, d);
}

void FinishPurgeFolder(CrewdeskVariables& v) {
    if (disk::FileExists(ProgramPath(v, TeamDeleteMarker)))
        CarryOut(v, ReadMarker(v));
}

} // namespace rotaplan
