#include "store/CustomerIndex.h"
#include "store/CallRecords.h"
#include "store/CompletedSlips.h"
#include "store/Purge.h"
#include "store/Reset.h"
#include "store/SlipFile.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>
#include <thread>

namespace rotaplan::test {
namespace {

struct Customer {
    const char* name;
    const char* tel;
};

SlipRecord Slip(const Customer& c, const char* sa, const char* date) {
    using enum SlipField;
    return SlipOf({{SANumber, std::string("SA ") + sa},
                   {Team, "1"},
                   {Date, date},
                   {Problem, "Leak"},
                   {Status, "Scheduled"},
                   {Name, c.name},
                   {Street, "1 Main St"},
                   {City, "Springfield"},
                   {Tel, c.tel}});
}

const Customer Ann{"Ann Lee", "(217) 555-0101"};
const Customer Jose{"José Álvarez", "217-555-0199"};
const Customer Emile{"ÉMILE ZOLA", "312 555 0101"};
const Customer Marsh{"Lee Ann Marsh", ""};

class CustomerIndexTest : public StoreTest {
protected:
    void Write(const char* file, const std::vector<SlipRecord>& slips) {
        WriteBytes(folder / file, FileOf(slips));
    }
    // The folder's index once complete, as the intake waits for it.
    CustomerIndex& Ready(const rotaplan::Locale& locale = Locale) {
        CustomerIndex* index = nullptr;
        while (!(index = Customers(v, locale)))
            std::this_thread::yield();
        return *index;
    }
    static std::vector<std::string> Names(const std::vector<RecalledCustomer>& customers) {
        std::vector<std::string> names;
        for (const auto& customer : customers)
            names.push_back(customer.texts[0]);
        return names;
    }
    // A customer's last call and history, as the intake shows them.
    static std::string Calls(const CustomerIndex& index, const RecalledCustomer& customer) {
        std::string calls = customer.lastCall + ":";
        for (const auto& call : index.History(customer.texts))
            calls += " " + call.saNumber + "/" + call.date + "/" + call.team + "/" + call.problem +
                     "/" + call.status + "/" +
                     (call.place == SlipPlace::Booked ? "booked" : "completed") + "#" +
                     std::to_string(call.record);
        return calls;
    }
    // Every customer a name lookup finds, with its calls, and every day's records.
    std::string Shown(const CustomerIndex& index) {
        std::string shown;
        for (const char* word : {"ann", "josé", "zola", "bob"})
            for (const auto& customer : index.ByName(word, 10))
                shown += customer.texts[0] + " " + Calls(index, customer) + "\n";
        for (const char* date : {"11/28/2026", "12/4/2026", "12/7/2026", "12/8/2026", "12/9/2026"})
            for (std::int32_t r : index.DayRecords(date, "1"))
                shown += std::string(date) + " #" + std::to_string(r) + "\n";
        return shown;
    }
    // The index kept since its build agrees with one built afresh from the files.
    void ExpectFollowed(const std::string& step) {
        CustomerIndex fresh(folder / "Slips.txt", folder / "CompletedSlips.txt", Locale);
        fresh.Open();
        fresh.Build();
        EXPECT_EQ(Shown(Ready()), Shown(fresh)) << step;
    }
};

TEST_F(CustomerIndexTest, MatchesTelephoneDigitsAndNameWordsAndSkipsNonCustomers) {
    SlipRecord blank = Slip({"", ""}, "1-9", "12/4/2026");
    blank.Set(SlipField::Street, "");
    blank.Set(SlipField::City, "");
    Write("Slips.txt", {Slip(Ann, "1-1", "12/4/2026"), Slip(Jose, "1-2", "12/4/2026"),
                        Slip(Emile, "1-3", "12/5/2026"), Slip(Marsh, "1-4", "12/6/2026"), blank,
                        Slip({"Broken Record", "999"}, "1-5", "13/45/2026")});
    Write("CompletedSlips.txt", {Slip(Ann, "300-1", "11/2/2026")});
    const CustomerIndex& index = Ready();
    using Names = std::vector<std::string>;
    const struct {
        const char* typed;
        Names byTelephone;
        Names byName;
    } cases[] = {
        {"217", {"Ann Lee", "José Álvarez"}, {}},
        {"(217) 555-01", {"Ann Lee", "José Álvarez"}, {}},
        {"217 555 0199", {"José Álvarez"}, {}},
        {"555", {}, {}},
        {"999", {}, {}},
        {"ann", {}, {"Lee Ann Marsh", "Ann Lee"}},
        {"LEE", {}, {"Lee Ann Marsh", "Ann Lee"}},
        {"ann m", {}, {"Lee Ann Marsh"}},
        {"l. ann", {}, {"Lee Ann Marsh", "Ann Lee"}},
        {"JOSÉ", {}, {"José Álvarez"}},
        {"álv", {}, {"José Álvarez"}},
        {"émile", {}, {"ÉMILE ZOLA"}},
        {"jose", {}, {}},
        {"broken", {}, {}},
        {" ", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(this->Names(index.ByTelephone(c.typed, 10)), c.byTelephone) << c.typed;
        EXPECT_EQ(this->Names(index.ByName(c.typed, 10)), c.byName) << c.typed;
    }
    EXPECT_EQ(index.ByName("ann", 1).size(), 1u);

    EXPECT_EQ(Calls(index, index.ByTelephone("217 555 010", 1).at(0)),
              "12/4/2026: SA 1-1/12/4/2026/1/Leak/Scheduled/booked#1"
              " SA 300-1/11/2/2026/1/Leak/Scheduled/completed#1");
    for (const CustomerTexts& none :
         {CustomerTexts{"ann lee", "1 Main St", "", "Springfield", "", "", "(217) 555-0101"},
          CustomerTexts{}, CustomerTexts{"日本"}})
        EXPECT_TRUE(index.History(none).empty()) << none[0];
}

// Enough records for the build to read two halves at once: Ann calls in both and once more
// booked, and every other customer is found once, whichever half holds it.
TEST_F(CustomerIndexTest, ALargeFolderReadInHalvesKeepsEveryCustomerAndTheLatestCall) {
    constexpr int Callers = 70000;
    std::vector<SlipRecord> completed;
    for (int n = 0; n < Callers; ++n) {
        const std::string name = "Caller " + std::to_string(n);
        const std::string tel = "312 " + std::to_string(1000000 + n);
        completed.push_back(Slip({name.c_str(), tel.c_str()}, "300-1", "11/2/2026"));
    }
    completed[4] = Slip(Ann, "300-5", "11/3/2026");
    completed[Callers - 10] = Slip(Ann, "301-9", "11/20/2026");
    Write("CompletedSlips.txt", completed);
    Write("Slips.txt", {Slip(Ann, "1-1", "12/4/2026")});
    const CustomerIndex& index = Ready();
    EXPECT_EQ(Calls(index, index.ByTelephone("217 555 010", 5).at(0)),
              "12/4/2026: SA 1-1/12/4/2026/1/Leak/Scheduled/booked#1"
              " SA 301-9/11/20/2026/1/Leak/Scheduled/completed#69991"
              " SA 300-5/11/3/2026/1/Leak/Scheduled/completed#5");
    const auto callers = index.ByTelephone("312", Callers);
    EXPECT_EQ(callers.size(), std::size_t{Callers - 2});
    EXPECT_EQ(Names(index.ByTelephone("312 1069999", 5)), std::vector<std::string>{"Caller 69999"});
    EXPECT_EQ(Names(index.ByName("caller 6999", 5)).size(), 5u);
}

TEST_F(CustomerIndexTest, FollowsBookingDeleteRescheduleMoveCompletedDeleteAndReset) {
    Write("Slips.txt", {Slip(Ann, "330-1", "11/28/2026"), Slip(Jose, "330-2", "12/4/2026")});
    Write("CompletedSlips.txt", {Slip(Ann, "300-1", "11/2/2026")});
    const CustomerIndex* built = &Ready();

    v.RecordBuffer = Slip(Emile, "331-1", "12/7/2026");
    std::int32_t record = 0;
    AppendSlip(v, record);
    v.RecordBuffer = Slip(Ann, "331-2", "12/8/2026");
    AppendSlip(v, record);
    ExpectFollowed("booking");

    OpenSlipFile(v);
    ReadSlip(v, 2); // José's only call
    EXPECT_FALSE(DeleteCallRecord(v, Locale, 2, "SA 330-2"));
    ExpectFollowed("delete");
    EXPECT_TRUE(Ready().ByName("josé", 10).empty());

    ReadSlip(v, 3); // Ann's call of 12/8, moved to 12/9
    EXPECT_FALSE(DeleteCallRecord(v, Locale, 3, "SA 331-2"));
    v.RecordBuffer.Set(SlipField::Date, "12/9/2026");
    v.RecordBuffer.Set(SlipField::SANumber, "SA 331-3");
    AppendSlip(v, record);
    ExpectFollowed("reschedule");
    EXPECT_EQ(&Ready(), built) << "followed step by step, not built again";

    v.CurrentYear = "2026";
    v.DayOfYear = 335; // 1 December: Ann's call of 11/28 is past
    MovePastSlips(v, Locale);
    ExpectFollowed("move of past slips");

    CompletedRows shown(v);
    shown.Toggle(1);
    DeleteSelectedCompletions(v, shown);
    ExpectFollowed("completed summary delete");

    ResetSchedules(v, {2026, 12, 1});
    ExpectFollowed("reset");
    EXPECT_EQ(Shown(Ready()),
              "Ann Lee 11/28/2026: SA 330-1/11/28/2026/1/Leak/Scheduled/completed#1\n");
}

// The files are opened as they stand when the reading starts; what changes them after is
// applied when the index is handed over, never lost and never applied twice.
TEST_F(CustomerIndexTest, UsedOnlyWhenCompleteWithTheChangesMadeWhileItWasRead) {
    Write("Slips.txt", {Slip(Ann, "330-1", "12/4/2026"), Slip(Jose, "330-2", "12/4/2026"),
                        Slip(Ann, "330-3", "12/7/2026")});
    HeldLocale held;
    EXPECT_EQ(Customers(v, held), nullptr) << "started, still reading";
    v.RecordBuffer = Slip(Emile, "331-1", "12/4/2026");
    std::int32_t record = 0;
    AppendSlip(v, record);
    OpenSlipFile(v);
    ReadSlip(v, 1);
    EXPECT_FALSE(DeleteCallRecord(v, Locale, 1, "SA 330-1"));
    EXPECT_EQ(Customers(v, held), nullptr) << "not handed over before it is complete";
    EXPECT_EQ(CompleteCustomers(v), nullptr);
    held.LetGo();
    const CustomerIndex& index = Ready(held);
    EXPECT_EQ(Names(index.ByName("zola", 10)), std::vector<std::string>{"ÉMILE ZOLA"});
    EXPECT_EQ(index.ByName("ann", 10).at(0).lastCall, "12/7/2026");
    EXPECT_EQ(index.DayRecords("12/4/2026", "1"), (std::vector<std::int32_t>{1, 3}));
    ExpectFollowed("booking and delete while read");

    ForgetCustomers(v); // a restore: read again from the files as they are then
    EXPECT_EQ(Names(Ready().ByTelephone("312", 10)), std::vector<std::string>{"ÉMILE ZOLA"});
}

} // namespace
} // namespace rotaplan::test
