// Every file-changing operation, stopped dead before each of its writes, renames and deletes
// in turn: the next start-up must leave a folder whose files agree and each of which holds
// its old or its new content.
#include "store/Archive.h"
#include "store/CommonDiskRoutines.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/Repair.h"
#include "store/Reset.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace rotaplan::test {
namespace {

using V = CrewdeskVariables;
using Path = const fs::path;

const Date Booked{2026, 12, 2}; // when the folder's slips were booked
const Date Today{2026, 12, 4};  // day 338

// A folder as two days of work leave it: two teams, slips past and ahead, a backup, a drive.
void Prepare(const fs::path& root) {
    const fs::path folder = root / "prog";
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
    WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
    V v(folder);
    StartUp(v, Booked);
    Book(v, 1, {2026, 12, 3}, 0, 2); // past by Today
    Book(v, 2, {2026, 12, 7}, 3, 1);
    Book(v, 1, {2026, 12, 7}, 1, 3);
    Book(v, 2, {2027, 1, 5}, 0, 1);
    BackupFiles(v);
    fs::create_directories(root / "drive");
    Archive(v, root / "drive", folder / "rotaplan");
    Book(v, 1, {2026, 12, 8}, 5, 2);
    V later(folder);
    StartUp(later, Today);
    BackupFiles(later);
    WriteCleanEnd(later); // the journal's checkpoint
}

// An operation, in the steps after each of which the operator may find the folder.
struct Scenario {
    const char* name;
    std::vector<std::function<void(V&, Path& root)>> steps;
    // A deleted team leaves slips whose numbers name another team or none: their hours are
    // not where the numbers point.
    bool teamsKept = true;
    Date restart = Today; // the day of the next start-up
};

fs::path Program(const V& v) {
    return v.ProgramFolder / "rotaplan";
}

const std::vector<Scenario>& Scenarios() {
    static const std::vector<Scenario> scenarios = {
        {"Booking", {[](V& v, Path&) {
             Book(v, 2, {2026, 12, 9}, 2, 3);
         }}},
        {"Delete", {[](V& v, Path&) { DeleteRecord(v, 2); }}},
        {"Reschedule", // cancelled half-way, the old booking stays deleted
         {[](V& v, Path&) { DeleteRecord(v, 1); },
          [](V& v, Path&) {
              Book(v, 1, {2026, 12, 10}, 0, 1);
          }}},
        {"RemovalRewrite", {[](V& v, Path&) { RemoveSlip(v, 3); }}},
        {"MovePastSlipsAndPurgeDays",
         {[](V& v, Path&) {
             EnsureYearFolders(v, Date{2026, 12, 8});
             PurgePastDays(v, Locale);
         }},
         true,
         {2026, 12, 8}},
        {"Backup", {[](V& v, Path&) { BackupFiles(v); }}},
        {"BookingsThenExit", // the backup appends, the checkpoint sums on
         {[](V& v, Path&) {
              Book(v, 2, {2026, 12, 9}, 2, 3);
          },
          [](V& v, Path&) {
              BackupFiles(v);
              WriteCleanEnd(v);
          }}},
        {"MoveThenExit", // the completed slips' copy appends
         {[](V& v, Path&) {
              EnsureYearFolders(v, Date{2026, 12, 8});
              PurgePastDays(v, Locale);
          },
          [](V& v, Path&) {
              BackupFiles(v);
              WriteCleanEnd(v);
          }},
         true,
         {2026, 12, 8}},
        {"Restore", {[](V& v, Path&) { RestoreFiles(v); }}},
        {"Archive", {[](V& v, Path& root) { Archive(v, root / "drive", Program(v)); }}},
        {"Reinstall", {[](V& v, Path& root) { Reinstall(v, root / "drive", Program(v)); }}},
        {"SetupSaves",
         {[](V& v, Path&) {
              SaveTextList(v, ProblemCodeFile, {"Leak", "No heat"});
          },
          [](V& v, Path&) { PurgeFolder(v, 1, 2, {"South"}); },
          [](V& v, Path&) { SaveSettings(v); }},
         false},
        {"Reset", {[](V& v, Path&) { ResetSchedules(v, Today); }}},
    };
    return scenarios;
}

// Every file under the root but the journal, which records the way and not the result; a day
// with every hour free counts as no file.
std::map<std::string, std::string> Contents(const fs::path& root) {
    auto files = FilesUnder(root);
    std::erase_if(files, [](const auto& file) {
        return file.second == Day({}) || file.first.ends_with("Journal.log");
    });
    return files;
}

void Copy(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive);
}

// How the k-th change of the disk is stopped: the process dies, or the change fails (a full
// disk, a read-only folder) and the operation goes on as its error handling says.
enum class Stop { Crash, Fault };

// Runs the scenario in a child process, stopped at its k-th change of the disk.
// True when the scenario finished without reaching it.
bool RunStoppedAt(int k, Stop stop, const Scenario& scenario, std::size_t steps,
                  const fs::path& root) {
    const pid_t child = fork();
    if (child == 0) {
        V v(root / "prog");
        StartUp(v, Today);
        int seen = 0;
        disk::SetFaultHook([&](disk::Operation, const fs::path& file) {
            if (++seen != k)
                return;
            if (stop == Stop::Crash)
                _exit(3);
            throw StoreError(file, "write", "No space left on device");
        });
        try {
            for (std::size_t step = 0; step < steps; ++step)
                scenario.steps[step](v, root);
        } catch (const StoreError&) {
            _exit(seen >= k ? 3 : 4);
        }
        _exit(::testing::Test::HasFailure() ? 4 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 4) << "the scenario itself failed";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Crash : public ::testing::TestWithParam<std::tuple<Scenario, Stop>> {};

TEST_P(Crash, EveryStopPointRecoversToTheOldOrTheNewFiles) {
    const auto& [scenario, stop] = GetParam();
    TempFolder work;
    const fs::path base = work / "base", stopped = work / "stopped";
    Prepare(base);

    // Where the operator may find the folder: before, between the steps, after; each as the
    // next start-up leaves it.
    std::vector<std::map<std::string, std::string>> states;
    for (std::size_t steps = 0; steps <= scenario.steps.size(); ++steps) {
        const fs::path end = work / ("state" + std::to_string(steps));
        Copy(base, end);
        ASSERT_TRUE(RunStoppedAt(0, stop, scenario, steps, end));
        if (steps == scenario.steps.size()) {
            ASSERT_NE(Contents(base), Contents(end)) << "the scenario changes nothing";
        }
        V v(end / "prog");
        StartUp(v, scenario.restart);
        states.push_back(Contents(end));
    }

    int k = 1;
    for (;; ++k) {
        Copy(base, stopped);
        if (RunStoppedAt(k, stop, scenario, scenario.steps.size(), stopped))
            break;
        V v(stopped / "prog");
        StartUp(v, scenario.restart);
        const std::string where =
            std::string(scenario.name) +
            (stop == Stop::Crash ? " killed at change " : " failing change ") + std::to_string(k);
        ExpectConsistent(stopped / "prog", scenario.restart, scenario.teamsKept, where);
        for (const auto& [name, bytes] : Contents(stopped)) {
            // The next archive replaces what a stopped one left on the drive.
            if (name.starts_with("drive/") && name.ends_with(".new"))
                continue;
            EXPECT_TRUE(std::any_of(states.begin(), states.end(),
                                    [&](const auto& state) {
                                        const auto it = state.find(name);
                                        return it != state.end() && it->second == bytes;
                                    }))
                << where << ": " << name << " holds neither an old nor a new content";
        }
        for (const auto& [name, bytes] : states.front())
            EXPECT_TRUE(fs::exists(stopped / name) ||
                        std::any_of(states.begin(), states.end(),
                                    [&](const auto& state) { return !state.count(name); }))
                << where << ": " << name << " is lost";
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GT(k, 1) << "no change of the disk was ever stopped";
}

INSTANTIATE_TEST_SUITE_P(Operations, Crash,
                         ::testing::Combine(::testing::ValuesIn(Scenarios()),
                                            ::testing::Values(Stop::Crash, Stop::Fault)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Stop::Crash ? "Killed" : "Failing");
                         });

} // namespace
} // namespace rotaplan::test
