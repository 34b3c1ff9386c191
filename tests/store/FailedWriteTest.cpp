// Bookings refused, or whose writes fail part-way: every file is put back, or what stays is
// told and outlives no restart.
#include "store/Booking.h"
#include "store/Counter.h"
#include "store/Disk.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>
#include <map>

namespace rotaplan::test {
namespace {

using Op = disk::Operation;

const Date Today{2026, 12, 4}; // day 338; the bookings are for day 341

TEST(FailedWrite, ABookingThatFailsPutsEveryFileBackOrSaysWhatStays) {
    // Changes failing from their n-th time on (the first is the error told), words told, and
    // what stays: 1 the hours, 2 the slip too.
    using Faults = std::vector<std::tuple<Op, std::string, int>>;
    const std::tuple<Faults, std::string, int> cases[] = {
        {{{Op::Write, "Slips.txt", 1}}, "not booked;", 0},
        {{{Op::Flush, "Slips.txt", 1}}, "not booked;", 0},
        {{{Op::Flush, "Slips.txt", 1}, {Op::Write, "Slips.txt", 2}}, "booked as SA 338-2", 2},
        {{{Op::Write, "Slips.txt", 1}, {Op::Rename, "341.txt", 2}}, "not booked, but", 1},
        {{{Op::Rename, "341.txt", 1}}, "not booked;", 0},
    };
    for (const auto& [faults, told, stays] : cases) {
        SCOPED_TRACE(told);
        TempFolder folder;
        WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
        CrewdeskVariables v(folder.Path());
        StartUp(v, Today);
        Book(v, 1, {2026, 12, 7}, 0, 2);
        const std::string slips = ReadBytes(folder / "Slips.txt");
        const std::string day = ReadBytes(folder / "2026/Team# 1/341.txt");
        std::map<std::pair<Op, std::string>, int> seen;
        int thrown = 0;
        disk::SetFaultHook([&](Op op, const fs::path& file) {
            const int times = ++seen[{op, file.filename().string()}];
            for (const auto& [failing, name, from] : faults)
                if (op == failing && file.filename() == name && times >= from)
                    throw StoreError(file, "write", "fault " + std::to_string(++thrown));
        });
        try {
            Book(v, 1, {2026, 12, 7}, 3, 2);
            ADD_FAILURE() << "booked";
        } catch (const BookingFailed& failed) {
            EXPECT_EQ(failed.File().filename(), std::get<1>(faults[0]));
            EXPECT_EQ(failed.Reason(), "fault 1") << "the first error is the one told";
            EXPECT_NE(failed.Consequence().find(told), std::string::npos) << failed.Consequence();
        }
        disk::SetFaultHook(nullptr);
        EXPECT_EQ(ReadBytes(folder / "Slips.txt").size(), slips.size() + (stays == 2 ? 269 : 0));
        EXPECT_TRUE(ReadBytes(folder / "Slips.txt").starts_with(slips));
        EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt") == day, stays == 0);
        EXPECT_EQ(v.CurrentSA, stays ? "338-3" : "338-2") << "what stays is not reissued";

        CrewdeskVariables next(folder.Path()); // frees hours no slip holds; they book again
        StartUp(next, Today);
        if (stays < 2)
            Book(next, 1, {2026, 12, 7}, 3, 2);
        ExpectConsistent(folder.Path(), Today, true, told);
    }
}

// The thousandth booking of day 338 would be "SA 338-1000", one character more than the
// record's field: cut, it would be "SA 338-100" a second time.
TEST(FailedWrite, ABookingRefusesAnSaNumberTheRecordCannotHold) {
    TempFolder folder;
    CrewdeskVariables v(folder.Path());
    LoadCounter(v, Date{2026, 12, 4});
    v.NextSeq = 1000;
    v.CurrentSA = "338-1000";
    EXPECT_THROW(Book(v, 1, {2026, 12, 7}, 0, 1), StoreError);
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), Day({}));
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "");
}

} // namespace
} // namespace rotaplan::test
