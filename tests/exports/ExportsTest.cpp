#include "exports/CalendarFile.h"
#include "exports/CompletedCsv.h"
#include "exports/DaySheet.h"
#include "support/StoreChecks.h"
#include "support/TempFolder.h"

#include <QLocale>
#include <QProcess>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <map>
#include <tuple>

namespace rotaplan {
namespace {

using namespace test;

struct Customer {
    const char *sa, *team, *date, *startIndex, *hours, *name, *street;
};

// Not in hour order, with a slip of the other team and one of another day.
const Customer Slips[] = {
    {"338-3", "1", "12/4/2026", "8", "1", "Zoë Müller", "7 Rue de l'Été"},
    {"338-1", "1", "12/4/2026", "3", "2", "José Peña", "12 Calle Año, \"Bajo\""},
    {"338-9", "2", "12/4/2026", "3", "1", "Other Team", "1 Elm St"},
    {"338-2", "1", "12/4/2026", "6", "2", "Café «Noël» €", "3 Quai d'Orsay"},
    {"338-4", "1", "12/7/2026", "4", "1", "Other Day", "9 Oak Rd"},
};

class Exports : public ::testing::Test {
protected:
    TempFolder folder;
    CrewdeskVariables v{folder.Path()};
    void SetUp() override {
        v.Assignments = {"populated", "Équipe Nord", "South"};
        v.StartHour = 8;
        v.WorkWeek = 5;
        std::vector<SlipRecord> slips;
        for (const Customer& c : Slips) {
            slips.push_back(
                CustomerSlip(c.sa, c.team, c.date, c.startIndex, c.hours, c.name, "555-0100"));
            slips.back().Set(SlipField::Kind, "Service");
            slips.back().Set(SlipField::Problem, "Leak, \"urgent\"");
            slips.back().Set(SlipField::Street, c.street);
            slips.back().Set(SlipField::Zip, "62701");
        }
        WriteBytes(folder / "Slips.txt", FileOf(slips));
    }
    static std::string Run(const std::string& command) {
        QProcess process;
        process.startCommand(QString::fromStdString(command));
        process.waitForFinished();
        return process.readAllStandardOutput().toStdString();
    }
    std::string Pdf(std::uint8_t workWeek, const Date& from, bool week, Paper paper) {
        const auto sheets = DaySheets(v, test::Locale, 1, SheetDays(workWeek, from, week));
        WriteBytes(folder / "sheet.pdf", DaySheetPdf(sheets, paper).toStdString());
        return (folder / "sheet.pdf").string();
    }
};

TEST_F(Exports, DaySheetPdfHoldsEachBookedHourInOrderAndAWeekHasAPagePerWorkingDay) {
    const std::string text =
        Run("pdftotext -layout " + Pdf(5, {2026, 12, 4}, false, Paper::A4) + " -");
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    auto lineOf = [&](const std::string& words) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(words) != std::string::npos)
                return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(lineOf("Équipe Nord"), 0);
    EXPECT_GT(lineOf("Friday, 12/4/2026"), 0);
    int previous = 0;
    for (const auto& [hour, sa, name, street] : std::vector<std::array<const char*, 4>>{
             {"08:00 am", "SA 338-1", "José Peña", "12 Calle Año, \"Bajo\""},
             {"09:00 am", "SA 338-1, continued", "José Peña", ""},
             {"11:00 am", "SA 338-2", "Café «Noël» €", "3 Quai d'Orsay"},
             {"01:00 pm", "SA 338-2, continued", "", ""},
             {"02:00 pm", "SA 338-3", "Zoë Müller", "7 Rue de l'Été"}}) {
        const int line = lineOf(hour);
        ASSERT_GT(line, previous) << hour;
        EXPECT_NE(lines[line].find(sa), std::string::npos) << lines[line];
        EXPECT_LE(lineOf(name), line + 1) << name;
        if (*street) {
            EXPECT_LT(lineOf(street), line + 4) << street;
        }
        previous = line;
    }
    for (const char* words : {"Springfield, IL 62701", "Tel: 555-0100", "Page 1 of 1"})
        EXPECT_NE(lineOf(words), -1) << words;
    EXPECT_EQ(lineOf("Other"), -1) << "another team's or day's slip";
    EXPECT_EQ(lineOf("Free"), lineOf("10:00 am"));

    // From Thursday 3 December: the working days of the seven that follow.
    for (const auto& [workWeek, paper, pages, size] :
         {std::tuple(5, Paper::Letter, "Pages:           5", "(letter)"),
          std::tuple(7, Paper::A4, "Pages:           7", "(A4)")}) {
        const std::string info = Run("pdfinfo " + Pdf(workWeek, {2026, 12, 3}, true, paper));
        EXPECT_NE(info.find(pages), std::string::npos) << info;
        EXPECT_NE(info.find(size), std::string::npos) << info;
    }
    const std::string week = Run("pdftotext " + Pdf(5, {2026, 12, 3}, true, Paper::A4) + " -");
    EXPECT_NE(week.find("Monday, 12/7/2026"), std::string::npos);
    EXPECT_NE(week.find("Other Day"), std::string::npos);
    EXPECT_EQ(week.find("Saturday"), std::string::npos);

    EXPECT_EQ(LocalPaper(QLocale(QLocale::English, QLocale::UnitedStates)), Paper::Letter);
    EXPECT_EQ(LocalPaper(QLocale(QLocale::English, QLocale::UnitedKingdom)), Paper::A4);
    EXPECT_EQ(LocalPaper(QLocale(QLocale::German, QLocale::Germany)), Paper::A4);
}

TEST_F(Exports, CalendarFileParsesBackIntoTheBookingsWithStableUids) {
    struct Event {
        std::string start, end, startUtc, location;
        bool operator==(const Event&) const = default;
    };
    auto parse = [](const std::string& ics) {
        std::map<std::string, Event> events;
        icalcomponent* calendar = icalparser_parse_string(ics.c_str());
        EXPECT_NE(icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT), nullptr);
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             e; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
            EXPECT_STREQ(icalproperty_get_parameter_as_string(start, "TZID"), "America/Chicago");
            const icaltimetype utc = icaltime_convert_to_zone(icalcomponent_get_dtstart(e),
                                                              icaltimezone_get_utc_timezone());
            events[icalcomponent_get_uid(e)] = {
                icaltime_as_ical_string(icalcomponent_get_dtstart(e)),
                icaltime_as_ical_string(icalcomponent_get_dtend(e)), icaltime_as_ical_string(utc),
                icalcomponent_get_location(e)};
            EXPECT_EQ(std::string(icalcomponent_get_summary(e)).rfind("SA 338-", 0), 0u);
        }
        icalcomponent_free(calendar);
        return events;
    };
    const auto all = BookingsBetween(v, test::Locale, 1, {2026, 12, 4}, std::nullopt);
    const auto events = parse(CalendarFile(v, 1, all, "America/Chicago"));
    const std::map<std::string, Event> expected = {
        {"2026-12-04-SA338-1@rotaplan",
         {"20261204T080000", "20261204T100000", "20261204T140000Z",
          "12 Calle Año, \"Bajo\", Springfield, IL 62701"}},
        {"2026-12-04-SA338-2@rotaplan", // over the hour off
         {"20261204T110000", "20261204T140000", "20261204T170000Z",
          "3 Quai d'Orsay, Springfield, IL 62701"}},
        {"2026-12-04-SA338-3@rotaplan",
         {"20261204T140000", "20261204T150000", "20261204T200000Z",
          "7 Rue de l'Été, Springfield, IL 62701"}},
        {"2026-12-07-SA338-4@rotaplan",
         {"20261207T090000", "20261207T100000", "20261207T150000Z",
          "9 Oak Rd, Springfield, IL 62701"}},
    };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(parse(CalendarFile(v, 1, all, "America/Chicago")), events) << "exported again";
    EXPECT_EQ(BookingsBetween(v, test::Locale, 1, {2026, 12, 4}, Date{2026, 12, 4}).size(), 3u);
}

TEST_F(Exports, CsvParsesBackIntoTheFieldsAndACancelledExportLeavesNoFile) {
    std::filesystem::copy_file(folder / "Slips.txt", folder / "CompletedSlips.txt");
    const auto target = folder / "out.csv";
    std::vector<std::pair<int, int>> told;
    ASSERT_TRUE(ExportCompletedCsv(v, target, [&](std::int32_t done, std::int32_t total) {
        told.emplace_back(done, total);
        return true;
    }));
    EXPECT_EQ(told.back(), std::make_pair(5, 5));

    // RFC 4180 read back: quoted fields, doubled quotes, CR LF rows.
    const std::string csv = ReadBytes(target);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::vector<std::string>> rows(1);
    for (std::size_t i = 3; i < csv.size();) {
        ASSERT_EQ(csv[i++], '"') << "every field is quoted";
        std::string field;
        for (; !(csv[i] == '"' && csv[i + 1] != '"'); i += csv[i] == '"' ? 2 : 1)
            field += csv[i];
        rows.back().push_back(field);
        if (csv[++i] == ',') {
            ++i;
            continue;
        }
        ASSERT_EQ(csv.substr(i, 2), "\r\n");
        i += 2;
        if (i < csv.size())
            rows.emplace_back();
    }
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][1], "SA Number");
    EXPECT_EQ(rows[0].size(), 20u);
    EXPECT_NE(csv.find("\r\n"
                       R"("Service","SA 338-1","1","","2","12/4/2026","3","Leak, ""urgent""",)"
                       R"("","","","","José Peña","12 Calle Año, ""Bajo""","","Springfield",)"
                       R"("IL","62701","555-0100","Équipe Nord")"
                       "\r\n"),
              std::string::npos);
    EXPECT_EQ(rows[4][12], "Café «Noël» €");
    EXPECT_EQ(rows[3][19], "South");

    const auto cancel = [](std::int32_t, std::int32_t) { return false; };
    WriteBytes(target, "earlier");
    EXPECT_FALSE(ExportCompletedCsv(v, target, cancel));
    EXPECT_EQ(ReadBytes(target), "earlier");
    EXPECT_FALSE(ExportCompletedCsv(v, folder / "new.csv", cancel));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.csv.new"));
}

} // namespace
} // namespace rotaplan
