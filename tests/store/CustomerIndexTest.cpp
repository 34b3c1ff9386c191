#include "store/CustomerIndex.h"
#include "store/CallRecords.h"
#include "store/CompletedSlips.h"
#include "store/Purge.h"
#include "store/Reset.h"
#include "store/SlipFile.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

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
    std::vector<std::string> Names(const std::vector<CustomerId>& ids) {
        std::vector<std::string> names;
        for (CustomerId id : ids)
            names.push_back(Customers(v, Locale).Texts(id)[0]);
        return names;
    }
    // A customer's last call and history, as the intake shows them.
    static std::string Calls(CustomerIndex& index, CustomerId id) {
        std::string calls = index.LastCall(id) + ":";
        for (const auto& call : index.History(id))
            calls += " " + call.saNumber + "/" + call.date + "/" + call.team + "/" + call.problem +
                     "/" + call.status + "/" +
                     (call.place == SlipPlace::Booked ? "booked" : "completed");
        return calls;
    }
    // Every customer a name lookup finds, with its calls.
    std::string Shown(CustomerIndex& index) {
        std::string shown;
        for (const char* word : {"ann", "josé", "zola", "bob"})
            for (CustomerId id : index.ByName(word, 10))
                shown += index.Texts(id)[0] + " " + Calls(index, id) + "\n";
        return shown;
    }
    // The index kept since its build agrees with one built afresh from the files.
    void ExpectFollowed(const std::string& step) {
        CustomerIndex fresh(Locale);
        fresh.Build(folder / "Slips.txt", folder / "CompletedSlips.txt");
        EXPECT_EQ(Shown(Customers(v, Locale)), Shown(fresh)) << step;
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
    CustomerIndex& index = Customers(v, Locale);
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

    const auto ann =
        index.Find({"Ann Lee", "1 Main St", "", "Springfield", "", "", "(217) 555-0101"});
    ASSERT_TRUE(ann);
    EXPECT_FALSE(index.Find({"ann lee", "1 Main St", "", "Springfield", "", "", "(217) 555-0101"}));
    EXPECT_FALSE(index.Find({"", "", "", "", "", "", ""}));
    EXPECT_EQ(Calls(index, *ann), "12/4/2026: SA 1-1/12/4/2026/1/Leak/Scheduled/booked"
                                  " SA 300-1/11/2/2026/1/Leak/Scheduled/completed");
}

TEST_F(CustomerIndexTest, FollowsBookingDeleteRescheduleMoveCompletedDeleteAndReset) {
    Write("Slips.txt", {Slip(Ann, "330-1", "11/28/2026"), Slip(Jose, "330-2", "12/4/2026")});
    Write("CompletedSlips.txt", {Slip(Ann, "300-1", "11/2/2026")});
    const CustomerIndex* built = &Customers(v, Locale);

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
    EXPECT_TRUE(Customers(v, Locale).ByName("josé", 10).empty());

    ReadSlip(v, 3); // Ann's call of 12/8, moved to 12/9
    EXPECT_FALSE(DeleteCallRecord(v, Locale, 3, "SA 331-2"));
    v.RecordBuffer.Set(SlipField::Date, "12/9/2026");
    v.RecordBuffer.Set(SlipField::SANumber, "SA 331-3");
    AppendSlip(v, record);
    ExpectFollowed("reschedule");
    EXPECT_EQ(&Customers(v, Locale), built) << "followed step by step, not built again";

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
    EXPECT_EQ(Shown(Customers(v, Locale)),
              "Ann Lee 11/28/2026: SA 330-1/11/28/2026/1/Leak/Scheduled/completed\n");
}

} // namespace
} // namespace rotaplan::test
