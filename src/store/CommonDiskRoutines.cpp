#include "store/CommonDiskRoutines.h"

#include "platform/Cp1252.h"
#include "store/CustomerIndex.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace rotaplan {

namespace fs = std::filesystem;

fs::path ProgramPath(const CrewdeskVariables& v, std::string_view relativeName) {
    return disk::Resolve(v.ProgramFolder, relativeName);
}

bool RecoverFile(CrewdeskVariables& v, std::string_view relativeName) {
    const fs::path file = ProgramPath(v, relativeName);
    if (disk::FileExists(file))
        return true;
    const fs::path copy = ProgramPath(v, "\\Backup" + std::string(relativeName));
    if (!disk::FileExists(copy))
        return false;
    disk::CopyFileAtomic(copy, file);
    if (PlaceOf(relativeName))
        ForgetCustomers(v);
    return true;
}

namespace {

bool ReadsBack(const fs::path& file, const std::function<void(const fs::path&)>& read) {
    try {
        read(file);
        return true;
    } catch (const StoreError&) {
        return false;
    }
}

} // namespace

void ReadOrRestore(CrewdeskVariables& v, std::string_view relativeName,
                   const std::function<void(const fs::path&)>& read) {
    const fs::path file = ProgramPath(v, relativeName);
    try {
        read(file);
    } catch (const StoreError& damaged) {
        const fs::path copy = ProgramPath(v, "\\Backup" + std::string(relativeName));
        if (!disk::FileExists(copy) || !ReadsBack(copy, read))
            throw;
        const std::string kept = KeepDamaged(file);
        disk::CopyFileAtomic(copy, file);
        v.Notices.push_back(std::string(damaged.what()) + ". Its backup copy took its place; " +
                            "the damaged file is kept as " + kept + ".");
    }
}

std::string KeepDamaged(const fs::path& file) {
    fs::path kept = file;
    kept += ".damaged";
    // A copy, not a rename: the file itself is never missing, even for a moment.
    disk::CopyFileAtomic(file, kept);
    return kept.filename().string();
}

void CheckSetupFiles(CrewdeskVariables& v) {
    v.FileFound = RecoverFile(v, AssigntoFile) && RecoverFile(v, ProblemCodeFile);
}

void KillIfExists(CrewdeskVariables& v, std::string_view relativeName) {
    CloseAllFiles(v);
    if (PlaceOf(relativeName))
        ForgetCustomers(v);
    const fs::path target = ProgramPath(v, relativeName);
    // A linked folder on the way would lead the deletes out of the program folder.
    disk::RefuseLinks(v.ProgramFolder, target.parent_path());
    const std::string name = target.filename().string();
    if (name.find_first_of("*?") == std::string::npos) {
        if (disk::FileExists(target))
            disk::RemoveFile(target);
        return;
    }
    // "*.*" means every file, also those without a dot.
    const std::string pattern = name == "*.*" ? "*" : name;
    for (const auto& file : disk::MatchingFiles(target.parent_path(), pattern))
        disk::RemoveFile(file);
}

namespace {

// Each line's text as far as it can be told: quotes dropped, blank lines skipped, and lines
// with control characters (never typed by anyone) counted in `lost` and left out.
std::vector<std::string> ReadableTexts(const fs::path& file, int& lost) {
    std::vector<std::string> texts;
    for (const auto& line : supportfile::SplitLines(disk::ReadWholeFile(file))) {
        std::string text;
        std::copy_if(line.begin(), line.end(), std::back_inserter(text),
                     [](char c) { return c != '"'; });
        text = Trim(text);
        if (text.empty())
            continue;
        if (std::any_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
            ++lost;
        else
            texts.push_back(Cp1252ToUtf8(text));
    }
    return texts;
}

// A list that does not read and has no readable backup copy: what can be read of it becomes
// the list, the damaged file is kept beside it, and Setup opens for the operator to check it.
std::vector<std::string> SalvageList(CrewdeskVariables& v, std::string_view relativeName,
                                     const char* listName, const StoreError& damaged) {
    const fs::path file = ProgramPath(v, relativeName);
    int lost = 0;
    const auto texts = ReadableTexts(file, lost);
    const std::string kept = KeepDamaged(file);
    supportfile::WriteTextList(file, texts);
    v.FilesMissing = true;
    v.Notices.push_back(std::string(damaged.what()) +
                        ", and there is no readable backup copy of it. Rotaplan keeps what it "
                        "could read (entries: " +
                        std::to_string(texts.size()) +
                        (lost ? "; unreadable lines left out: " + std::to_string(lost) : "") +
                        ") and opens Setup: please check the " + listName +
                        " there and save it. The damaged file is kept as " + kept + ".");
    return texts;
}

// Reads a team or problem list, its backup copy, or what can be read of it.
std::vector<std::string> ReadList(CrewdeskVariables& v, std::string_view relativeName,
                                  const char* listName) {
    std::vector<std::string> texts;
    try {
        ReadOrRestore(v, relativeName,
                      [&texts](const fs::path& file) { texts = supportfile::ReadTextList(file); });
    } catch (const StoreError& damaged) {
        texts = SalvageList(v, relativeName, listName, damaged);
    }
    return texts;
}

constexpr std::size_t MaxTeams = 2;

} // namespace

void LoadAssignments(CrewdeskVariables& v) {
    v.Assignments = {"empty"};
    v.FileFound = RecoverFile(v, AssigntoFile);
    if (!v.FileFound) {
        v.FilesMissing = true;
        return;
    }
    auto names = ReadList(v, AssigntoFile, "team list");
    if (names.size() > MaxTeams) {
        // The operator's file stays as written: only saving the list in Setup shortens it.
        v.Notices.push_back(ProgramPath(v, AssigntoFile).string() + " holds " +
                            std::to_string(names.size()) +
                            " teams, but Rotaplan works with two at most. It uses the first "
                            "two, " +
                            names[0] + " and " + names[1] +
                            "; the file stays as it is until the team list is saved in Setup.");
        names.resize(MaxTeams);
    }
    v.Assignments = {"populated"};
    v.Assignments.insert(v.Assignments.end(), names.begin(), names.end());
}

namespace {

void SetDefaultSettings(CrewdeskVariables& v) {
    v.StartHour = 8;
    v.WorkWeek = 5;
    v.SoundAlarms = true;
    v.ShowPrompts = true;
    v.ReservedFlag1 = false;
    v.ReservedFlag2 = false;
    v.ReservedNumber = 1;
}

long InRange(long value, long low, long high, const fs::path& file, int lineNumber) {
    if (value < low || value > high)
        throw StoreError(file, "read",
                         "line " + std::to_string(lineNumber) + " holds " + std::to_string(value) +
                             ", outside " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

void ReadSettings(CrewdeskVariables& v, const fs::path& file) {
    const auto lines = supportfile::SplitLines(disk::ReadWholeFile(file));
    if (lines.size() < 7)
        throw StoreError(file, "read",
                         "it holds " + std::to_string(lines.size()) + " lines instead of 7");
    using namespace supportfile;
    v.StartHour =
        static_cast<std::uint8_t>(InRange(ParseNumber(lines[0], file, 1), 0, 255, file, 1));
    v.WorkWeek =
        static_cast<std::uint8_t>(InRange(ParseNumber(lines[1], file, 2), 0, 255, file, 2));
    v.SoundAlarms = ParseFlag(lines[2], file, 3);
    v.ShowPrompts = ParseFlag(lines[3], file, 4);
    v.ReservedFlag1 = ParseFlag(lines[4], file, 5);
    v.ReservedFlag2 = ParseFlag(lines[5], file, 6);
    v.ReservedNumber = static_cast<std::int16_t>(
        InRange(ParseNumber(lines[6], file, 7), std::numeric_limits<std::int16_t>::min(),
                std::numeric_limits<std::int16_t>::max(), file, 7));
}

} // namespace

void LoadSettings(CrewdeskVariables& v) {
    v.FileFound = RecoverFile(v, SettingsFile);
    if (!v.FileFound) {
        SetDefaultSettings(v);
        SaveSettings(v);
        return;
    }
    try {
        ReadOrRestore(v, SettingsFile, [&v](const fs::path& file) { ReadSettings(v, file); });
    } catch (const StoreError& error) {
        SetDefaultSettings(v);
        v.Notices.push_back(std::string(error.what()) +
                            ". The default settings are in use until the Operations settings "
                            "are saved.");
    }
    CloseAllFiles(v);
}

void SaveSettings(CrewdeskVariables& v) {
    using namespace supportfile;
    const std::string bytes = NumberLine(v.StartHour) + NumberLine(v.WorkWeek) +
                              FlagLine(v.SoundAlarms) + FlagLine(v.ShowPrompts) +
                              FlagLine(v.ReservedFlag1) + FlagLine(v.ReservedFlag2) +
                              NumberLine(v.ReservedNumber);
    disk::WriteFileAtomic(ProgramPath(v, SettingsFile), bytes);
    CloseAllFiles(v);
}

void LoadProblems(CrewdeskVariables& v) {
    if (!RecoverFile(v, ProblemCodeFile)) {
        v.FilesMissing = true;
        return;
    }
    v.ProblemList.Assign(ReadList(v, ProblemCodeFile, "problem list"));
}

void SaveTextList(CrewdeskVariables& v, std::string_view relativeName,
                  const std::vector<std::string>& entries) {
    CloseAllFiles(v);
    const fs::path file = ProgramPath(v, relativeName);
    const std::string bytes = supportfile::TextListBytes(file, entries);
    // The journal knows the list as saved: an emptied or cut list is then told from a saved one.
    JournalEntry saved;
    saved.kind = JournalEntry::Kind::Saved;
    saved.date = RunDate(v);
    saved.sums.emplace_back(file.filename().string(), SumOf(bytes));
    Journal(v, saved);
    disk::WriteFileAtomic(file, bytes);
}

void PrepareFolders(CrewdeskVariables& v) {
    // The backup is wanted at the exit only: the work can go on without it.
    try {
        disk::CreateFolder(ProgramPath(v, "\\Backup"));
    } catch (const StoreError& error) {
        v.Notices.push_back(std::string(error.what()) +
                            ". Rotaplan works on, but can keep no backup copies until that "
                            "folder can be made.");
    }
    if (disk::FolderExists(ProgramPath(v, SlipsFile)))
        throw StoreError(ProgramPath(v, SlipsFile), "use",
                         "a folder stands where the file of booked call slips belongs; move it "
                         "away and start Rotaplan again");
    if (!disk::FileExists(ProgramPath(v, SlipsFile)))
        OpenSlipFile(v);
}

} // namespace rotaplan
