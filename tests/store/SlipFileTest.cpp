#include "store/SlipFile.h"
#include "store/Counter.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

using SlipFile = StoreTest;
using Counter = StoreTest;

SlipRecord Slip(const std::string& sa) {
    return SlipOf({{SlipField::Kind, "Service"}, {SlipField::SANumber, "SA " + sa}});
}

std::string SlipsOf(std::initializer_list<const char*> sas) {
    std::string bytes;
    for (const char* sa : sas)
        bytes += FileOf({Slip(sa)});
    return bytes;
}

TEST(SlipRecord, FieldsSitAtTheirOffsetsPaddedAndCut) {
    SlipRecord r;
    const std::pair<SlipField, const char*> fields[] = {
        {SlipField::Kind, "Service"},
        {SlipField::SANumber, "SA 338-2"},
        {SlipField::Team, "1"},
        {SlipField::HoursWord, "Hours"},
        {SlipField::Hours, "3"},
        {SlipField::Date, "12/4/2026"},
        {SlipField::StartIndex, "10"},
        {SlipField::Status, "Scheduled"},
        {SlipField::Amount, "$0.00"},
        {SlipField::Name, "A name that is longer than thirty"},
        {SlipField::City, "A city of twenty-five ch"},
        {SlipField::ST, "I"},
        {SlipField::Tel, "217-555-0100"}};
    for (const auto& [field, text] : fields)
        r.Set(field, text);
    const std::string b = FileOf({r});
    ASSERT_EQ(b.size(), 269u);
    EXPECT_EQ(b.substr(0, 42), "Service   SA 338-2  1 Hours 3 12/4/2026 10");
    EXPECT_EQ(b.substr(72, 12), "Scheduled   ");
    EXPECT_EQ(b.substr(84, 40), std::string(40, ' '));
    EXPECT_EQ(b.substr(124, 40), "$0.00     A name that is longer than thi");
    EXPECT_EQ(b.substr(224, 22), "A city of twenty-fivI ");
    EXPECT_EQ(b.substr(256, 13), "217-555-0100 ");
    EXPECT_EQ(r.Trimmed(SlipField::SANumber), "SA 338-2");

    r.Set(SlipField::Name, "Jos\xc3\xa9");
    EXPECT_EQ(FileOf({r}).substr(134, 5), "Jos\xe9 ");
    EXPECT_EQ(r.Trimmed(SlipField::Name), "Jos\xc3\xa9");
    EXPECT_THROW(r.Set(SlipField::Name, "\xc5\x81ukasz"), StoreError);
    EXPECT_EQ(r.Trimmed(SlipField::Name), "Jos\xc3\xa9") << "a refused text changes nothing";

    // Trimming goes eight blanks at a time: a text at every place in fields of every width
    // across those words, its own inner blanks kept.
    for (std::size_t width = 0; width <= 20; ++width)
        for (std::size_t lead = 0; lead <= width; ++lead)
            for (std::size_t length = 0; lead + length <= width; ++length) {
                std::string field(width, ' ');
                if (length > 0)
                    field[lead] = field[lead + length - 1] = 'x';
                EXPECT_EQ(Trim(field), length ? field.substr(lead, length) : "")
                    << "'" << field << "'";
            }
}

TEST_F(SlipFile, AppendWritesOneRecordAtTheEndOverAnyTornTail) {
    OpenSlipFile(v);
    EXPECT_EQ(v.SlipCount, 0);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "");

    for (const std::string& tail : {std::string(), std::string(200, 'z')}) {
        WriteBytes(folder / "Slips.txt", SlipsOf({"1-1", "1-2", "1-3"}) + tail);
        OpenSlipFile(v);
        EXPECT_EQ(v.SlipCount, 3) << "a partial record is not a record, however long";
        EXPECT_EQ(v.SlipFileNumber->TrailingBytes(), tail.size());
        v.RecordBuffer = Slip("1-4");
        std::int32_t written = 0;
        AppendSlip(v, written);
        EXPECT_EQ(written, 4);
        EXPECT_EQ(ReadBytes(folder / "Slips.txt"), SlipsOf({"1-1", "1-2", "1-3", "1-4"}));
        EXPECT_EQ(v.SlipFileNumber, nullptr) << "the append closes every file";
    }
    OpenSlipFile(v);
    ReadSlip(v, 2);
    EXPECT_EQ(v.RecordBuffer.Trimmed(SlipField::SANumber), "SA 1-2");
    EXPECT_THROW(ReadSlip(v, 5), StoreError);
    EXPECT_THROW(ReadSlip(v, 0), StoreError);
}

// A failing rewrite leaves the file as it was: the crash test stops it at every step.
TEST_F(SlipFile, RemovalRewriteKeepsOrderAndClearsStaleScratch) {
    WriteBytes(folder / "Temp.txt", "stale scratch from an earlier run");
    WriteBytes(folder / "Slips.txt", SlipsOf({"1-1", "1-2", "1-3", "1-4"}));
    RemoveSlip(v, 2);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), SlipsOf({"1-1", "1-3", "1-4"}));
    EXPECT_FALSE(fs::exists(folder / "Temp.txt"));

    WriteBytes(folder / "Slips.txt", SlipsOf({"1-1"}));
    RemoveSlip(v, 1);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "");
}

TEST_F(SlipFile, ReadAheadServesScansAndJumpsAlike) {
    constexpr int N = 10000;
    std::string bytes;
    for (int i = 1; i <= N; ++i)
        bytes += FileOf({Slip("1-" + std::to_string(i))});
    WriteBytes(folder / "Slips.txt", bytes);
    rotaplan::SlipFile file(folder / "Slips.txt");
    ASSERT_EQ(file.Count(), N);
    for (int i = 1; i <= N; ++i)
        ASSERT_EQ(file.Read(i).Trimmed(SlipField::SANumber), "SA 1-" + std::to_string(i));
    for (int i : {N, 1, 5000, 5001, 4999, 77, N - 1})
        ASSERT_EQ(file.Read(i).Trimmed(SlipField::SANumber), "SA 1-" + std::to_string(i));
}

TEST_F(Counter, SequenceRestartsEachDayIsSavedAheadAndStopsAtTheLast) {
    WriteBytes(folder / "Counter.txt", "\"338\",5\r\n");
    LoadCounter(v, Date{2026, 12, 4});
    EXPECT_EQ(v.CurrentSA, "338-5");
    LoadCounter(v, Date{2026, 12, 5});
    EXPECT_EQ(v.CurrentSA, "339-1");
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"339\",1\r\n");

    fs::remove(folder / "Counter.txt");
    const Date day12{2026, 1, 12};
    LoadCounter(v, day12);
    EXPECT_EQ(v.CurrentSA, "12-1");
    AdvanceCounter(v);
    AdvanceCounter(v);
    EXPECT_EQ(v.CurrentSA, "12-3");
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"12\",3\r\n");

    fs::remove(folder / "Counter.txt");
    WriteBytes(folder / "Backup/Counter.txt", "\"12\",9\r\n");
    LoadCounter(v, day12);
    EXPECT_EQ(v.CurrentSA, "12-9");
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"12\",9\r\n");

    WriteBytes(folder / "Counter.txt", "\"338\",32767\r\n");
    LoadCounter(v, Date{2026, 12, 4});
    EXPECT_THROW(AdvanceCounter(v), StoreError);
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",32767\r\n");
}

} // namespace
} // namespace rotaplan::test
