#pragma once

#include "platform/Date.h"
#include "store/CrewdeskVariables.h"
#include "store/Slots.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The record of what the program itself wrote. Every operation that changes the record files
// or day files first appends one checksummed entry with the whole records it adds or removes
// and the day entries it sets; a clean exit, once the backup is complete, starts the journal
// anew from a checkpoint that names the files as they then are. From the checkpoint's copies
// and the entries, a start knows byte for byte what each record file must hold.
namespace rotaplan {

inline constexpr const char* JournalFile = "\\Journal.log";
// CompletedSlips.txt as the last checkpoint left it: the base its entries are replayed on.
inline constexpr const char* CompletedCopyFile = "\\Backup\\Completed\\CompletedSlips.txt";
// The journal that led from Backup\Previous\Slips.txt to the checkpoint after it.
inline constexpr const char* PreviousJournalFile = "\\Backup\\Previous\\Journal.log";

// Length and checksum of a file's bytes; equal sums mean equal bytes.
struct FileSum {
    std::uint64_t length = 0;
    std::uint64_t hash = 0;
    bool operator==(const FileSum&) const = default;
};
FileSum SumOf(std::string_view bytes);
// A missing file sums as an empty one.
FileSum SumOfFile(const std::filesystem::path& file);
// The sum of the file's first `length` bytes (of all, when it is shorter).
FileSum SumOfStart(const std::filesystem::path& file, std::uint64_t length);
// The sum of a file that grew: `before` is the sum of its first before.length bytes, which
// are taken as unchanged; only the last few of them and what follows are read.
FileSum SumOfGrown(const std::filesystem::path& file, const FileSum& before);

struct DayChange {
    std::string path; // program-relative day file
    std::array<std::string, DayEntryCount> before, after;
};

// The day file at `path` going from one set of entries (as DaySlots holds them) to another.
DayChange ChangeOf(const std::string& path, const std::array<std::string, 13>& before,
                   const std::array<std::string, 13>& after);

// Record numbers first to last, both included; runs are kept ascending and apart.
using RecordRun = std::pair<std::int32_t, std::int32_t>;

// Runs as text, "3-7,9-9": a day's move of a million slips stays short.
std::string RunsText(const std::vector<RecordRun>& runs);
// False for anything but ascending runs apart from each other.
bool ParseRuns(std::string_view text, std::vector<RecordRun>& runs);

struct JournalEntry {
    enum class Kind : char {
        Checkpoint = 'C',
        Book = 'B',
        Delete = 'D',
        CompletedDelete = 'K',
        Move = 'M',
        Replace = 'X', // restore, re-install, reset: Slips.txt replaced whole
        Undone = 'U',  // the last operation failed and took its records back
        Saved = 'S',   // a team or problem list saved
        Offered = 'O', // the bookings a replace left out were put to the operator
        TeamDelete = 'T',
        Pending = 'P', // day changes of an operation that failed half-way, still to be made
        Reset = 'Z',   // Slips.txt and the days of the entry's year and the next erased
    };
    Kind kind = Kind::Checkpoint;
    Date date;
    std::vector<std::string> slipsAdded, slipsRemoved, completedAdded, completedRemoved;
    // Move: the record numbers of the slips that went from Slips.txt as it stood to the end
    // of CompletedSlips.txt (the replay knows their bytes).
    std::vector<RecordRun> slipsMoved;
    std::optional<std::string> slipsReplaced; // the new content of Slips.txt
    std::vector<std::string> offered;         // bookings a replace left out
    std::vector<DayChange> days;
    std::vector<std::pair<std::string, FileSum>> sums; // Checkpoint, Saved: file name, sum
    std::string dateForm; // Checkpoint: how the slips' dates are written
};

struct JournalRead {
    std::vector<JournalEntry> entries;
    std::uint64_t validLength = 0; // bytes up to the end of the last whole entry
    bool torn = false;             // bytes after it that are no whole entry
};
JournalRead ReadJournal(const std::filesystem::path& file);

// Appends the entry, flushed to disk, before the operation changes anything. Throws
// StoreError; an operation whose entry cannot be written must not go on.
void Journal(CrewdeskVariables& v, const JournalEntry& entry);
// Best effort, for an operation that already failed (an Undone or Pending entry): a failure
// here leaves the next start to ask about what the journal and the files disagree on.
void JournalAfterFailure(CrewdeskVariables& v, JournalEntry::Kind kind,
                         std::vector<DayChange> days = {});
// The day the run started on, which its entries are dated by.
Date RunDate(const CrewdeskVariables& v);
// What the journal tells before anything else is read: the last day the program ran on and
// the date form its slips are written in (see CrewdeskVariables::DateForm); none without it.
struct JournalHead {
    std::optional<Date> lastRun;
    std::string dateForm;
};
JournalHead ReadJournalHead(const CrewdeskVariables& v);
// A booking's or deletion's entry for the record and the day file's change.
JournalEntry RecordEntry(JournalEntry::Kind kind, const Date& date, const SlipRecord& record,
                         const DayChange& day);

// The checkpoint of a clean exit: the journal moves beside Backup\Previous when the backup
// replaced its slip file, the completed slips are copied, and the journal starts anew.
void CheckpointJournal(CrewdeskVariables& v, const Date& today);

// What a record file must hold: its base (a file, or bytes) with the changes of the entries
// applied in order, as stages the records stream through.
struct ExpectStage;
struct Expectation {
    std::optional<std::filesystem::path> baseFile;
    std::shared_ptr<const std::string> baseBytes; // shared by the replays that start from it
    std::vector<std::shared_ptr<const ExpectStage>> stages;
};
struct ExpectStage {
    enum class Kind { Remove, Add, Drop, Take } kind = Kind::Add;
    std::vector<std::string> records; // Remove: each the first of its bytes; Add: at the end
    std::vector<RecordRun> positions; // Drop: the record numbers of the records it drops
    Expectation source;               // Take: Slips.txt up to the Drop whose records go to the end
};
// The first `count` entries applied to a base that holds no changes yet. The completed slips'
// replay needs Slips.txt's base for the slips a move took from it: none when it has a move
// and that base is not known.
std::optional<Expectation> Expect(Expectation base, const std::vector<JournalEntry>& entries,
                                  std::size_t count, bool completed,
                                  const Expectation* slipsBase = nullptr);
// A record file as it stands.
Expectation FileAsItIs(const std::filesystem::path& file);
// The expected bytes, written through a scratch file over the target.
void WriteExpected(const Expectation& e, const std::filesystem::path& target);
FileSum SumOfExpected(const Expectation& e);
// Whole records in either that the other lacks (both as record bytes).
struct RecordDiff {
    std::vector<std::string> missing, extra;
};
RecordDiff Compare(const Expectation& e, const std::filesystem::path& actual);

} // namespace rotaplan
