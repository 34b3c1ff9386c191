#pragma once

#include "platform/Date.h"
#include "store/NamedList.h"
#include "store/SlipRecord.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rotaplan {

class BackgroundCustomerIndex;
class SlipFile;

// The program-wide state, held in one object that every routine is handed.
struct CrewdeskVariables {
    explicit CrewdeskVariables(std::filesystem::path programFolder);
    ~CrewdeskVariables();

    std::filesystem::path ProgramFolder;
    // Where the executable stands: the program folder, unless the files are kept elsewhere.
    std::filesystem::path ExecutableFolder;

    // Team list: element 0 is "empty" or "populated", 1..n the team names.
    std::vector<std::string> Assignments{"empty"};
    int TeamCount() const { return static_cast<int>(Assignments.size()) - 1; }

    // Working options.
    std::uint8_t StartHour = 0;
    std::uint8_t WorkWeek = 0;
    bool SoundAlarms = false;
    bool ShowPrompts = false;
    bool ReservedFlag1 = false;
    bool ReservedFlag2 = false;
    std::int16_t ReservedNumber = 0;

    bool FilesMissing = false;
    bool FileFound = false;
    std::string TeamRoot; // program-relative: "\2026\Team#"

    // What the team and problem lists on the forms show.
    NamedList TeamList;
    NamedList ProblemList;

    // SA counter and slip file.
    std::string DayKey;
    std::int16_t NextSeq = 0;
    std::string CurrentSA;
    std::int32_t SlipCount = 0;
    std::int32_t NextSlip = 0;
    std::unique_ptr<SlipFile> SlipFileNumber; // open slip file, if any
    SlipRecord RecordBuffer;
    std::unique_ptr<BackgroundCustomerIndex> Customers; // read from start-up on, never written

    // Day schedule.
    std::string DayFilePath; // program-relative: "\2026\Team# 1\338.txt"
    std::array<std::string, 13> DaySlots;
    std::array<std::string, 13> TimeLabels; // 1..12 used
    std::string CurrentYear;
    std::int16_t DayOfYear = 0;

    std::int16_t Rescheduling = 0;

    // How the slips' dates are written: 3 February 2001 in that form ("2/3/2001"). Recorded
    // with the journal; empty where nobody said.
    std::string DateForm;

    // What the operator must be told about damage that did not stop the program.
    std::vector<std::string> Notices;

    // What the start-up check of the slip file decided, and what the exit needs of it.
    struct SlipTrust {
        bool lastEndClean = false; // the last run ended through the common exit
        bool quick = false;        // ... and no watched file changed since: no scans
        bool distrusted = false;   // found damaged and kept: nothing that depends on it changes
        bool replaced = false;     // restored, re-installed or reset during this run
        std::int32_t accepted = 0; // records of the slip file taken as the truth at start-up
        std::int64_t removed = 0;  // records this run removed from it since
        std::optional<Date> movedThrough;          // no slip of the slip file is dated before it
        std::uint64_t told = 0;                    // the slips without hours told of last
        std::map<std::string, std::string> stamps; // as the last clean end recorded them
        std::optional<std::uint64_t> journalEnd;   // where the next journal entry goes
        bool journalBroken = false;       // an entry could not be written: no checkpoint vouches
        bool backupReplacedSlips = false; // this exit's backup replaced Backup\Slips.txt
        bool backupAppendedSlips = false; // ... or appended what the slip file gained
        // An entry of this run did more than append to the file: its backup copy is no longer
        // the start of it.
        bool slipsRewritten = false, completedRewritten = false;
    } Slips;
};

// Closes every file the program holds open (only the slip file stays open between steps).
void CloseAllFiles(CrewdeskVariables& v);

} // namespace rotaplan
