// Ten thousand bookings, reschedules and deletes in a seeded random order, with the program
// started afresh every few hundred: the folder keeps its rules throughout.
#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"
#include "store/SlipFile.h"
#include "support/StoreChecks.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace rotaplan::test {
namespace {

TEST(Soak, TenThousandOperationsKeepTheFolderConsistent) {
    Date today{2026, 12, 4};
    TempFolder folder;
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
    WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
    auto v = std::make_unique<CrewdeskVariables>(folder.Path());
    StartUp(*v, today);

    std::mt19937 rng(20261204);
    int booked = 0, deleted = 0, rescheduled = 0;
    for (int op = 1; op <= 10000; ++op) {
        OpenSlipFile(*v);
        const std::int32_t slips = v->SlipCount;
        const int kind = static_cast<int>(rng() % 10);
        if (slips > 0 && kind < 3) { // delete, or a reschedule: delete, then book anew
            DeleteRecord(*v, static_cast<std::int32_t>(rng() % slips) + 1);
            (kind == 0 ? rescheduled : deleted)++;
            if (kind != 0)
                continue;
        }
        const int team = static_cast<int>(rng() % 2) + 1;
        const Date date = ToWorkingDay(5, today.AddDays(static_cast<long>(rng() % 180)));
        const int hours = static_cast<int>(rng() % 3) + 1;
        const int slot = static_cast<int>(rng() % (SlotCount - hours + 1));
        const auto slots = LoadDaySlots(*v, team, date);
        if (std::all_of(slots.begin() + slot, slots.begin() + slot + hours,
                        [](const auto& text) { return text == NoEventScheduled; })) {
            Book(*v, team, date, slot, hours);
            ++booked;
        }
        if (::testing::Test::HasFailure())
            return;
        if (op % 400 == 0) { // the next day's start: the sequence would not fit past 999
            today = today.AddDays(1);
            v = std::make_unique<CrewdeskVariables>(folder.Path());
            StartUp(*v, today);
            ExpectConsistent(folder.Path(), today, true, "after operation " + std::to_string(op));
            if (::testing::Test::HasFailure())
                return;
        }
    }
    EXPECT_GT(booked, 3000);
    EXPECT_GT(deleted, 1000);
    EXPECT_GT(rescheduled, 500);
}

} // namespace
} // namespace rotaplan::test
