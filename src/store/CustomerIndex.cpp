#include "store/CustomerIndex.h"

#include "platform/Cp1252.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr std::array<SlipField, 7> CustomerFields = {
    SlipField::Name, SlipField::Street, SlipField::Apt, SlipField::City,
    SlipField::ST,   SlipField::Zip,    SlipField::Tel};
constexpr std::size_t TelField = 6;
constexpr std::size_t CustomerStart = 134; // the customer fields end the record
constexpr std::size_t PackedMost = 7 + SlipRecordLength - CustomerStart;
constexpr std::size_t ArenaBlock = std::size_t{1} << 20;
constexpr std::size_t ReadRecords = 4096;
// A name lookup looks at no more customers than this, however common the word typed.
constexpr std::size_t MostExamined = 4096;
constexpr long Unreadable = -1;

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Only the padding goes: leading blanks are the operator's, and a pick gives them back.
std::string_view Unpadded(std::string_view field) {
    return field.substr(0, field.find_last_not_of(' ') + 1);
}

std::string_view RawField(const char* record, SlipField field) {
    const auto [offset, width] = LayoutOf(field);
    return Unpadded(std::string_view(record + offset, width));
}

bool HasCustomer(const char* record) {
    const std::string_view customer(record + CustomerStart, SlipRecordLength - CustomerStart);
    return customer.find_first_not_of(' ') != std::string_view::npos;
}

// Each field as a length byte and its bytes.
class PackedFields {
public:
    void Append(std::string_view field) {
        bytes_[size_++] = static_cast<char>(field.size());
        std::copy(field.begin(), field.end(),
                  bytes_.begin() + size_); // an empty field may have no data
        size_ += field.size();
    }
    std::string_view View() const { return {bytes_.data(), size_}; }

private:
    std::array<char, PackedMost> bytes_;
    std::size_t size_ = 0;
};

PackedFields PackRecord(const char* record) {
    PackedFields packed;
    for (SlipField field : CustomerFields)
        packed.Append(RawField(record, field));
    return packed;
}

// Eight bytes at a time: the build hashes every record.
std::uint64_t HashOf(std::string_view bytes) {
    std::uint64_t hash = bytes.size() * 0x9E3779B97F4A7C15ull;
    for (std::size_t at = 0; at < bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<std::size_t>(8, bytes.size() - at));
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    return hash;
}

// A table entry holds the top of the hash beside the customer, so a probe that misses
// never reads the customer's fields.
constexpr std::uint64_t TagBits = 0xFFFFFFFF00000000ull;

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

std::array<char, 44> DetailsKey(const char* record) {
    std::array<char, 44> key;
    std::memcpy(key.data(), record + 20, 2);       // Team
    std::memcpy(key.data() + 2, record + 42, 30);  // Problem
    std::memcpy(key.data() + 32, record + 72, 12); // Status
    return key;
}

std::string Text(std::string_view cp1252) {
    return Cp1252ToUtf8(TrimBlanks(cp1252));
}

} // namespace

std::uint32_t CustomerIndex::Interned::Id(std::string_view text, bool& added) {
    added = false;
    if (const auto it = ids_.find(text); it != ids_.end())
        return it->second;
    added = true;
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(text);
    ids_.emplace(texts_.back(), id);
    return id;
}

std::optional<std::uint32_t> CustomerIndex::Interned::Existing(std::string_view text) const {
    if (const auto it = ids_.find(text); it != ids_.end())
        return it->second;
    return std::nullopt;
}

CustomerIndex::CustomerIndex(const Locale& locale)
    : locale_(locale), arenaUsed_(ArenaBlock), table_(1024) {}

CustomerIndex::~CustomerIndex() = default;

void CustomerIndex::Build(const fs::path& slips, const fs::path& completed) {
    // Sized once from the files, so the build never holds a table twice while it grows.
    std::uint64_t records = 0;
    for (const fs::path& file : {slips, completed})
        if (disk::FileExists(file))
            records += disk::FileLength(file) / SlipRecordLength;
    slips_.reserve(records);
    customers_.reserve(records);
    telephones_.reserve(records);
    table_.assign(std::max<std::size_t>(1024, std::bit_ceil(records * 2)), 0);
    Read(slips, SlipPlace::Booked);
    Read(completed, SlipPlace::Completed);
    std::sort(telephones_.begin(), telephones_.end());
    sortedWords_.resize(words_.Size());
    std::iota(sortedWords_.begin(), sortedWords_.end(), 0u);
    std::sort(sortedWords_.begin(), sortedWords_.end(),
              [this](std::uint32_t a, std::uint32_t b) { return words_.Text(a) < words_.Text(b); });
}

void CustomerIndex::Read(const fs::path& file, SlipPlace place) {
    if (!disk::FileExists(file))
        return;
    disk::ReadHandle in(file);
    const std::uint64_t records = in.Length() / SlipRecordLength; // a torn tail is no slip
    std::vector<char> block(ReadRecords * SlipRecordLength);
    for (std::uint64_t first = 0; first < records; first += ReadRecords) {
        const std::size_t count = std::min<std::uint64_t>(ReadRecords, records - first);
        if (in.ReadAt(first * SlipRecordLength, block.data(), count * SlipRecordLength) <
            count * SlipRecordLength)
            throw StoreError(file, "read", "the file became shorter while it was read");
        for (std::size_t r = 0; r < count; ++r)
            AddRecord(place, block.data() + r * SlipRecordLength, false);
    }
}

void CustomerIndex::Add(SlipPlace place, const SlipRecord& record) {
    AddRecord(place, record.Bytes().data(), true);
}

void CustomerIndex::AddRecord(SlipPlace place, const char* record, bool keepSorted) {
    if (!HasCustomer(record))
        return;
    const auto date = DateOf(record, true);
    if (!date)
        return;
    bool added = false;
    const auto key = DetailsKey(record);
    const std::uint32_t details = details_.Id({key.data(), key.size()}, added);
    const CustomerId id = CustomerFor(PackRecord(record).View());
    Slip slip{id, customers_[id].firstSlip, *date, details, {}, place};
    std::memcpy(slip.sa.data(), record + LayoutOf(SlipField::SANumber).offset, slip.sa.size());
    std::uint32_t at = static_cast<std::uint32_t>(slips_.size());
    if (freeSlips_.empty()) {
        slips_.push_back(slip);
    } else {
        at = freeSlips_.back();
        freeSlips_.pop_back();
        slips_[at] = slip;
    }
    const bool returning = customers_[id].firstSlip == None;
    customers_[id].firstSlip = at;
    if (returning)
        AddKeys(id, keepSorted);
}

void CustomerIndex::Remove(SlipPlace place, const SlipRecord& record) {
    const char* bytes = record.Bytes().data();
    if (!HasCustomer(bytes))
        return;
    const auto key = DetailsKey(bytes);
    const auto date = DateOf(bytes, false);
    const auto details = details_.Existing({key.data(), key.size()});
    const auto id = FindPacked(PackRecord(bytes).View());
    if (!date || !details || !id)
        return;
    const char* sa = bytes + LayoutOf(SlipField::SANumber).offset;
    std::uint32_t* link = &customers_[*id].firstSlip;
    for (; *link != None; link = &slips_[*link].next) {
        const Slip& slip = slips_[*link];
        if (slip.place != place || slip.date != *date || slip.details != *details ||
            std::memcmp(slip.sa.data(), sa, slip.sa.size()) != 0)
            continue;
        freeSlips_.push_back(*link);
        *link = slip.next;
        if (customers_[*id].firstSlip == None)
            RemoveKeys(*id);
        return;
    }
}

std::optional<std::uint32_t> CustomerIndex::DateOf(const char* record, bool add) {
    const std::string_view text = RawField(record, SlipField::Date);
    std::optional<std::uint32_t> id = dates_.Existing(text);
    if (!id && add) {
        bool added = false;
        id = dates_.Id(text, added);
        const auto date = locale_.ParseShortDate(Cp1252ToUtf8(text));
        dayNumbers_.push_back(date ? date->DayNumber() : Unreadable);
    }
    if (!id || dayNumbers_[*id] == Unreadable)
        return std::nullopt;
    return id;
}

CustomerId CustomerIndex::CustomerFor(std::string_view packed) {
    if (const auto found = FindPacked(packed))
        return *found;
    if (arenaUsed_ + packed.size() > ArenaBlock) {
        arena_.push_back(std::make_unique_for_overwrite<char[]>(ArenaBlock));
        arenaUsed_ = 0;
    }
    std::memcpy(arena_.back().get() + arenaUsed_, packed.data(), packed.size());
    const auto id = static_cast<CustomerId>(customers_.size());
    customers_.push_back(
        {static_cast<std::uint32_t>((arena_.size() - 1) * ArenaBlock + arenaUsed_), None});
    arenaUsed_ += packed.size();
    if (customers_.size() * 2 > table_.size())
        GrowTable();
    Place(HashOf(packed), id);
    return id;
}

void CustomerIndex::Place(std::uint64_t hash, CustomerId id) {
    const std::size_t mask = table_.size() - 1;
    std::size_t at = hash & mask;
    while (table_[at] != 0)
        at = (at + 1) & mask;
    table_[at] = (hash & TagBits) | (id + 1);
}

std::optional<CustomerId> CustomerIndex::FindPacked(std::string_view packed) const {
    const std::uint64_t hash = HashOf(packed);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t at = hash & mask; table_[at] != 0; at = (at + 1) & mask) {
        const auto id = static_cast<CustomerId>(table_[at] - 1);
        if ((table_[at] & TagBits) == (hash & TagBits) && Packed(id) == packed)
            return id;
    }
    return std::nullopt;
}

void CustomerIndex::GrowTable() {
    std::vector<std::uint64_t> old(table_.size() * 2, 0);
    old.swap(table_);
    for (std::uint64_t entry : old)
        if (entry != 0) {
            const auto id = static_cast<CustomerId>(entry - 1);
            Place(HashOf(Packed(id)), id);
        }
}

std::string_view CustomerIndex::Packed(CustomerId id) const {
    const std::uint32_t text = customers_[id].text;
    const char* start = arena_[text / ArenaBlock].get() + text % ArenaBlock;
    std::size_t size = 0;
    for (std::size_t k = 0; k < CustomerFields.size(); ++k)
        size += 1 + static_cast<unsigned char>(start[size]);
    return {start, size};
}

std::string_view CustomerIndex::Field(CustomerId id, std::size_t k) const {
    std::string_view packed = Packed(id);
    for (std::size_t i = 0; i < k; ++i)
        packed.remove_prefix(1 + static_cast<unsigned char>(packed[0]));
    return packed.substr(1, static_cast<unsigned char>(packed[0]));
}

std::optional<CustomerIndex::TelKey> CustomerIndex::TelKeyOf(CustomerId id) const {
    const auto [code, count] = DigitCode(Field(id, TelField));
    if (count == 0)
        return std::nullopt;
    return TelKey{static_cast<std::uint32_t>(code >> 32), static_cast<std::uint32_t>(code), id};
}

std::vector<std::string> CustomerIndex::NameWords(CustomerId id) const {
    return FoldedWords(Field(id, 0));
}

void CustomerIndex::AddKeys(CustomerId id, bool keepSorted) {
    if (const auto key = TelKeyOf(id))
        telephones_.insert(keepSorted
                               ? std::upper_bound(telephones_.begin(), telephones_.end(), *key)
                               : telephones_.end(),
                           *key);
    for (const std::string& word : NameWords(id)) {
        bool added = false;
        const std::uint32_t w = words_.Id(word, added);
        if (added) {
            postings_.emplace_back();
            if (keepSorted)
                sortedWords_.insert(std::lower_bound(sortedWords_.begin(), sortedWords_.end(), word,
                                                     [this](std::uint32_t a, const std::string& b) {
                                                         return words_.Text(a) < b;
                                                     }),
                                    w);
        }
        postings_[w].push_back(id);
    }
}

void CustomerIndex::RemoveKeys(CustomerId id) {
    if (const auto key = TelKeyOf(id)) {
        const auto at = std::lower_bound(telephones_.begin(), telephones_.end(), *key);
        if (at != telephones_.end() && *at == *key)
            telephones_.erase(at);
    }
    for (const std::string& word : NameWords(id))
        if (const auto w = words_.Existing(word))
            std::erase(postings_[*w], id);
}

std::vector<CustomerId> CustomerIndex::ByTelephone(std::string_view typed, std::size_t most) const {
    std::vector<CustomerId> found;
    const auto [code, count] = DigitCode(typed);
    if (count == 0 || count > 16)
        return found;
    const std::uint64_t last =
        count == 16 ? code : code | ((std::uint64_t{1} << (64 - 4 * count)) - 1);
    const TelKey from{static_cast<std::uint32_t>(code >> 32), static_cast<std::uint32_t>(code), 0};
    for (auto at = std::lower_bound(telephones_.begin(), telephones_.end(), from);
         at != telephones_.end() && found.size() < most; ++at) {
        if ((std::uint64_t{at->high} << 32 | at->low) > last)
            break;
        found.push_back(at->customer);
    }
    return found;
}

// Read in place: a lookup may look at thousands of names.
bool CustomerIndex::NameHasAll(CustomerId id, const std::vector<std::string>& words) const {
    const std::string_view name = Field(id, 0);
    const auto begins = [&name](std::size_t at, const std::string& typed) {
        if (at + typed.size() > name.size())
            return false;
        for (std::size_t k = 0; k < typed.size(); ++k)
            if (FoldCase(name[at + k]) != typed[k])
                return false;
        return true;
    };
    return std::all_of(words.begin(), words.end(), [&](const std::string& typed) {
        for (std::size_t at = 0; at < name.size(); ++at)
            if (IsWordByte(static_cast<unsigned char>(name[at])) &&
                (at == 0 || !IsWordByte(static_cast<unsigned char>(name[at - 1]))) &&
                begins(at, typed))
                return true;
        return false;
    });
}

std::vector<CustomerId> CustomerIndex::ByName(std::string_view typed, std::size_t most) const {
    std::vector<CustomerId> found;
    const auto bytes = Utf8ToCp1252(typed);
    if (!bytes)
        return found;
    const auto words = FoldedWords(*bytes);
    if (words.empty())
        return found;
    // The longest word typed narrows the most.
    const std::string& lead =
        *std::max_element(words.begin(), words.end(),
                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    std::size_t examined = 0;
    for (auto w = std::lower_bound(
             sortedWords_.begin(), sortedWords_.end(), lead,
             [this](std::uint32_t a, const std::string&b) { return words_.Text(a) < b; });
         w != sortedWords_.end() && words_.Text(*w).starts_with(lead); ++w) {
        const auto& customers = postings_[*w];
        for (auto c = customers.rbegin(); c != customers.rend(); ++c) {
            if (found.size() == most || ++examined > MostExamined)
                return found;
            if (std::find(found.begin(), found.end(), *c) == found.end() && NameHasAll(*c, words))
                found.push_back(*c);
        }
    }
    return found;
}

std::optional<CustomerId> CustomerIndex::Find(const CustomerTexts& texts) const {
    PackedFields packed;
    for (std::size_t k = 0; k < CustomerFields.size(); ++k) {
        const auto bytes = Utf8ToCp1252(texts[k]);
        if (!bytes)
            return std::nullopt;
        const std::string_view field(*bytes);
        packed.Append(Unpadded(field.substr(0, LayoutOf(CustomerFields[k]).width)));
    }
    const auto id = FindPacked(packed.View());
    if (!id || customers_[*id].firstSlip == None)
        return std::nullopt;
    return id;
}

CustomerTexts CustomerIndex::Texts(CustomerId id) const {
    CustomerTexts texts;
    for (std::size_t k = 0; k < texts.size(); ++k)
        texts[k] = Cp1252ToUtf8(Field(id, k));
    return texts;
}

std::string CustomerIndex::LastCall(CustomerId id) const {
    std::uint32_t latest = None;
    for (std::uint32_t s = customers_[id].firstSlip; s != None; s = slips_[s].next)
        if (latest == None || dayNumbers_[slips_[s].date] > dayNumbers_[latest])
            latest = slips_[s].date;
    return latest == None ? std::string() : Cp1252ToUtf8(dates_.Text(latest));
}

std::vector<CallHistoryLine> CustomerIndex::History(CustomerId id) const {
    std::vector<std::uint32_t> calls;
    for (std::uint32_t s = customers_[id].firstSlip; s != None; s = slips_[s].next)
        calls.push_back(s);
    std::stable_sort(calls.begin(), calls.end(), [this](std::uint32_t a, std::uint32_t b) {
        return dayNumbers_[slips_[a].date] > dayNumbers_[slips_[b].date];
    });
    std::vector<CallHistoryLine> lines;
    for (std::uint32_t s : calls) {
        const Slip& slip = slips_[s];
        const std::string_view details = details_.Text(slip.details);
        lines.push_back({Text({slip.sa.data(), slip.sa.size()}),
                         Cp1252ToUtf8(dates_.Text(slip.date)), Text(details.substr(0, 2)),
                         Text(details.substr(2, 30)), Text(details.substr(32, 12)), slip.place});
    }
    return lines;
}

CustomerIndex& Customers(CrewdeskVariables& v, const Locale& locale) {
    if (!v.Customers) {
        auto index = std::make_unique<CustomerIndex>(locale);
        index->Build(ProgramPath(v, SlipsFile), ProgramPath(v, CompletedSlipsFile));
        v.Customers = std::move(index);
    }
    return *v.Customers;
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

std::optional<std::int32_t> FindBookedSlip(CrewdeskVariables& v, const CustomerTexts& customer,
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
    SlipFile& file = *v.SlipFileNumber;
    SlipRecord record;
    for (std::int32_t r = 1; r <= file.Count(); ++r) {
        file.Read(r, record);
        if (same(record, CustomerStart, SlipRecordLength) && same(record, 10, 20) &&
            same(record, 30, 40))
            return r;
    }
    return std::nullopt;
}

} // namespace rotaplan
