#include "store/Journal.h"

#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <unordered_map>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Magic = "RJ1 ";

// A 64-bit checksum fed in pieces: equal bytes give equal sums however they are cut.
class Hasher {
public:
    // Eight bytes make a word, the first the highest; whole words are taken at once.
    void Update(std::string_view bytes) {
        length_ += bytes.size();
        std::size_t at = 0;
        for (; at < bytes.size() && filled_ != 0; ++at)
            Push(bytes[at]);
        for (; at + 8 <= bytes.size(); at += 8) {
            std::memcpy(&word_, bytes.data() + at, 8);
            if constexpr (std::endian::native == std::endian::little)
                word_ = __builtin_bswap64(word_);
            Mix();
        }
        for (; at < bytes.size(); ++at)
            Push(bytes[at]);
    }
    std::uint64_t Length() const { return length_; }
    FileSum Finish() {
        if (filled_ != 0)
            Mix();
        std::uint64_t h = hash_ ^ length_;
        h ^= h >> 33;
        h *= Final;
        h ^= h >> 33;
        return {length_, h};
    }

    // Goes on from the sum of bytes whose last `length % 8` are `tail`: every step of Finish
    // and Mix can be run backwards.
    static Hasher Resume(const FileSum& sum, std::string_view tail) {
        Hasher h;
        std::uint64_t x = sum.hash;
        x ^= x >> 33;
        x *= Inverse(Final);
        x ^= x >> 33;
        x ^= sum.length;
        h.length_ = sum.length;
        h.filled_ = static_cast<int>(sum.length % 8);
        h.hash_ = x;
        if (h.filled_ != 0) {
            for (char c : tail)
                h.word_ = (h.word_ << 8) | static_cast<unsigned char>(c);
            h.hash_ = ((x >> 29) | (x << 35)) * Inverse(Prime) ^ h.word_;
        }
        return h;
    }

private:
    static constexpr std::uint64_t Prime = 0x100000001b3ULL, Final = 0xff51afd7ed558ccdULL;
    static constexpr std::uint64_t Inverse(std::uint64_t odd) {
        std::uint64_t x = odd; // right in 3 bits; each step doubles them
        for (int i = 0; i < 5; ++i)
            x *= 2 - odd * x;
        return x;
    }
    void Push(char c) {
        word_ = (word_ << 8) | static_cast<unsigned char>(c);
        if (++filled_ == 8)
            Mix();
    }
    void Mix() {
        hash_ = (hash_ ^ word_) * Prime;
        hash_ = (hash_ << 29) | (hash_ >> 35);
        word_ = 0;
        filled_ = 0;
    }
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
    std::uint64_t word_ = 0;
    std::uint64_t length_ = 0;
    int filled_ = 0;
};

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::string DateText(const Date& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

void Item(std::string& payload, char tag, std::string_view bytes) {
    payload += tag;
    payload += std::to_string(bytes.size());
    payload += ':';
    payload += bytes;
}

std::string DayText(const DayChange& day) {
    std::string text = day.path;
    for (const auto* entries : {&day.before, &day.after})
        for (const auto& entry : *entries)
            text += "\n" + entry;
    return text;
}

std::optional<DayChange> ParseDay(std::string_view text) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const auto end = text.find('\n', start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (parts.size() != 1 + 2 * DayEntryCount)
        return std::nullopt;
    DayChange day{parts[0], {}, {}};
    std::copy_n(parts.begin() + 1, DayEntryCount, day.before.begin());
    std::copy_n(parts.begin() + 1 + DayEntryCount, DayEntryCount, day.after.begin());
    return day;
}

template <class T> bool ParseWhole(std::string_view text, T& value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string SumText(const std::string& name, const FileSum& sum) {
    return name + " " + std::to_string(sum.length) + " " + Hex(sum.hash);
}

std::string Payload(const JournalEntry& e) {
    std::string payload;
    for (const auto& [list, tag] :
         {std::pair{&e.slipsAdded, 'A'}, std::pair{&e.slipsRemoved, 'R'},
          std::pair{&e.completedAdded, 'a'}, std::pair{&e.completedRemoved, 'r'},
          std::pair{&e.offered, 'O'}})
        for (const auto& record : *list)
            Item(payload, tag, record);
    if (!e.slipsMoved.empty())
        Item(payload, 'M', RunsText(e.slipsMoved));
    if (e.slipsReplaced)
        Item(payload, 'X', *e.slipsReplaced);
    for (const auto& day : e.days)
        Item(payload, 'D', DayText(day));
    for (const auto& [name, sum] : e.sums)
        Item(payload, 'S', SumText(name, sum));
    if (!e.dateForm.empty())
        Item(payload, 'F', e.dateForm);
    return payload;
}

std::string Serialized(const JournalEntry& e) {
    const std::string payload = Payload(e);
    const std::string head = std::string(1, static_cast<char>(e.kind)) + " " + DateText(e.date);
    const FileSum sum = SumOf(head + payload);
    return std::string(Magic) + head + " " + std::to_string(payload.size()) + " " + Hex(sum.hash) +
           "\r\n" + payload + "\r\n";
}

bool ParseSum(std::string_view text, std::pair<std::string, FileSum>& into) {
    const auto second = text.rfind(' ');
    if (second == std::string_view::npos)
        return false;
    const auto first = text.rfind(' ', second - 1);
    if (first == std::string_view::npos || first == 0)
        return false;
    into.first = std::string(text.substr(0, first));
    return ParseWhole(text.substr(first + 1, second - first - 1), into.second.length) &&
           ParseWhole(text.substr(second + 1), into.second.hash, 16);
}

bool ParseItems(std::string_view payload, JournalEntry& e) {
    while (!payload.empty()) {
        const char tag = payload[0];
        const auto colon = payload.find(':');
        std::size_t length = 0;
        if (colon == std::string_view::npos || !ParseWhole(payload.substr(1, colon - 1), length) ||
            payload.size() - colon - 1 < length)
            return false;
        const std::string_view bytes = payload.substr(colon + 1, length);
        payload.remove_prefix(colon + 1 + length);
        if (std::string_view("ARarO").find(tag) != std::string_view::npos &&
            length != SlipRecordLength)
            return false;
        if (tag == 'X' && length % SlipRecordLength != 0)
            return false;
        std::pair<std::string, FileSum> sum;
        switch (tag) {
        case 'A':
            e.slipsAdded.emplace_back(bytes);
            break;
        case 'R':
            e.slipsRemoved.emplace_back(bytes);
            break;
        case 'a':
            e.completedAdded.emplace_back(bytes);
            break;
        case 'r':
            e.completedRemoved.emplace_back(bytes);
            break;
        case 'O':
            e.offered.emplace_back(bytes);
            break;
        case 'X':
            e.slipsReplaced = std::string(bytes);
            break;
        case 'M':
            if (!ParseRuns(bytes, e.slipsMoved))
                return false;
            break;
        case 'F':
            e.dateForm = bytes;
            break;
        case 'D':
            if (const auto day = ParseDay(bytes))
                e.days.push_back(*day);
            else
                return false;
            break;
        case 'S':
            if (!ParseSum(bytes, sum))
                return false;
            e.sums.push_back(sum);
            break;
        default:
            return false;
        }
    }
    return true;
}

// One entry at the front of `rest`; nullopt when it is not a whole, sound entry.
std::optional<JournalEntry> ParseEntry(std::string_view& rest) {
    if (!rest.starts_with(Magic))
        return std::nullopt;
    const auto lineEnd = rest.find("\r\n");
    if (lineEnd == std::string_view::npos)
        return std::nullopt;
    const std::string_view line = rest.substr(Magic.size(), lineEnd - Magic.size());
    // "<kind> <yyyy-mm-dd> <length> <hash>"
    if (line.size() < 15 || line[1] != ' ' || line[12] != ' ')
        return std::nullopt;
    const auto space = line.find(' ', 13);
    std::size_t length = 0;
    std::uint64_t hash = 0;
    if (space == std::string_view::npos || !ParseWhole(line.substr(13, space - 13), length) ||
        !ParseWhole(line.substr(space + 1), hash, 16))
        return std::nullopt;
    const std::size_t payloadAt = lineEnd + 2;
    if (length > rest.size() || rest.size() < payloadAt + length + 2 ||
        rest.substr(payloadAt + length, 2) != "\r\n")
        return std::nullopt;
    const std::string_view payload = rest.substr(payloadAt, length);
    const std::string head(line.substr(0, 12));
    if (SumOf(head + std::string(payload)).hash != hash)
        return std::nullopt;
    JournalEntry e;
    e.kind = static_cast<JournalEntry::Kind>(line[0]);
    if (std::sscanf(head.c_str() + 2, "%d-%d-%d", &e.date.year, &e.date.month, &e.date.day) != 3 ||
        !Date::IsValid(e.date.year, e.date.month, e.date.day) || !ParseItems(payload, e))
        return std::nullopt;
    rest.remove_prefix(payloadAt + length + 2);
    return e;
}

fs::path JournalPath(const CrewdeskVariables& v) {
    return ProgramPath(v, JournalFile);
}

std::uint64_t RecordHash(std::string_view record) {
    return std::hash<std::string_view>{}(record);
}

using RecordUse = std::function<void(std::string_view)>;

// Each whole record of a record file or of bytes, in order.
void EachRecordOf(const Expectation& e, const RecordUse& use) {
    if (e.baseFile)
        ForEachRecord(*e.baseFile, [&](std::int32_t, const SlipRecord& r) {
            use(std::string_view(r.Bytes().data(), SlipRecordLength));
        });
    else if (e.baseBytes)
        for (std::size_t at = 0; at + SlipRecordLength <= e.baseBytes->size();
             at += SlipRecordLength)
            use(std::string_view(*e.baseBytes).substr(at, SlipRecordLength));
}

// Streams the expected records through the stages, so that nothing but the journal's own
// records is held; `dropped` gets the records the last stage, a Drop, takes out.
void Stream(const Expectation& e, const RecordUse& use, const RecordUse& dropped = nullptr) {
    const auto& stages = e.stages;
    struct State {
        std::unordered_multimap<std::uint64_t, std::string_view> left; // Remove: not yet met
        std::int32_t seen = 0;                                         // Drop: records passed
        std::size_t run = 0;                                           // Drop: the next run
    };
    std::vector<State> state(stages.size());
    for (std::size_t i = 0; i < stages.size(); ++i)
        if (stages[i]->kind == ExpectStage::Kind::Remove)
            for (const auto& record : stages[i]->records)
                state[i].left.emplace(RecordHash(record), record);
    const auto pass = [&](std::string_view record, std::size_t from) {
        std::optional<std::uint64_t> hash;
        for (std::size_t i = from; i < stages.size(); ++i) {
            const ExpectStage& stage = *stages[i];
            State& s = state[i];
            if (stage.kind == ExpectStage::Kind::Remove && !s.left.empty()) {
                if (!hash)
                    hash = RecordHash(record);
                const auto [low, high] = s.left.equal_range(*hash);
                const auto it =
                    std::find_if(low, high, [&](const auto& r) { return r.second == record; });
                if (it != high) {
                    s.left.erase(it);
                    return;
                }
            } else if (stage.kind == ExpectStage::Kind::Drop) {
                ++s.seen;
                const auto& runs = stage.positions;
                while (s.run < runs.size() && runs[s.run].second < s.seen)
                    ++s.run;
                if (s.run < runs.size() && runs[s.run].first <= s.seen) {
                    if (dropped && i + 1 == stages.size())
                        dropped(record);
                    return;
                }
            }
        }
        use(record);
    };
    EachRecordOf(e, [&](std::string_view record) { pass(record, 0); });
    for (std::size_t i = 0; i < stages.size(); ++i) {
        if (stages[i]->kind == ExpectStage::Kind::Add)
            for (const auto& record : stages[i]->records)
                pass(record, i + 1);
        else if (stages[i]->kind == ExpectStage::Kind::Take)
            Stream(
                stages[i]->source, [](std::string_view) {},
                [&](std::string_view record) { pass(record, i + 1); });
    }
}

void AddStage(Expectation& e, ExpectStage::Kind kind, std::vector<std::string> records) {
    if (records.empty())
        return;
    auto stage = std::make_shared<ExpectStage>();
    stage->kind = kind;
    stage->records = std::move(records);
    e.stages.push_back(std::move(stage));
}

// One entry's change of the record file. The completed slips' replay of a move takes the
// moved records from Slips.txt as it stood before: `slipsBefore`.
bool Apply(Expectation& e, const JournalEntry& entry, bool completed,
           const Expectation* slipsBefore) {
    if (!completed && entry.slipsReplaced) { // a restore, re-install or reset
        e.baseFile.reset();
        e.baseBytes = std::make_shared<const std::string>(*entry.slipsReplaced);
        e.stages.clear();
    }
    AddStage(e, ExpectStage::Kind::Remove, completed ? entry.completedRemoved : entry.slipsRemoved);
    if (!entry.slipsMoved.empty()) {
        auto drop = std::make_shared<ExpectStage>();
        drop->kind = ExpectStage::Kind::Drop;
        drop->positions = entry.slipsMoved;
        if (!completed) {
            e.stages.push_back(std::move(drop));
        } else {
            if (!slipsBefore)
                return false;
            auto take = std::make_shared<ExpectStage>();
            take->kind = ExpectStage::Kind::Take;
            take->source = *slipsBefore;
            take->source.stages.push_back(std::move(drop));
            e.stages.push_back(std::move(take));
        }
    }
    AddStage(e, ExpectStage::Kind::Add, completed ? entry.completedAdded : entry.slipsAdded);
    return true;
}

} // namespace

std::string RunsText(const std::vector<RecordRun>& runs) {
    std::string text;
    for (const auto& [first, last] : runs) {
        if (!text.empty())
            text += ',';
        text += std::to_string(first);
        text += '-';
        text += std::to_string(last);
    }
    return text;
}

bool ParseRuns(std::string_view text, std::vector<RecordRun>& runs) {
    while (!text.empty()) {
        const std::string_view run = text.substr(0, text.find(','));
        text.remove_prefix(std::min(text.size(), run.size() + 1));
        const auto dash = run.find('-');
        std::int32_t first = 0, last = 0;
        if (dash == std::string_view::npos || !ParseWhole(run.substr(0, dash), first) ||
            !ParseWhole(run.substr(dash + 1), last) || first < 1 || last < first ||
            (!runs.empty() && first <= runs.back().second))
            return false;
        runs.emplace_back(first, last);
    }
    return true;
}

FileSum SumOf(std::string_view bytes) {
    Hasher h;
    h.Update(bytes);
    return h.Finish();
}

FileSum SumOfFile(const fs::path& file) {
    Hasher h;
    if (disk::FileExists(file))
        disk::ForEachPiece(file, [&](std::string_view piece) { h.Update(piece); });
    return h.Finish();
}

FileSum SumOfStart(const fs::path& file, std::uint64_t length) {
    Hasher h;
    if (disk::FileExists(file))
        disk::ForEachPiece(file, [&](std::string_view piece) {
            h.Update(piece.substr(0, length - std::min<std::uint64_t>(length, h.Length())));
        });
    return h.Finish();
}

FileSum SumOfGrown(const fs::path& file, const FileSum& before) {
    const std::uint64_t tail = before.length % 8;
    bool resumed = false;
    Hasher h;
    disk::ForEachPiece(
        file,
        [&](std::string_view piece) {
            if (!resumed) {
                h = Hasher::Resume(before, piece.substr(0, tail));
                piece.remove_prefix(tail);
                resumed = true;
            }
            h.Update(piece);
        },
        before.length - tail);
    return resumed ? h.Finish() : before;
}

JournalRead ReadJournal(const fs::path& file) {
    JournalRead read;
    if (!disk::FileExists(file))
        return read;
    const std::string bytes = disk::ReadWholeFile(file);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        auto entry = ParseEntry(rest);
        if (!entry) {
            read.torn = true;
            break;
        }
        read.entries.push_back(std::move(*entry));
        read.validLength = bytes.size() - rest.size();
    }
    return read;
}

void Journal(CrewdeskVariables& v, const JournalEntry& entry) {
    const fs::path file = JournalPath(v);
    auto& end = v.Slips.journalEnd;
    if (!end)
        end = ReadJournal(file).validLength;
    // Torn bytes of a stopped append are cut first, so that nothing follows this entry.
    if (disk::FileExists(file) && disk::FileLength(file) > *end)
        disk::Truncate(file, *end);
    const std::string bytes = Serialized(entry);
    v.Slips.slipsRewritten = v.Slips.slipsRewritten || !entry.slipsRemoved.empty() ||
                             entry.slipsReplaced || !entry.slipsMoved.empty();
    v.Slips.completedRewritten = v.Slips.completedRewritten || !entry.completedRemoved.empty();
    disk::WriteAt(file, *end, bytes);
    *end += bytes.size();
}

void JournalAfterFailure(CrewdeskVariables& v, JournalEntry::Kind kind,
                         std::vector<DayChange> days) {
    JournalEntry entry;
    entry.kind = kind;
    entry.date = RunDate(v);
    entry.days = std::move(days);
    try {
        Journal(v, entry);
    } catch (const StoreError&) {
        v.Slips.journalBroken = true;
    }
}

DayChange ChangeOf(const std::string& path, const std::array<std::string, 13>& before,
                   const std::array<std::string, 13>& after) {
    DayChange day{path, {}, {}};
    std::copy_n(before.begin(), DayEntryCount, day.before.begin());
    std::copy_n(after.begin(), DayEntryCount, day.after.begin());
    return day;
}

Date RunDate(const CrewdeskVariables& v) {
    if (v.CurrentYear.empty())
        return {};
    return Date{std::stoi(v.CurrentYear), 1, 1}.AddDays(v.DayOfYear - 1);
}

JournalHead ReadJournalHead(const CrewdeskVariables& v) {
    const auto entries = ReadJournal(JournalPath(v)).entries;
    if (entries.empty())
        return {};
    return {entries.back().date, entries.front().dateForm};
}

JournalEntry RecordEntry(JournalEntry::Kind kind, const Date& date, const SlipRecord& record,
                         const DayChange& day) {
    JournalEntry e;
    e.kind = kind;
    e.date = date;
    const std::string bytes(record.Bytes().data(), SlipRecordLength);
    (kind == JournalEntry::Kind::Book ? e.slipsAdded : e.slipsRemoved).push_back(bytes);
    if (!day.path.empty() && day.before != day.after)
        e.days.push_back(day);
    return e;
}

void CheckpointJournal(CrewdeskVariables& v, const Date& today) {
    const fs::path file = JournalPath(v);
    const JournalRead old = ReadJournal(file);
    JournalEntry checkpoint;
    checkpoint.date = today;
    checkpoint.dateForm = v.DateForm;
    // Bookings a restore left out stay on offer until the operator has answered.
    for (const auto& e : old.entries) {
        if (e.kind == JournalEntry::Kind::Offered)
            checkpoint.offered.clear();
        checkpoint.offered.insert(checkpoint.offered.end(), e.offered.begin(), e.offered.end());
    }
    const fs::path previous = ProgramPath(v, PreviousJournalFile);
    if (v.Slips.backupReplacedSlips && disk::FileExists(file))
        disk::LinkOrCopy(file, previous);
    else if (v.Slips.backupAppendedSlips && disk::FileExists(previous))
        // The generation before still leads to the backup copy, through this run too.
        disk::WriteAt(previous, disk::FileLength(previous),
                      disk::ReadWholeFile(file).substr(0, old.validLength));
    // A file the clean end before vouched for keeps the sum it had then, unchanged since, or
    // goes on from it when the run only appended: a day's exit reads what it added at most.
    const auto lastSum = [&](const char* name) -> std::optional<FileSum> {
        if (!v.Slips.quick || old.entries.empty())
            return std::nullopt;
        for (const auto& [recorded, sum] : old.entries.front().sums)
            if (recorded == name + 1)
                return sum;
        return std::nullopt;
    };
    const auto sumOf = [&](const char* name, bool rewritten) {
        const fs::path path = ProgramPath(v, name);
        const auto it = v.Slips.stamps.find(name);
        const auto last = lastSum(name);
        if (last && it != v.Slips.stamps.end() && it->second == disk::Stamp(path))
            return std::pair(*last, true);
        if (last && !rewritten && disk::FileExists(path) && disk::FileLength(path) >= last->length)
            return std::pair(SumOfGrown(path, *last), false);
        return std::pair(SumOfFile(path), false);
    };
    bool completedUnchanged = false;
    for (const char* name : {SlipsFile, CompletedSlipsFile, AssigntoFile, ProblemCodeFile}) {
        const bool rewritten = name == SlipsFile            ? v.Slips.slipsRewritten
                               : name == CompletedSlipsFile ? v.Slips.completedRewritten
                                                            : true;
        const auto [sum, reused] = sumOf(name, rewritten);
        checkpoint.sums.emplace_back(name + 1, sum);
        completedUnchanged = completedUnchanged || (reused && name == CompletedSlipsFile);
    }
    const fs::path completed = ProgramPath(v, CompletedSlipsFile);
    const fs::path copy = ProgramPath(v, CompletedCopyFile);
    disk::CreateFolder(copy.parent_path());
    // Moves only appended to the completed slips: so does their copy.
    const auto copyLast = lastSum(CompletedSlipsFile);
    const auto copyStamp = v.Slips.stamps.find(CompletedCopyFile);
    const bool copyGrows = copyLast && !v.Slips.completedRewritten &&
                           copyStamp != v.Slips.stamps.end() &&
                           copyStamp->second == disk::Stamp(copy) && disk::FileExists(completed) &&
                           disk::FileExists(copy) && disk::FileLength(copy) == copyLast->length &&
                           disk::FileLength(completed) > copyLast->length;
    if (!disk::FileExists(completed))
        disk::RemoveFile(copy);
    else if (copyGrows)
        disk::AppendGrown(completed, copy, copyLast->length);
    else if (!disk::FileExists(copy) ||
             (!completedUnchanged && SumOfFile(copy) != checkpoint.sums[1].second))
        disk::CopyFileAtomic(completed, copy);
    const std::string bytes = Serialized(checkpoint);
    disk::WriteFileAtomic(file, bytes);
    v.Slips.journalEnd = bytes.size();
}

Expectation FileAsItIs(const fs::path& file) {
    Expectation e;
    e.baseFile = file;
    return e;
}

std::optional<Expectation> Expect(Expectation base, const std::vector<JournalEntry>& entries,
                                  std::size_t count, bool completed, const Expectation* slipsBase) {
    Expectation e = std::move(base);
    std::optional<Expectation> slips; // Slips.txt alongside, for the slips a move takes
    if (completed && slipsBase)
        slips = *slipsBase;
    for (std::size_t i = 0; i < count && i < entries.size(); ++i) {
        const JournalEntry& entry = entries[i];
        if (i + 1 < count && i + 1 < entries.size() &&
            entries[i + 1].kind == JournalEntry::Kind::Undone)
            continue; // failed, and taken back
        if (!Apply(e, entry, completed, slips ? &*slips : nullptr))
            return std::nullopt;
        if (slips)
            Apply(*slips, entry, false, nullptr);
    }
    return e;
}

void WriteExpected(const Expectation& e, const fs::path& target) {
    disk::WriteThroughScratch(target, [&](disk::WriteHandle& out) {
        Stream(e, [&](std::string_view record) { out.Append(record); });
    });
}

FileSum SumOfExpected(const Expectation& e) {
    Hasher h;
    Stream(e, [&](std::string_view record) { h.Update(record); });
    return h.Finish();
}

RecordDiff Compare(const Expectation& e, const fs::path& actual) {
    std::unordered_map<std::uint64_t, int> count;
    Stream(e, [&](std::string_view record) { ++count[RecordHash(record)]; });
    ForEachRecord(actual, [&](std::int32_t, const SlipRecord& r) {
        --count[RecordHash(std::string_view(r.Bytes().data(), SlipRecordLength))];
    });
    RecordDiff diff;
    Stream(e, [&](std::string_view record) {
        if (int& c = count[RecordHash(record)]; c > 0) {
            diff.missing.emplace_back(record);
            --c;
        }
    });
    ForEachRecord(actual, [&](std::int32_t, const SlipRecord& r) {
        const std::string_view record(r.Bytes().data(), SlipRecordLength);
        if (int& c = count[RecordHash(record)]; c < 0) {
            diff.extra.emplace_back(record);
            ++c;
        }
    });
    return diff;
}

} // namespace rotaplan
