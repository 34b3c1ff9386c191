#include "store/Repair.h"

#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <type_traits>
#include <unordered_set>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t Listed = 12; // lines or items a box can show and still be read

template <class Item> std::string Capped(const std::vector<Item>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < Listed; ++i) {
        text += i == 0 ? "" : ", ";
        if constexpr (std::is_same_v<Item, std::string>)
            text += items[i];
        else
            text += std::to_string(items[i]);
    }
    if (items.size() > Listed)
        text += " and " + std::to_string(items.size() - Listed) + " more";
    return text;
}

bool Digits(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           value >= low && value <= high;
}

std::uint64_t HashOf(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

std::string_view BytesOf(const SlipRecord& record) {
    return {record.Bytes().data(), SlipRecordLength};
}

std::int32_t RecordsOf(const fs::path& file) {
    return disk::FileExists(file)
               ? static_cast<std::int32_t>(disk::FileLength(file) / SlipRecordLength)
               : 0;
}

// Every SA a day file of today or later holds, in any team's folder.
std::unordered_set<std::string> HeldAhead(const CrewdeskVariables& v, const Date& today) {
    std::unordered_set<std::string> held;
    for (int year : {today.year, today.year + 1})
        for (const auto& team : disk::SubFolders(ProgramPath(v, YearFolderName(year)))) {
            if (!team.filename().string().starts_with("Team# "))
                continue;
            for (const auto& file : disk::MatchingFiles(team, "*.txt")) {
                int day = 0;
                const std::string stem = file.stem().string();
                std::from_chars(stem.data(), stem.data() + stem.size(), day);
                if (day < 1 || (year == today.year && day < today.DayOfYear()))
                    continue;
                try {
                    for (auto& entry : supportfile::ReadTextList(file))
                        if (entry.starts_with("SA "))
                            held.insert(std::move(entry));
                } catch (const StoreError&) {
                    // the mend names a day file it cannot read
                }
            }
        }
    return held;
}

std::vector<std::string> WatchedNames(const CrewdeskVariables& v, int year) {
    std::vector<std::string> names;
    for (const char* name : CentralFiles) {
        names.push_back(std::string("\\") + name);
        names.push_back(std::string("\\Backup\\") + name);
    }
    for (const char* name :
         {CompletedSlipsFile, MoveMarkerFile, TeamDeleteMarker, TempFile, TemporaryFile})
        names.emplace_back(name);
    for (int y : {year, year + 1}) {
        const std::string folder = YearFolderName(y);
        names.push_back(folder);
        for (const auto& team : disk::SubFolders(ProgramPath(v, folder)))
            names.push_back(folder + "\\" + team.filename().string());
    }
    return names;
}

// The mark vouches for the files when it says the run ended cleanly and every watched file
// is as it recorded; anything unreadable vouches for nothing.
void ReadCleanEnd(CrewdeskVariables& v, const Date& today) {
    auto& trust = v.Slips;
    const fs::path mark = ProgramPath(v, CleanEndFile);
    if (!disk::FileExists(mark))
        return;
    std::vector<std::string> lines;
    try {
        lines = supportfile::SplitLines(disk::ReadWholeFile(mark));
    } catch (const StoreError&) {
    }
    disk::RemoveFile(mark);
    if (lines.size() < 3 || lines[0] != "clean")
        return;
    int year = 0, day = 0;
    if (std::sscanf(lines[1].c_str(), "moved %d %d", &year, &day) == 2 && year > 0 && day > 0)
        trust.movedThrough = Date{year, 1, 1}.AddDays(day - 1);
    trust.told =
        std::strtoull(lines[2].c_str() + std::min<std::size_t>(5, lines[2].size()), nullptr, 10);
    for (std::size_t i = 3; i < lines.size(); ++i)
        if (const auto bar = lines[i].find('|'); bar != std::string::npos)
            trust.stamps[lines[i].substr(0, bar)] = lines[i].substr(bar + 1);
    trust.lastEndClean = true;
    trust.quick = true;
    for (const auto& name : WatchedNames(v, today.year)) {
        const auto it = trust.stamps.find(name);
        trust.quick = trust.quick && it != trust.stamps.end() &&
                      it->second == disk::Stamp(ProgramPath(v, name));
    }
    if (!trust.quick)
        trust.movedThrough.reset();
}

} // namespace

bool HoldsCallSlip(const SlipRecord& record) {
    const std::string kind = record.Trimmed(SlipField::Kind);
    const std::string sa = record.Get(SlipField::SANumber);
    if (!kind.empty() && kind != "Service")
        return false;
    if (!sa.starts_with("SA "))
        return false;
    const std::string number = Trim(sa.substr(3));
    const auto dash = number.find('-');
    return dash != std::string::npos && number.find(' ') == std::string::npos &&
           Digits(std::string_view(number).substr(0, dash), 1, 366) &&
           Digits(std::string_view(number).substr(dash + 1), 1, 32767);
}

SlipFileCheck CheckSlipFile(CrewdeskVariables& v, const Date& today) {
    CloseAllFiles(v);
    SlipFileCheck check;
    check.lastEndClean = v.Slips.lastEndClean;
    const fs::path slips = ProgramPath(v, SlipsFile);
    if (disk::FileExists(slips)) {
        const std::uint64_t length = disk::FileLength(slips);
        check.records = static_cast<std::int32_t>(length / SlipRecordLength);
        check.trailing = length % SlipRecordLength;
    }
    // The SAs of both record files, hashed: a million slips cost 8 MB.
    std::vector<std::uint64_t> kept;
    ForEachRecord(slips, [&](std::int32_t i, const SlipRecord& record) {
        if (HoldsCallSlip(record))
            kept.push_back(HashOf(record.Trimmed(SlipField::SANumber)));
        else
            check.unreadable.push_back(i);
    });
    ForEachRecord(ProgramPath(v, CompletedSlipsFile), [&](std::int32_t, const SlipRecord& record) {
        if (HoldsCallSlip(record))
            kept.push_back(HashOf(record.Trimmed(SlipField::SANumber)));
    });
    std::sort(kept.begin(), kept.end());
    const auto held = HeldAhead(v, today);
    ForEachRecord(ProgramPath(v, std::string("\\Backup") + SlipsFile),
                  [&](std::int32_t, const SlipRecord& record) {
                      if (!HoldsCallSlip(record)) {
                          ++check.backupUnreadable;
                          return;
                      }
                      ++check.backupRecords;
                      const std::string sa = record.Trimmed(SlipField::SANumber);
                      if (std::binary_search(kept.begin(), kept.end(), HashOf(sa)))
                          return;
                      check.lost.push_back(sa);
                      check.lostWithHours += held.count(sa) ? 1 : 0;
                  });
    return check;
}

std::string DamageQuestion(const SlipFileCheck& check) {
    std::string text = "Slips.txt, the file of booked call slips, looks damaged:";
    if (check.records == 0)
        text += "\r\n- it holds no call slip at all, or is missing";
    if (!check.unreadable.empty())
        text += "\r\n- " + std::to_string(check.unreadable.size()) + " of its " +
                std::to_string(check.records) + " records are not call slips (records " +
                Capped(check.unreadable) + ")";
    if (check.trailing != 0)
        text +=
            "\r\n- it ends " + std::to_string(check.trailing) + " bytes past its last whole record";
    if (!check.lost.empty())
        text += "\r\n- " + std::to_string(check.lost.size()) +
                " call slips of its backup copy are missing from it and from the completed "
                "slips (" +
                Capped(check.lost) + "); " + std::to_string(check.lostWithHours) +
                " of them still hold hours in the schedules";
    text += "\r\nThe backup copy Backup\\Slips.txt holds " + std::to_string(check.backupRecords) +
            " call slips";
    if (check.backupUnreadable != 0)
        text += " and " + std::to_string(check.backupUnreadable) + " damaged records";
    text += ".\r\n\r\nYes: rebuild Slips.txt from the call slips of the backup copy and those "
            "only Slips.txt holds; the damaged file is kept as Slips.txt.damaged."
            "\r\nNo: keep Slips.txt as it is. Rotaplan then moves no past call slip, purges no "
            "past day, frees no hours and keeps the backup copy, until you take it at a later "
            "start.";
    return text;
}

std::string TakeBackupSlips(CrewdeskVariables& v) {
    CloseAllFiles(v);
    const fs::path slips = ProgramPath(v, SlipsFile), scratch = ProgramPath(v, TempFile);
    std::unordered_set<std::uint64_t> taken;
    int fromBackup = 0, fromDamaged = 0;
    {
        disk::WriteHandle out(scratch);
        const auto take = [&](const fs::path& file, int& count) {
            ForEachRecord(file, [&](std::int32_t, const SlipRecord& record) {
                if (HoldsCallSlip(record) && taken.insert(HashOf(BytesOf(record))).second) {
                    out.Append(BytesOf(record));
                    ++count;
                }
            });
        };
        take(ProgramPath(v, std::string("\\Backup") + SlipsFile), fromBackup);
        take(slips, fromDamaged);
        out.Commit();
    }
    if (disk::FileExists(slips))
        disk::CopyFileAtomic(slips, ProgramPath(v, DamagedSlipsFile));
    disk::ReplaceWith(scratch, slips);
    return "Slips.txt was rebuilt from its backup copy (" + std::to_string(fromBackup) +
           " call slips) and the " + std::to_string(fromDamaged) +
           " call slips only it still held; the damaged file is kept as Slips.txt.damaged.";
}

void CheckSlipsAtStart(CrewdeskVariables& v, const Date& today,
                       const std::function<bool(const std::string&)>& takeBackup) {
    try {
        ReadCleanEnd(v, today);
        if (!v.Slips.quick) {
            const SlipFileCheck check = CheckSlipFile(v, today);
            if (check.Damaged() && takeBackup(DamageQuestion(check)))
                v.Notices.push_back(TakeBackupSlips(v));
            else if (check.Damaged()) {
                v.Slips.distrusted = true;
                v.Notices.push_back(
                    "Slips.txt is damaged and kept as it is: no past call slip was moved, no "
                    "past day purged and no hours freed, and the backup copy stays as it is. "
                    "Start Rotaplan again to take the backup copy.");
            }
        }
    } catch (const StoreError&) {
        v.Slips.distrusted = true; // what cannot be read cannot be vouched for
        throw;
    }
    v.Slips.accepted = RecordsOf(ProgramPath(v, SlipsFile));
}

void WriteCleanEnd(CrewdeskVariables& v) {
    if (v.Slips.distrusted || v.CurrentYear.empty())
        return; // a start that did not reach the year folders vouches for nothing
    std::string bytes = "clean\r\n";
    const auto moved = v.Slips.replaced ? std::nullopt : v.Slips.movedThrough;
    bytes += moved ? "moved " + std::to_string(moved->year) + " " +
                         std::to_string(moved->DayOfYear()) + "\r\n"
                   : "moved -\r\n";
    bytes += "told " + std::to_string(v.Slips.told) + "\r\n";
    for (const auto& name : WatchedNames(v, std::stoi(v.CurrentYear)))
        bytes += name + "|" + disk::Stamp(ProgramPath(v, name)) + "\r\n";
    disk::WriteFileAtomic(ProgramPath(v, CleanEndFile), bytes);
}

void CheckSlipsBeforeBackup(CrewdeskVariables& v, const fs::path& copy) {
    const auto keep = [&copy](const std::string& why) {
        return StoreError(copy, "replace", why + ", so the backup copy is kept as it was");
    };
    if (v.Slips.distrusted)
        throw keep("Slips.txt was found damaged at start-up");
    std::vector<std::int32_t> unreadable;
    ForEachRecord(ProgramPath(v, SlipsFile), [&](std::int32_t i, const SlipRecord& record) {
        if (!HoldsCallSlip(record))
            unreadable.push_back(i);
    });
    CloseAllFiles(v);
    if (!unreadable.empty())
        throw keep("records " + Capped(unreadable) + " of Slips.txt are not call slips");
    const std::int64_t records = RecordsOf(ProgramPath(v, SlipsFile));
    if (!v.Slips.replaced && records + v.Slips.removed < v.Slips.accepted)
        throw keep("Slips.txt holds " + std::to_string(records) + " call slips, fewer than the " +
                   std::to_string(v.Slips.accepted - v.Slips.removed) +
                   " this run leaves after its removals");
}

bool UnchangedSinceBackup(const CrewdeskVariables& v, const char* name) {
    if (!v.Slips.quick)
        return false;
    const auto same = [&v](const std::string& relative) {
        const auto it = v.Slips.stamps.find(relative);
        return it != v.Slips.stamps.end() && it->second == disk::Stamp(ProgramPath(v, relative));
    };
    return same(std::string("\\") + name) && same(std::string("\\Backup\\") + name);
}

std::string StartupMessage(const MendReport& report, const std::vector<std::string>& notices) {
    std::string text;
    const auto section = [&text](const char* heading, const std::vector<std::string>& lines,
                                 const char* todo) {
        if (lines.empty())
            return;
        text += (text.empty() ? "" : "\r\n\r\n") + std::string(heading);
        for (std::size_t i = 0; i < lines.size() && i < Listed; ++i)
            text += "\r\n- " + lines[i];
        if (lines.size() > Listed)
            text += "\r\n- and " + std::to_string(lines.size() - Listed) + " more like these";
        text += "\r\n" + std::string(todo);
    };
    section("Rotaplan found damage and left it as it is:", report.damage,
            "Restore the damaged files from your archive, or mend them by hand.");
    section("Rotaplan mended what an interrupted operation (or an older copy of the files) left "
            "behind:",
            report.interrupted,
            "Nothing was lost. If you do not know a freed SA number, call its customer.");
    section("These call slips of today or later hold no hours in any team's day (their team may "
            "have been deleted):",
            report.unheld, "Reschedule or delete them under Delete or Reschedule.");
    for (const auto& notice : notices)
        text += (text.empty() ? "" : "\r\n\r\n") + notice;
    return text;
}

} // namespace rotaplan
