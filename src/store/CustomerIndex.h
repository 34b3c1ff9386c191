#pragma once

#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/SlipRecord.h"

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rotaplan {

// Where a slip stands: booked in Slips.txt, or completed in CompletedSlips.txt.
enum class SlipPlace : std::uint8_t { Booked, Completed };

using CustomerId = std::uint32_t;
// Name, street, address 2, city, state, zip and telephone as stored (the padding dropped), UTF-8.
using CustomerTexts = std::array<std::string, 7>;

// One call of a customer, as the intake's history shows it; texts trimmed, UTF-8.
struct CallHistoryLine {
    std::string saNumber;
    std::string date;
    std::string team; // the Team field: a team number
    std::string problem;
    std::string status;
    SlipPlace place;
};

// The customers of both record files, in memory only: the files stay the only truth. A
// customer is one set of the seven customer fields; records whose customer fields are all
// blank, and damaged records (a Date that does not read back), are left out. Lookups go through
// sorted keys, so one keystroke costs the same at any size.
class CustomerIndex {
public:
    explicit CustomerIndex(const Locale& locale);
    ~CustomerIndex();

    // Reads Slips.txt and CompletedSlips.txt of the folder; throws StoreError.
    void Build(const std::filesystem::path& slips, const std::filesystem::path& completed);

    // Customers whose telephone digits begin with the digits typed (blanks, dashes and
    // brackets aside); at most `most`, in order of the digits.
    std::vector<CustomerId> ByTelephone(std::string_view typed, std::size_t most) const;
    // Customers whose name has, for each word typed, a word beginning with it, letter case
    // aside; at most `most`, the latest added first.
    std::vector<CustomerId> ByName(std::string_view typed, std::size_t most) const;
    // The customer with exactly these fields (as the record would store them), if it has calls.
    std::optional<CustomerId> Find(const CustomerTexts& texts) const;

    CustomerTexts Texts(CustomerId id) const;
    std::string LastCall(CustomerId id) const;                 // the Date of its latest call
    std::vector<CallHistoryLine> History(CustomerId id) const; // newest first

    // Follow a record written to or removed from one of the files.
    void Add(SlipPlace place, const SlipRecord& record);
    void Remove(SlipPlace place, const SlipRecord& record);

private:
    static constexpr std::uint32_t None = 0xFFFFFFFF;

    // Texts that repeat over many slips (dates, problems, name words), each held once.
    class Interned {
    public:
        std::uint32_t Id(std::string_view text, bool& added);
        std::optional<std::uint32_t> Existing(std::string_view text) const;
        const std::string& Text(std::uint32_t id) const { return texts_[id]; }
        std::size_t Size() const { return texts_.size(); }

    private:
        std::deque<std::string> texts_; // stable, so the map's keys can view them
        std::unordered_map<std::string_view, std::uint32_t> ids_;
    };

    struct Customer {
        std::uint32_t text;      // packed fields in the arena
        std::uint32_t firstSlip; // newest first; None: no call left
    };
    struct Slip {
        CustomerId customer;
        std::uint32_t next;
        std::uint32_t date;
        std::uint32_t details; // Team, Problem and Status
        std::array<char, 10> sa;
        SlipPlace place;
    };
    // Telephone digits, one per nibble from the top (digit + 1), then the customer.
    struct TelKey {
        std::uint32_t high;
        std::uint32_t low;
        CustomerId customer;
        auto operator<=>(const TelKey&) const = default;
    };

    void Read(const std::filesystem::path& file, SlipPlace place);
    void AddRecord(SlipPlace place, const char* record, bool keepSorted);
    std::optional<std::uint32_t> DateOf(const char* record, bool add);
    CustomerId CustomerFor(std::string_view packed);
    std::optional<CustomerId> FindPacked(std::string_view packed) const;
    std::string_view Packed(CustomerId id) const;
    std::string_view Field(CustomerId id, std::size_t k) const;
    void AddKeys(CustomerId id, bool keepSorted);
    void RemoveKeys(CustomerId id);
    std::optional<TelKey> TelKeyOf(CustomerId id) const;
    std::vector<std::string> NameWords(CustomerId id) const;
    bool NameHasAll(CustomerId id, const std::vector<std::string>& words) const;
    void Place(std::uint64_t hash, CustomerId id);
    void GrowTable();
    void SortKeys();

    const Locale& locale_;
    std::vector<std::unique_ptr<char[]>> arena_;
    std::size_t arenaUsed_;
    std::vector<Customer> customers_;
    std::vector<std::uint64_t> table_; // hash tag | customer id + 1, by hash of the packed fields
    std::vector<Slip> slips_;
    std::vector<std::uint32_t> freeSlips_;
    Interned dates_;
    std::vector<long> dayNumbers_; // by date id; Unreadable when the text is no date
    Interned details_;
    Interned words_;                                // folded name words
    std::vector<std::vector<CustomerId>> postings_; // by word id, oldest first
    std::vector<std::uint32_t> sortedWords_;        // word ids in order of the words
    std::vector<TelKey> telephones_;                // sorted
};

// The folder's index, built from both record files at its first use.
CustomerIndex& Customers(CrewdeskVariables& v, const Locale& locale);
// After a change the index does not follow record by record: the next use builds it again.
void ForgetCustomers(CrewdeskVariables& v);
// The record file a program-relative name is, if it is one.
std::optional<SlipPlace> PlaceOf(std::string_view relativeName);

// The record number in Slips.txt of that customer's call with this SA number and date.
std::optional<std::int32_t> FindBookedSlip(CrewdeskVariables& v, const CustomerTexts& customer,
                                           std::string_view saNumber, std::string_view date);

} // namespace rotaplan
