#pragma once

#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/SlipRecord.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace rotaplan {

namespace disk {
class ReadHandle;
}

// Where a slip stands: booked in Slips.txt, or completed in CompletedSlips.txt.
enum class SlipPlace : std::uint8_t { Booked, Completed };

// Name, street, address 2, city, state, zip and telephone as stored (the padding dropped), UTF-8.
using CustomerTexts = std::array<std::string, 7>;

// A customer the drop-down offers, as its latest record reads now.
struct RecalledCustomer {
    CustomerTexts texts;
    std::string lastCall; // the Date of its latest call
};

// One call of a customer, as the intake's history shows it; texts trimmed, UTF-8.
struct CallHistoryLine {
    std::string saNumber;
    std::string date;
    std::string team; // the Team field: a team number
    std::string problem;
    std::string status;
    SlipPlace place;
    std::int32_t record; // its number in its file when it was read
};

// A record taken out of a record file, with its number before the removal.
using RemovedRecord = std::pair<std::int32_t, SlipRecord>;

// The customers of both record files, in memory only: the files stay the only truth. A
// customer is one set of the seven customer fields; records whose customer fields are all
// blank, and damaged records (a Date that does not read back), are no calls. The index holds
// sorted arrays of small fixed-size keys, each with the number of a record; whatever it
// offers is read back from that record, and only offered while the record still matches.
class CustomerIndex {
public:
    CustomerIndex(std::filesystem::path slips, std::filesystem::path completed,
                  const Locale& locale);
    ~CustomerIndex();

    // Opens both files as they stand now and counts their whole records: what Build reads,
    // on whichever thread it runs. Throws StoreError.
    void Open();
    // Reads what Open found; returns early when `stop` is set. Throws StoreError.
    void Build(const std::atomic<bool>& stop = std::atomic<bool>(false));

    // Customers whose telephone digits begin with the digits typed (blanks, dashes and
    // brackets aside); at most `most`, in order of the digits.
    std::vector<RecalledCustomer> ByTelephone(std::string_view typed, std::size_t most) const;
    // Customers whose name has, for each word typed, a word beginning with it, letter case
    // aside; at most `most`, the latest called first among names of one beginning.
    std::vector<RecalledCustomer> ByName(std::string_view typed, std::size_t most) const;
    // The calls of the customer with exactly these fields (as the record would store them),
    // newest first; none for a customer never called.
    std::vector<CallHistoryLine> History(const CustomerTexts& texts) const;
    // The numbers, in file order, of the records of Slips.txt that may be of that day and team
    // (Date and Team without their blanks): every one that is, and few others.
    std::vector<std::int32_t> DayRecords(std::string_view date, std::string_view team) const;

    // Follow a record written to or records removed from one of the files.
    void Add(SlipPlace place, const SlipRecord& record, std::int32_t number);
    void Remove(SlipPlace place, const std::vector<RemovedRecord>& removed);

private:
    // A record of either file; booked ones above completed ones, so a larger one is a later
    // call.
    using RecordRef = std::uint32_t;
    struct CallKey { // the customer fields' hash, in halves to keep the key at 12 bytes
        std::uint32_t high;
        std::uint32_t low;
        RecordRef ref;
        auto operator<=>(const CallKey&) const = default;
    };
    struct TelKey { // telephone digits, one per nibble from the top, each as digit + 1
        std::uint32_t high;
        std::uint32_t low;
        RecordRef ref;
        auto operator<=>(const TelKey&) const = default;
    };
    struct WordKey { // the first four bytes of a folded name word, zero-padded
        std::uint32_t prefix;
        RecordRef ref;
        auto operator<=>(const WordKey&) const = default;
    };
    struct DayKey { // Date and Team hashed; booked records only
        std::uint32_t day;
        std::int32_t number;
        auto operator<=>(const DayKey&) const = default;
    };
    struct Keys {
        std::vector<CallKey> calls;
        std::vector<TelKey> telephones;
        std::vector<WordKey> words;
        std::vector<DayKey> days;
    };
    class Reader;

    static RecordRef RefOf(SlipPlace place, std::int32_t number);
    bool IsCall(const char* record) const;
    // The keys of records `from` to `to` (not included) of the completed file and then the
    // booked one, counted as one run.
    void Gather(Keys& keys, std::int64_t from, std::int64_t to,
                const std::atomic<bool>& stop) const;
    // Changes the telephones and the words with each key of the record.
    template <class Change>
    static void ForEachKey(const char* record, RecordRef ref, std::vector<TelKey>& telephones,
                           std::vector<WordKey>& words, const Change& change);
    void PutKeys(const char* record, RecordRef ref);
    void TakeKeys(const char* record, RecordRef ref);
    std::pair<std::vector<CallKey>::const_iterator, std::vector<CallKey>::const_iterator>
    CallsOf(const char* record) const;
    RecalledCustomer Recalled(Reader& reader, const SlipRecord& lead) const;
    void Renumber(SlipPlace place, const std::vector<std::int32_t>& removed);

    std::filesystem::path slips_;
    std::filesystem::path completed_;
    const Locale& locale_;
    std::unique_ptr<disk::ReadHandle> openSlips_;
    std::unique_ptr<disk::ReadHandle> openCompleted_;
    std::int32_t slipCount_ = 0;
    std::int32_t completedCount_ = 0;

    std::vector<CallKey> calls_;     // every call; a customer's latest is its lead
    std::vector<TelKey> telephones_; // one per customer, with its lead
    std::vector<WordKey> words_;     // one per word of a customer's name, with its lead
    std::vector<DayKey> days_;       // every record of Slips.txt
};

// The index of a folder read on a worker thread from the files as they stood when it was
// started. The changes made meanwhile are kept and applied when it is handed over, so the
// index is never behind the files once in use.
class BackgroundCustomerIndex {
public:
    explicit BackgroundCustomerIndex(std::unique_ptr<CustomerIndex> index);
    ~BackgroundCustomerIndex();

    // The complete index; nullptr while it is read. Throws the StoreError the read met.
    CustomerIndex* Ready();
    void Add(SlipPlace place, const SlipRecord& record, std::int32_t number);
    void Remove(SlipPlace place, const std::vector<RemovedRecord>& removed);

private:
    struct Change {
        SlipPlace place;
        bool added;
        std::vector<RemovedRecord> records;
    };
    std::unique_ptr<CustomerIndex> index_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::exception_ptr failure_;
    std::thread worker_;
    bool handed_ = false;
    std::vector<Change> pending_;
};

// The folder's customer index when complete; nullptr while it is read on a worker thread,
// which this starts when none is at work. A read that failed throws its StoreError once;
// the next call reads again.
CustomerIndex* Customers(CrewdeskVariables& v, const Locale& locale);
// The index if it is complete; starts nothing and tells nothing.
CustomerIndex* CompleteCustomers(CrewdeskVariables& v);
// After a change the index does not follow record by record: the next use reads it again.
void ForgetCustomers(CrewdeskVariables& v);
// The record file a program-relative name is, if it is one.
std::optional<SlipPlace> PlaceOf(std::string_view relativeName);

// Whether record `number` of Slips.txt is still that customer's call with this SA number
// and date.
bool HoldsBookedCall(CrewdeskVariables& v, std::int32_t number, const CustomerTexts& customer,
                     std::string_view saNumber, std::string_view date);

} // namespace rotaplan
