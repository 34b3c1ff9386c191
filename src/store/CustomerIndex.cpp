#include "store/CustomerIndex.h"

#include "platform/Cp1252.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <new>
#include <thread>
#include <type_traits>
#include <unordered_map>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr std::array<SlipField, 7> CustomerFields = {
    SlipField::Name, SlipField::Street, SlipField::Apt, SlipField::City,
    SlipField::ST,   SlipField::Zip,    SlipField::Tel};
constexpr std::size_t CustomerStart = 134; // the customer fields end the record
constexpr std::size_t CustomerLength = SlipRecordLength - CustomerStart;
// 4096 records are a whole number of pages, so every read starts on a page.
constexpr std::size_t ReadRecords = 4096;
constexpr std::size_t PageSize = 4096;
// A name lookup looks at no more customers than this, however common the word typed.
constexpr std::size_t MostExamined = 4096;
constexpr std::uint32_t BookedBit = 0x80000000u;

std::string_view Stripped(const char* record, SlipField field) {
    return RawField(std::string_view(record, SlipRecordLength), field);
}

// Only the padding goes: leading blanks are the operator's, and a pick gives them back.
std::string_view Unpadded(const char* record, SlipField field) {
    const auto [offset, width] = LayoutOf(field);
    const std::string_view bytes(record + offset, width);
    return bytes.substr(0, bytes.find_last_not_of(' ') + 1);
}

bool HasCustomer(const char* record) {
    return std::string_view(record + CustomerStart, CustomerLength).find_first_not_of(' ') !=
           std::string_view::npos;
}

std::uint64_t Mixed(std::uint64_t hash, std::uint64_t word, std::uint64_t factor) {
    hash = (hash ^ word) * factor;
    return hash ^ hash >> 32;
}

// Sixteen bytes at a time in two independent lanes: the build hashes every record.
std::uint64_t HashOf(std::string_view bytes) {
    constexpr std::uint64_t First = 0xFF51AFD7ED558CCDull, Second = 0xC4CEB9FE1A85EC53ull;
    std::uint64_t a = bytes.size() * 0x9E3779B97F4A7C15ull, b = 0x6A09E667F3BCC909ull;
    std::size_t at = 0;
    for (; at + 16 <= bytes.size(); at += 16) {
        std::uint64_t words[2];
        std::memcpy(words, bytes.data() + at, 16);
        a = Mixed(a, words[0], First);
        b = Mixed(b, words[1], Second);
    }
    for (; at < bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<std::size_t>(8, bytes.size() - at));
        a = Mixed(a, word, First);
    }
    return Mixed(a, b * Second, First);
}

// The seven fields as stored, padding and all: equal bytes, one customer.
std::uint64_t CustomerHash(const char* record) {
    return HashOf({record + CustomerStart, CustomerLength});
}

// Date and Team without their blanks, as the day's view compares them.
std::uint32_t DayHash(std::string_view date, std::string_view team) {
    std::array<char, 16> both{}; // a Date of 10 bytes, a separator and a Team of 2
    date = date.substr(0, 10);
    std::copy(date.begin(), date.end(), both.begin()); // a blank field has no data
    both[date.size()] = '|';
    team = team.substr(0, 2);
    std::copy(team.begin(), team.end(), both.begin() + date.size() + 1);
    return static_cast<std::uint32_t>(HashOf({both.data(), both.size()}));
}

std::uint32_t DayHash(const char* record) {
    return DayHash(Stripped(record, SlipField::Date), Stripped(record, SlipField::Team));
}

// Up to sixteen digits, one per nibble from the top, each as digit + 1.
std::pair<std::uint64_t, int> DigitCode(std::string_view text) {
    std::uint64_t code = 0;
    int count = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        if (count == 16)
            return {0, 17};
        code |= static_cast<std::uint64_t>(c - '0' + 1) << (60 - 4 * count);
        ++count;
    }
    return {code, count};
}

bool IsWordByte(unsigned char b) {
    return b >= 0x80 || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// Words are runs of letters and digits, folded; other ASCII characters part them.
std::vector<std::string> FoldedWords(std::string_view text) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        std::string word;
        for (; at < text.size() && IsWordByte(static_cast<unsigned char>(text[at])); ++at)
            word += FoldCase(text[at]);
        if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(std::move(word));
        for (; at < text.size() && !IsWordByte(static_cast<unsigned char>(text[at])); ++at) {
        }
    }
    return words;
}

// Calls `use` with the first four bytes of each word of the name, folded, the first in the
// top byte so that keys sort as the words do; each once. No word is copied: the build does
// this for every record.
template <class Use> void ForEachPrefix(std::string_view name, const Use& use) {
    static const auto folded = [] {
        std::array<unsigned char, 256> table;
        for (int b = 0; b < 256; ++b)
            table[b] = static_cast<unsigned char>(FoldCase(static_cast<char>(b)));
        return table;
    }();
    std::array<std::uint32_t, 16> seen; // a name of 30 bytes has at most 15 words
    std::size_t words = 0;
    for (std::size_t at = 0; at < name.size();) {
        if (!IsWordByte(static_cast<unsigned char>(name[at]))) {
            ++at;
            continue;
        }
        std::uint32_t prefix = 0;
        for (int k = 0; at < name.size() && IsWordByte(static_cast<unsigned char>(name[at]));
             ++at, ++k)
            if (k < 4)
                prefix |= std::uint32_t{folded[static_cast<unsigned char>(name[at])]}
                          << (24 - 8 * k);
        if (std::find(seen.begin(), seen.begin() + words, prefix) == seen.begin() + words) {
            seen[words++] = prefix;
            use(prefix);
        }
    }
}

// A word's first four bytes, as ForEachPrefix gives them.
std::uint32_t PrefixOf(std::string_view word) {
    std::uint32_t prefix = 0;
    for (std::size_t k = 0; k < 4 && k < word.size(); ++k)
        prefix |= static_cast<std::uint32_t>(static_cast<unsigned char>(word[k])) << (24 - 8 * k);
    return prefix;
}

// Whether the name has, for each word typed, a word beginning with it.
bool NameHasAll(std::string_view name, const std::vector<std::string>& typed) {
    const auto begins = [&name](std::size_t at, const std::string& word) {
        if (at + word.size() > name.size())
            return false;
        for (std::size_t k = 0; k < word.size(); ++k)
            if (FoldCase(name[at + k]) != word[k])
                return false;
        return true;
    };
    return std::all_of(typed.begin(), typed.end(), [&](const std::string& word) {
        for (std::size_t at = 0; at < name.size(); ++at)
            if (IsWordByte(static_cast<unsigned char>(name[at])) &&
                (at == 0 || !IsWordByte(static_cast<unsigned char>(name[at - 1]))) &&
                begins(at, word))
                return true;
        return false;
    });
}

std::string Text(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// Inserts in order; grows by a sixteenth, not by doubling, so that the arrays of a large
// folder do not hold twice their size after one booking.
template <class Key> void InsertSorted(std::vector<Key>& keys, const Key& key) {
    if (keys.size() == keys.capacity())
        keys.reserve(keys.size() + keys.size() / 16 + 64);
    keys.insert(std::upper_bound(keys.begin(), keys.end(), key), key);
}

template <class Key> void EraseSorted(std::vector<Key>& keys, const Key& key) {
    const auto at = std::lower_bound(keys.begin(), keys.end(), key);
    if (at != keys.end() && *at == key)
        keys.erase(at);
}

constexpr int DigitBits = 11;
constexpr std::uint32_t DigitMask = (std::uint32_t{1} << DigitBits) - 1;

// Sorts the keys, made in the order of their records: by a major part of 32 or 64 bits
// first, eleven bits a pass from the lowest, which keeps equal ones in the order of their
// references, then each run of one major part whose rest is out of order by the whole key.
// Several times faster than a comparison sort of a million keys.
template <class Key, class Major> void RadixSort(std::vector<Key>& keys, const Major& major) {
    constexpr int MajorBits = 8 * sizeof(std::invoke_result_t<Major, const Key&>);
    if (keys.size() < 65536) { // the passes' counts would cost more than the keys
        std::sort(keys.begin(), keys.end());
        return keys.shrink_to_fit();
    }
    std::vector<Key> other(keys.size());
    std::vector<std::size_t> starts((std::size_t{1} << DigitBits) + 1);
    for (int shift = 0; shift < MajorBits; shift += DigitBits) {
        std::fill(starts.begin(), starts.end(), 0);
        for (const Key& key : keys)
            ++starts[(major(key) >> shift & DigitMask) + 1];
        if (std::find(starts.begin(), starts.end(), keys.size()) != starts.end())
            continue; // one digit for all
        for (std::size_t d = 1; d < starts.size(); ++d)
            starts[d] += starts[d - 1];
        for (const Key& key : keys)
            other[starts[major(key) >> shift & DigitMask]++] = key;
        keys.swap(other);
    }
    for (auto run = keys.begin(); run != keys.end();) {
        auto end = run + 1;
        while (end != keys.end() && major(*end) == major(*run))
            ++end;
        if (!std::is_sorted(run, end))
            std::sort(run, end);
        run = end;
    }
    keys.shrink_to_fit();
}

// The build's read buffer, page-aligned: reads into other offsets cost several times the CPU.
class AlignedBlock {
public:
    explicit AlignedBlock(std::size_t size)
        : data_(static_cast<char*>(::operator new (size, std::align_val_t{PageSize}))) {}
    ~AlignedBlock() { ::operator delete (data_, std::align_val_t{PageSize}); }
    AlignedBlock(const AlignedBlock&) = delete;
    AlignedBlock& operator=(const AlignedBlock&) = delete;
    char* Data() const { return data_; }

private:
    char* data_;
};

// Runs `there` on a thread of its own while `here` runs on this one; rethrows what either
// threw.
void AtOnce(const std::function<void()>& there, const std::function<void()>& here) {
    std::exception_ptr failure;
    {
        const std::jthread other([&] {
            try {
                there();
            } catch (...) {
                failure = std::current_exception();
            }
        });
        here();
    }
    if (failure)
        std::rethrow_exception(failure);
}

template <class Key> void Append(std::vector<Key>& keys, const std::vector<Key>& more) {
    keys.insert(keys.end(), more.begin(), more.end());
}

// Whether a Date reads back, asked once per distinct text.
class DateCheck {
public:
    explicit DateCheck(const Locale& locale) : locale_(locale) {}
    bool Readable(const char* record) {
        const std::string_view text = Unpadded(record, SlipField::Date);
        if (text == last_)
            return lastReadable_;
        auto it = known_.find(std::string(text));
        if (it == known_.end())
            it = known_.emplace(text, locale_.ParseShortDate(Text(text)).has_value()).first;
        last_ = it->first;
        lastReadable_ = it->second;
        return lastReadable_;
    }

private:
    const Locale& locale_;
    std::unordered_map<std::string, bool> known_;
    std::string last_;
    bool lastReadable_ = false;
};

} // namespace

// Reads records back by reference, each file opened at its first use.
class CustomerIndex::Reader {
public:
    explicit Reader(const CustomerIndex& index) : index_(index) {}
    // nullopt for a record the file no longer has, or a file that does not read.
    std::optional<SlipRecord> Read(RecordRef ref) {
        const bool booked = (ref & BookedBit) != 0;
        auto& file = booked ? slips_ : completed_;
        try {
            if (!file) {
                const fs::path& path = booked ? index_.slips_ : index_.completed_;
                if (!disk::FileExists(path))
                    return std::nullopt;
                file = std::make_unique<disk::ReadHandle>(path);
            }
            std::array<char, SlipRecordLength> bytes;
            const std::uint64_t at = std::uint64_t{(ref & ~BookedBit) - 1} * SlipRecordLength;
            if (file->ReadAt(at, bytes.data(), bytes.size()) < bytes.size())
                return std::nullopt;
            return SlipRecord::FromBytes({bytes.data(), bytes.size()});
        } catch (const StoreError&) {
            return std::nullopt;
        }
    }

private:
    const CustomerIndex& index_;
    std::unique_ptr<disk::ReadHandle> slips_;
    std::unique_ptr<disk::ReadHandle> completed_;
};

CustomerIndex::CustomerIndex(fs::path slips, fs::path completed, const Locale& locale)
    : slips_(std::move(slips)), completed_(std::move(completed)), locale_(locale) {}

CustomerIndex::~CustomerIndex() = default;

CustomerIndex::RecordRef CustomerIndex::RefOf(SlipPlace place, std::int32_t number) {
    return (place == SlipPlace::Booked ? BookedBit : 0u) | static_cast<std::uint32_t>(number);
}

bool CustomerIndex::IsCall(const char* record) const {
    return HasCustomer(record) &&
           locale_.ParseShortDate(Text(Unpadded(record, SlipField::Date))).has_value();
}

void CustomerIndex::Open() {
    const auto open = [](const fs::path& path, std::unique_ptr<disk::ReadHandle>& file,
                         std::int32_t& count) {
        if (!disk::FileExists(path))
            return;
        file = std::make_unique<disk::ReadHandle>(path);
        // A torn tail is no record.
        count = static_cast<std::int32_t>(file->Length() / SlipRecordLength);
    };
    open(slips_, openSlips_, slipCount_);
    open(completed_, openCompleted_, completedCount_);
}

namespace {

// Hands each record from `from` to `to` (not included) to `use`, with its reference: its
// number with the file's bit.
void ReadFile(disk::ReadHandle& file, std::uint32_t fileBit, std::int64_t from, std::int64_t to,
              const std::atomic<bool>& stop, const auto& use) {
    // No bigger than the part: pages touched for the first time cost more than a small read.
    const AlignedBlock block(
        static_cast<std::size_t>(std::min<std::int64_t>(ReadRecords, to - from)) *
        SlipRecordLength);
    for (std::int64_t first = from; first < to && !stop; first += ReadRecords) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(ReadRecords, to - first));
        if (file.ReadAt(static_cast<std::uint64_t>(first) * SlipRecordLength, block.Data(),
                        n * SlipRecordLength) < n * SlipRecordLength)
            throw StoreError(file.File(), "read", "the file became shorter while it was read");
        for (std::size_t r = 0; r < n; ++r)
            use(block.Data() + r * SlipRecordLength,
                fileBit | static_cast<std::uint32_t>(first + static_cast<std::int64_t>(r) + 1));
    }
}

} // namespace

template <class Change>
void CustomerIndex::ForEachKey(const char* record, RecordRef ref, std::vector<TelKey>& telephones,
                               std::vector<WordKey>& words, const Change& change) {
    if (const auto [code, count] = DigitCode(Unpadded(record, SlipField::Tel));
        count > 0 && count <= 16)
        change(telephones, TelKey{static_cast<std::uint32_t>(code >> 32),
                                  static_cast<std::uint32_t>(code), ref});
    ForEachPrefix(Unpadded(record, SlipField::Name), [&](std::uint32_t prefix) {
        change(words, WordKey{prefix, ref});
    });
}

void CustomerIndex::Gather(Keys& keys, std::int64_t from, std::int64_t to,
                           const std::atomic<bool>& stop) const {
    DateCheck dates(locale_);
    const auto use = [&](const char* record, RecordRef ref) {
        if (ref & BookedBit)
            keys.days.push_back({DayHash(record), static_cast<std::int32_t>(ref & ~BookedBit)});
        if (!HasCustomer(record) || !dates.Readable(record))
            return;
        const std::uint64_t customer = CustomerHash(record);
        keys.calls.push_back({static_cast<std::uint32_t>(customer >> 32),
                              static_cast<std::uint32_t>(customer), ref});
        ForEachKey(record, ref, keys.telephones, keys.words,
                   [](auto& keys, const auto& key) { keys.push_back(key); });
    };
    const std::int64_t completed = completedCount_;
    if (openCompleted_ && from < completed)
        ReadFile(*openCompleted_, RefOf(SlipPlace::Completed, 0), from, std::min(to, completed),
                 stop, use);
    if (openSlips_ && to > completed)
        ReadFile(*openSlips_, RefOf(SlipPlace::Booked, 0), std::max(from, completed) - completed,
                 to - completed, stop, use);
}

// One pass makes the keys of every call in the order of the references (the completed file
// first); a customer's keys then stay only with its latest call, its lead. A large folder is
// read in two halves at once, each half's calls sorted apart and then merged.
void CustomerIndex::Build(const std::atomic<bool>& stop) {
    const std::int64_t records = std::int64_t{slipCount_} + completedCount_;
    constexpr std::int64_t HalvedFrom = 65536;
    const std::int64_t half =
        records < HalvedFrom ? records : records / 2 / ReadRecords * ReadRecords;
    Keys first;
    Keys second;
    first.calls.reserve(static_cast<std::size_t>(half));
    first.telephones.reserve(static_cast<std::size_t>(records));
    first.words.reserve(static_cast<std::size_t>(records) * 5 / 2); // mostly two words, some three
    first.days.reserve(static_cast<std::size_t>(slipCount_));
    const auto gather = [&](Keys& keys, std::int64_t from, std::int64_t to) {
        Gather(keys, from, to, stop);
        if (!stop)
            RadixSort(keys.calls, [](const CallKey& k) { return k.high; });
    };
    if (half < records)
        AtOnce([&] { gather(second, half, records); }, [&] { gather(first, 0, half); });
    else
        gather(first, 0, records);
    openSlips_.reset();
    openCompleted_.reset();
    if (stop)
        return; // abandoned, as at the exit: never used, so not worth sorting
    // Equal customers keep the order of their references: the first half's come first.
    calls_.resize(first.calls.size() + second.calls.size());
    std::merge(first.calls.begin(), first.calls.end(), second.calls.begin(), second.calls.end(),
               calls_.begin());
    telephones_ = std::move(first.telephones);
    words_ = std::move(first.words);
    days_ = std::move(first.days);
    Append(telephones_, second.telephones);
    Append(words_, second.words);
    Append(days_, second.days);
    first = {};
    second = {};

    std::vector<bool> leads(static_cast<std::size_t>(records) + 1);
    const auto bit = [this](RecordRef ref) {
        return (ref & BookedBit) ? completedCount_ + (ref & ~BookedBit) : ref;
    };
    for (std::size_t c = 0; c < calls_.size(); ++c)
        if (c + 1 == calls_.size() || calls_[c + 1].high != calls_[c].high ||
            calls_[c + 1].low != calls_[c].low)
            leads[bit(calls_[c].ref)] = true;
    const auto led = [&](const auto& k) { return !leads[bit(k.ref)]; };
    AtOnce(
        [&] {
            std::erase_if(words_, led);
            RadixSort(words_, [](const WordKey& k) { return k.prefix; });
        },
        [&] {
            std::erase_if(telephones_, led);
            // Many numbers share their first eight digits: sorted on all sixteen.
            RadixSort(telephones_,
                      [](const TelKey& k) { return std::uint64_t{k.high} << 32 | k.low; });
            RadixSort(days_, [](const DayKey& k) { return k.day; });
        });
}

void CustomerIndex::PutKeys(const char* record, RecordRef ref) {
    ForEachKey(record, ref, telephones_, words_,
               [](auto& keys, const auto& key) { InsertSorted(keys, key); });
}

void CustomerIndex::TakeKeys(const char* record, RecordRef ref) {
    ForEachKey(record, ref, telephones_, words_,
               [](auto& keys, const auto& key) { EraseSorted(keys, key); });
}

std::pair<std::vector<CustomerIndex::CallKey>::const_iterator,
          std::vector<CustomerIndex::CallKey>::const_iterator>
CustomerIndex::CallsOf(const char* record) const {
    const std::uint64_t customer = CustomerHash(record);
    const CallKey from{static_cast<std::uint32_t>(customer >> 32),
                       static_cast<std::uint32_t>(customer), 0};
    const CallKey to{from.high, from.low, 0xFFFFFFFFu};
    return {std::lower_bound(calls_.begin(), calls_.end(), from),
            std::upper_bound(calls_.begin(), calls_.end(), to)};
}

void CustomerIndex::Add(SlipPlace place, const SlipRecord& record, std::int32_t number) {
    const char* bytes = record.Bytes().data();
    if (place == SlipPlace::Booked)
        InsertSorted(days_, DayKey{DayHash(bytes), number});
    if (!IsCall(bytes))
        return;
    const RecordRef ref = RefOf(place, number);
    const auto [first, last] = CallsOf(bytes);
    const std::optional<RecordRef> lead =
        first == last ? std::nullopt : std::optional((last - 1)->ref);
    const std::uint64_t customer = CustomerHash(bytes);
    InsertSorted(calls_, CallKey{static_cast<std::uint32_t>(customer >> 32),
                                 static_cast<std::uint32_t>(customer), ref});
    if (lead && *lead > ref)
        return;
    if (lead)
        TakeKeys(bytes, *lead);
    PutKeys(bytes, ref);
}

void CustomerIndex::Remove(SlipPlace place, const std::vector<RemovedRecord>& removed) {
    std::vector<std::int32_t> numbers;
    for (const auto& [number, record] : removed) {
        numbers.push_back(number);
        const char* bytes = record.Bytes().data();
        if (place == SlipPlace::Booked)
            EraseSorted(days_, DayKey{DayHash(bytes), number});
        const RecordRef ref = RefOf(place, number);
        const auto [first, last] = CallsOf(bytes);
        const auto at = std::find_if(first, last, [ref](const CallKey& k) { return k.ref == ref; });
        if (at == last)
            continue;
        const bool lead = at + 1 == last;
        const std::optional<RecordRef> next =
            lead && at != first ? std::optional((at - 1)->ref) : std::nullopt;
        calls_.erase(at);
        if (!lead)
            continue;
        TakeKeys(bytes, ref);
        if (next)
            PutKeys(bytes, *next);
    }
    std::sort(numbers.begin(), numbers.end());
    Renumber(place, numbers);
}

// The records after a removed one move up by one: every key keeps its order.
void CustomerIndex::Renumber(SlipPlace place, const std::vector<std::int32_t>& removed) {
    if (removed.empty())
        return;
    const auto shifted = [&removed](std::int32_t number) {
        return number -
               static_cast<std::int32_t>(std::lower_bound(removed.begin(), removed.end(), number) -
                                         removed.begin());
    };
    const auto renumber = [&](RecordRef& ref) {
        if (((ref & BookedBit) != 0) == (place == SlipPlace::Booked))
            ref = RefOf(place, shifted(static_cast<std::int32_t>(ref & ~BookedBit)));
    };
    for (CallKey& key : calls_)
        renumber(key.ref);
    for (TelKey& key : telephones_)
        renumber(key.ref);
    for (WordKey& key : words_)
        renumber(key.ref);
    if (place == SlipPlace::Booked)
        for (DayKey& key : days_)
            key.number = shifted(key.number);
}

RecalledCustomer CustomerIndex::Recalled(Reader& reader, const SlipRecord& lead) const {
    RecalledCustomer customer;
    const char* bytes = lead.Bytes().data();
    for (std::size_t k = 0; k < CustomerFields.size(); ++k)
        customer.texts[k] = Text(Unpadded(bytes, CustomerFields[k]));
    long latest = 0;
    const auto [first, last] = CallsOf(bytes);
    for (auto call = first; call != last; ++call) {
        const auto record = reader.Read(call->ref);
        if (!record || !std::equal(record->Bytes().begin() + CustomerStart, record->Bytes().end(),
                                   lead.Bytes().begin() + CustomerStart))
            continue;
        const std::string date = Text(Unpadded(record->Bytes().data(), SlipField::Date));
        if (const auto day = locale_.ParseShortDate(date); day && day->DayNumber() > latest) {
            latest = day->DayNumber();
            customer.lastCall = date;
        }
    }
    return customer;
}

std::vector<RecalledCustomer> CustomerIndex::ByTelephone(std::string_view typed,
                                                         std::size_t most) const {
    std::vector<RecalledCustomer> found;
    const auto [code, count] = DigitCode(typed);
    if (count == 0 || count > 16)
        return found;
    const std::uint64_t last =
        count == 16 ? code : code | ((std::uint64_t{1} << (64 - 4 * count)) - 1);
    const TelKey from{static_cast<std::uint32_t>(code >> 32), static_cast<std::uint32_t>(code), 0};
    Reader reader(*this);
    for (auto at = std::lower_bound(telephones_.begin(), telephones_.end(), from);
         at != telephones_.end() && found.size() < most &&
         (std::uint64_t{at->high} << 32 | at->low) <= last;
         ++at) {
        const auto record = reader.Read(at->ref);
        if (!record || !IsCall(record->Bytes().data()))
            continue;
        const auto digits = DigitCode(Unpadded(record->Bytes().data(), SlipField::Tel)).first;
        if (digits >= code && digits <= last)
            found.push_back(Recalled(reader, *record));
    }
    return found;
}

std::vector<RecalledCustomer> CustomerIndex::ByName(std::string_view typed,
                                                    std::size_t most) const {
    std::vector<RecalledCustomer> found;
    const auto bytes = Utf8ToCp1252(typed);
    if (!bytes)
        return found;
    const auto words = FoldedWords(*bytes);
    if (words.empty())
        return found;
    // The word typed with the fewest keys leads.
    using Range =
        std::pair<std::vector<WordKey>::const_iterator, std::vector<WordKey>::const_iterator>;
    std::optional<Range> lead;
    for (const std::string& word : words) {
        const std::uint32_t prefix = PrefixOf(word);
        const std::uint32_t open = word.size() >= 4 ? 0 : 0xFFFFFFFFu >> (8 * word.size());
        const Range range{
            std::lower_bound(words_.begin(), words_.end(), WordKey{prefix, 0}),
            std::upper_bound(words_.begin(), words_.end(), WordKey{prefix | open, 0xFFFFFFFFu})};
        if (!lead || range.second - range.first < lead->second - lead->first)
            lead = range;
    }
    Reader reader(*this);
    std::vector<RecordRef> offered; // a customer's keys all lead to its latest record
    std::size_t examined = 0;
    // Word by word in order of the words, the latest called first within each.
    for (auto group = lead->first; group != lead->second;) {
        const auto end = std::upper_bound(group, lead->second, WordKey{group->prefix, 0xFFFFFFFFu});
        for (auto key = end; key != group;) {
            --key;
            if (found.size() == most || ++examined > MostExamined)
                return found;
            if (std::find(offered.begin(), offered.end(), key->ref) != offered.end())
                continue;
            const auto record = reader.Read(key->ref);
            if (record && IsCall(record->Bytes().data()) &&
                NameHasAll(Unpadded(record->Bytes().data(), SlipField::Name), words)) {
                offered.push_back(key->ref);
                found.push_back(Recalled(reader, *record));
            }
        }
        group = end;
    }
    return found;
}

std::vector<CallHistoryLine> CustomerIndex::History(const CustomerTexts& texts) const {
    std::vector<CallHistoryLine> lines;
    SlipRecord customer;
    try {
        for (std::size_t k = 0; k < CustomerFields.size(); ++k)
            customer.Set(CustomerFields[k], texts[k]);
    } catch (const StoreError&) {
        return lines; // a text no record can hold is no customer's
    }
    if (!HasCustomer(customer.Bytes().data()))
        return lines;
    Reader reader(*this);
    std::vector<std::pair<long, CallHistoryLine>> calls;
    const auto [first, last] = CallsOf(customer.Bytes().data());
    for (auto call = first; call != last; ++call) {
        const auto record = reader.Read(call->ref);
        if (!record || !std::equal(record->Bytes().begin() + CustomerStart, record->Bytes().end(),
                                   customer.Bytes().begin() + CustomerStart))
            continue;
        const char* bytes = record->Bytes().data();
        const std::string date = Text(Unpadded(bytes, SlipField::Date));
        const auto day = locale_.ParseShortDate(date);
        if (!day)
            continue;
        const bool booked = (call->ref & BookedBit) != 0;
        calls.push_back(
            {day->DayNumber(),
             {Text(Stripped(bytes, SlipField::SANumber)), date,
              Text(Stripped(bytes, SlipField::Team)), Text(Stripped(bytes, SlipField::Problem)),
              Text(Stripped(bytes, SlipField::Status)),
              booked ? SlipPlace::Booked : SlipPlace::Completed,
              static_cast<std::int32_t>(call->ref & ~BookedBit)}});
    }
    // Newest day first; within a day the later record first, as the calls lie in the files.
    std::stable_sort(calls.rbegin(), calls.rend(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& call : calls)
        lines.push_back(std::move(call.second));
    return lines;
}

std::vector<std::int32_t> CustomerIndex::DayRecords(std::string_view date,
                                                    std::string_view team) const {
    const std::uint32_t day = DayHash(date, team);
    std::vector<std::int32_t> numbers;
    for (auto at = std::lower_bound(days_.begin(), days_.end(), DayKey{day, 0});
         at != days_.end() && at->day == day; ++at)
        numbers.push_back(at->number);
    return numbers;
}

BackgroundCustomerIndex::BackgroundCustomerIndex(std::unique_ptr<CustomerIndex> index)
    : index_(std::move(index)) {
    index_->Open();
    worker_ = std::thread([this] {
        try {
            index_->Build(stop_);
        } catch (...) {
            failure_ = std::current_exception();
        }
        done_.store(true, std::memory_order_release);
    });
}

BackgroundCustomerIndex::~BackgroundCustomerIndex() {
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

CustomerIndex* BackgroundCustomerIndex::Ready() {
    if (handed_)
        return index_.get();
    if (!done_.load(std::memory_order_acquire))
        return nullptr;
    if (worker_.joinable())
        worker_.join();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
    for (const Change& change : pending_)
        if (change.added)
            index_->Add(change.place, change.records[0].second, change.records[0].first);
        else
            index_->Remove(change.place, change.records);
    std::vector<Change>().swap(pending_);
    handed_ = true;
    return index_.get();
}

void BackgroundCustomerIndex::Add(SlipPlace place, const SlipRecord& record, std::int32_t number) {
    if (handed_)
        index_->Add(place, record, number);
    else
        pending_.push_back({place, true, {{number, record}}});
}

void BackgroundCustomerIndex::Remove(SlipPlace place, const std::vector<RemovedRecord>& removed) {
    if (handed_)
        index_->Remove(place, removed);
    else
        pending_.push_back({place, false, removed});
}

CustomerIndex* Customers(CrewdeskVariables& v, const Locale& locale) {
    if (!v.Customers)
        v.Customers = std::make_unique<BackgroundCustomerIndex>(std::make_unique<CustomerIndex>(
            ProgramPath(v, SlipsFile), ProgramPath(v, CompletedSlipsFile), locale));
    try {
        return v.Customers->Ready();
    } catch (const StoreError&) {
        v.Customers.reset();
        throw;
    }
}

CustomerIndex* CompleteCustomers(CrewdeskVariables& v) {
    if (!v.Customers)
        return nullptr;
    try {
        return v.Customers->Ready();
    } catch (const StoreError&) {
        v.Customers.reset();
        return nullptr;
    }
}

void ForgetCustomers(CrewdeskVariables& v) {
    v.Customers.reset();
}

std::optional<SlipPlace> PlaceOf(std::string_view relativeName) {
    if (relativeName == SlipsFile)
        return SlipPlace::Booked;
    if (relativeName == CompletedSlipsFile)
        return SlipPlace::Completed;
    return std::nullopt;
}

bool HoldsBookedCall(CrewdeskVariables& v, std::int32_t number, const CustomerTexts& customer,
                     std::string_view saNumber, std::string_view date) {
    SlipRecord wanted;
    for (std::size_t k = 0; k < CustomerFields.size(); ++k)
        wanted.Set(CustomerFields[k], customer[k]);
    wanted.Set(SlipField::SANumber, saNumber);
    wanted.Set(SlipField::Date, date);
    const auto same = [&wanted](const SlipRecord& record, std::size_t from, std::size_t to) {
        return std::equal(record.Bytes().begin() + from, record.Bytes().begin() + to,
                          wanted.Bytes().begin() + from);
    };
    OpenSlipFile(v);
    if (number < 1 || number > v.SlipCount)
        return false;
    const SlipRecord record = v.SlipFileNumber->Read(number);
    return same(record, CustomerStart, SlipRecordLength) && same(record, 10, 20) &&
           same(record, 30, 40);
}

} // namespace rotaplan
