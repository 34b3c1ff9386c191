#include "exports/CalendarFile.h"
#include "exports/CompletedReport.h"
#include "exports/DaySheet.h"
#include "store/Disk.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"
#include "support/TempFolder.h"

#include <QLocale>
#include <QProcess>
#include <cstring>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <map>
#include <regex>
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
            slips.back().Set(SlipField::Status, "Scheduled");
        }
        WriteBytes(folder / "Slips.txt", FileOf(slips));
    }

public:
    static std::string Run(const std::string& command) {
        QProcess process;
        process.startCommand(QString::fromStdString(command));
        process.waitForFinished();
        return process.readAllStandardOutput().toStdString();
    }

protected:
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
    const auto all = CalendarEvents(v, test::Locale, 1, {2026, 12, 4}, std::nullopt);
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

// A call booked, rescheduled twice and deleted, as the forms record each step; after each the
// calendar is exported and read back by libical, the way a phone re-imports it.
TEST_F(Exports, ACallKeepsOneUidThroughReschedulesAndEndsCancelled) {
    struct State {
        std::string sa, start;
        int sequence;
        bool cancelled;
        bool operator==(const State&) const = default;
    };
    auto states = [&] {
        const std::string ics =
            CalendarFile(v, 1, CalendarEvents(v, test::Locale, 1, {2026, 12, 4}, std::nullopt),
                         "America/Chicago");
        std::map<std::string, State> uids;
        icalcomponent* calendar = icalparser_parse_string(ics.c_str());
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             e; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            const std::string summary = icalcomponent_get_summary(e);
            EXPECT_EQ(uids.count(icalcomponent_get_uid(e)), 0u) << "one event a UID";
            uids[icalcomponent_get_uid(e)] = {
                summary.substr(0, summary.find(' ', 3)),
                icaltime_as_ical_string(icalcomponent_get_dtstart(e)),
                icalproperty_get_sequence(
                    icalcomponent_get_first_property(e, ICAL_SEQUENCE_PROPERTY)),
                icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED};
        }
        icalcomponent_free(calendar);
        return uids;
    };
    std::vector<SlipRecord> others;
    for (const Customer& c : Slips)
        others.push_back(CustomerSlip(c.sa, c.team, c.date, c.startIndex, c.hours, c.name, ""));
    SlipRecord call = others.front(); // SA 338-3 at 2 pm
    others.erase(others.begin());
    auto write = [&](bool booked) {
        auto all = others;
        if (booked)
            all.push_back(call);
        WriteBytes(folder / "Slips.txt", FileOf(all));
    };
    write(true);
    const std::string uid = "2026-12-04-SA338-3@rotaplan";
    EXPECT_EQ(states()[uid], (State{"SA 338-3", "20261204T140000", 0, false}));

    // Rescheduled: taken off first, then booked under a new SA number on another day.
    for (const auto& [sa, date, start, sequence] :
         {std::tuple("338-7", "12/8/2026", "20261208T080000", 2),
          std::tuple("338-8", "12/9/2026", "20261209T080000", 4)}) {
        write(false);
        CallTakenOff(v, test::Locale, call, true);
        EXPECT_TRUE(states()[uid].cancelled) << "gone until booked again";
        call = CustomerSlip(sa, "1", date, "3", "1", "Zoë Müller", "");
        write(true);
        CallRebooked(v, test::Locale, call);
        EXPECT_EQ(states()[uid], (State{std::string("SA ") + sa, start, sequence, false}));
        EXPECT_EQ(states().size(), 4u);
    }

    write(false);
    CallTakenOff(v, test::Locale, call, false);
    EXPECT_EQ(states()[uid], (State{"SA 338-8", "20261209T080000", 5, true}));
    // A later booking is not taken for the reschedule of a deleted call.
    CallRebooked(v, test::Locale, others.front());
    EXPECT_EQ(states()[uid].sequence, 5);
    EXPECT_EQ(states().size(), 4u);

    ForgetPastCalls(v, test::Locale, {2026, 12, 10});
    EXPECT_EQ(states().count(uid), 0u) << "past calls are forgotten";
}

// RFC 4180 read back: quoted fields, doubled quotes, CR LF rows.
std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows(1);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    for (std::size_t i = 3; i < csv.size();) {
        EXPECT_EQ(csv[i++], '"') << "every field is quoted";
        std::string field;
        for (; !(csv[i] == '"' && csv[i + 1] != '"'); i += csv[i] == '"' ? 2 : 1)
            field += csv[i];
        rows.back().push_back(field);
        if (csv[++i] == ',') {
            ++i;
            continue;
        }
        EXPECT_EQ(csv.substr(i, 2), "\r\n");
        i += 2;
        if (i < csv.size())
            rows.emplace_back();
    }
    return rows;
}

// The workbook's first sheet as cell reference -> type and text, inline or shared strings.
std::map<std::string, std::pair<std::string, std::string>> SheetCells(const std::string& xlsx) {
    const auto part = [&](const char* name) {
        return Exports::Run("unzip -p " + xlsx + " " + name);
    };
    const auto unescaped = [](std::string text) {
        for (const auto& [entity, c] : {std::pair{"&lt;", "<"},
                                        {"&gt;", ">"},
                                        {"&quot;", "\""},
                                        {"&apos;", "'"},
                                        {"&amp;", "&"}})
            for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
                text.replace(at, std::strlen(entity), c);
        return text;
    };
    std::vector<std::string> shared;
    const std::string strings = part("xl/sharedStrings.xml");
    const std::regex si("<si><t[^>]*>([^<]*)</t></si>");
    for (std::sregex_iterator m(strings.begin(), strings.end(), si), end; m != end; ++m)
        shared.push_back(unescaped((*m)[1]));
    std::map<std::string, std::pair<std::string, std::string>> cells;
    const std::string sheet = part("xl/worksheets/sheet1.xml");
    const std::regex cell(R"x(<c r="([A-Z]+[0-9]+)"([^>]*)>(?:<f>[^<]*</f>)?)x"
                          R"x((?:<v>([^<]*)</v>|<is><t[^>]*>([^<]*)</t></is>))x");
    const std::regex typed(R"x( t="(\w+)")x");
    for (std::sregex_iterator m(sheet.begin(), sheet.end(), cell), end; m != end; ++m) {
        std::smatch t;
        const std::string attributes = (*m)[2];
        const std::string type = std::regex_search(attributes, t, typed) ? t[1].str() : "n";
        cells[(*m)[1]] = {type, unescaped(type == "s" ? shared.at(std::stoul((*m)[3]))
                                                      : (*m)[3].str() + (*m)[4].str())};
    }
    EXPECT_EQ(sheet.find("<f>"), std::string::npos) << "no formula anywhere";
    EXPECT_NE(sheet.find(R"(<pane ySplit="1")"), std::string::npos) << "the header stays";
    return cells;
}

TEST_F(Exports, ReportHasItsColumnsAsCsvAndAsWorkbookAndACancelledExportLeavesNoFile) {
    std::filesystem::copy_file(folder / "Slips.txt", folder / "CompletedSlips.txt");
    for (const auto format : {ReportFormat::Csv, ReportFormat::Xlsx}) {
        std::vector<std::pair<int, int>> told;
        ASSERT_TRUE(ExportCompletedReport(v, test::Locale, folder / "out", format,
                                          [&](std::int32_t done, std::int32_t total) {
                                              told.emplace_back(done, total);
                                              return true;
                                          }));
        EXPECT_EQ(told.back(), std::make_pair(5, 5));
        std::filesystem::rename(folder / "out",
                                folder / (format == ReportFormat::Csv ? "out.csv" : "out.xlsx"));
    }
    const auto rows = CsvRows(ReadBytes(folder / "out.csv"));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"SA Number", "Date", "Start Time", "Hours", "Team",
                                                 "Name", "Address 1", "Address 2", "City", "State",
                                                 "Zip", "Telephone", "Problem", "Status"}));
    // The rows in file order: SA 338-1 is the second slip.
    EXPECT_EQ(rows[2], (std::vector<std::string>{
                           "SA 338-1", "2026-12-04", "08:00", "2", "Équipe Nord", "José Peña",
                           "12 Calle Año, \"Bajo\"", "", "Springfield", "IL", "62701", "555-0100",
                           "Leak, \"urgent\"", "Completed"}));
    EXPECT_EQ(rows[4][5], "Café «Noël» €");
    EXPECT_EQ(rows[3][4], "South");

    auto cells = SheetCells((folder / "out.xlsx").string());
    for (const auto& [ref, type, text] :
         std::vector<std::array<std::string, 3>>{{"A1", "inlineStr", "SA Number"},
                                                 {"N1", "inlineStr", "Status"},
                                                 {"A3", "inlineStr", "SA 338-1"},
                                                 {"B3", "n", "46360"}, // 4 December 2026
                                                 {"C3", "n", "0.3333333333333333"},
                                                 {"D3", "n", "2"},
                                                 {"E3", "s", "Équipe Nord"},
                                                 {"G3", "inlineStr", "12 Calle Año, \"Bajo\""},
                                                 {"K3", "inlineStr", "62701"},
                                                 {"N3", "s", "Completed"},
                                                 {"N6", "s", "Completed"},
                                                 {"F5", "inlineStr", "Café «Noël» €"}})
        EXPECT_EQ(cells[ref], std::pair(type, text)) << ref;
    EXPECT_EQ(cells.count("A7"), 0u);
    // Rows made apart, a chunk at a time, still come in file order; a sheet of many pieces,
    // deflated apart, is still one whole stream.
    const std::string five = ReadBytes(folder / "Slips.txt");
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += five;
    WriteBytes(folder / "CompletedSlips.txt", many);
    const auto all = [](std::int32_t, std::int32_t) { return true; };
    ASSERT_TRUE(
        ExportCompletedReport(v, test::Locale, folder / "many.csv", ReportFormat::Csv, all));
    const std::string csv = ReadBytes(folder / "out.csv");
    const std::size_t header = csv.find("\r\n") + 2;
    std::string expected = csv.substr(0, header);
    for (int i = 0; i < 3000; ++i)
        expected += csv.substr(header);
    EXPECT_TRUE(ReadBytes(folder / "many.csv") == expected);
    ASSERT_TRUE(
        ExportCompletedReport(v, test::Locale, folder / "many.xlsx", ReportFormat::Xlsx, all));
    EXPECT_NE(Run("unzip -tq " + (folder / "many.xlsx").string()).find("No errors"),
              std::string::npos);
    const std::string sheet = Run("unzip -p " + (folder / "many.xlsx").string() +
                                  " xl/worksheets/sheet1.xml | tail -c 1000");
    EXPECT_NE(sheet.find(R"(<c r="N15001" t="s"><v>)"), std::string::npos);
    EXPECT_TRUE(sheet.ends_with("</row></sheetData></worksheet>"));
    // Cancelled while rows are still being made or deflated, it leaves nothing.
    for (const auto format : {ReportFormat::Csv, ReportFormat::Xlsx}) {
        EXPECT_FALSE(ExportCompletedReport(v, test::Locale, folder / "some", format,
                                           [](std::int32_t done, std::int32_t) { return !done; }));
        EXPECT_FALSE(std::filesystem::exists(folder / "some"));
        EXPECT_FALSE(std::filesystem::exists(folder / "some.new"));
    }

    const auto cancel = [](std::int32_t, std::int32_t) { return false; };
    for (const auto format : {ReportFormat::Csv, ReportFormat::Xlsx}) {
        const auto target = folder / "earlier";
        WriteBytes(target, "earlier");
        EXPECT_FALSE(ExportCompletedReport(v, test::Locale, target, format, cancel));
        EXPECT_EQ(ReadBytes(target), "earlier");
        EXPECT_FALSE(ExportCompletedReport(v, test::Locale, folder / "new", format, cancel));
        EXPECT_FALSE(std::filesystem::exists(folder / "new"));
        EXPECT_FALSE(std::filesystem::exists(folder / "new.new"));
    }
    // A write that fails, whichever thread made its rows, fails the export and leaves the
    // earlier file.
    int writes = 0;
    disk::SetFaultHook([&](disk::Operation op, const std::filesystem::path& file) {
        if (op == disk::Operation::Write && ++writes == 3)
            throw StoreError(file, "write", "the disk is full");
    });
    EXPECT_THROW(ExportCompletedReport(v, test::Locale, folder / "earlier", ReportFormat::Csv, all),
                 StoreError);
    disk::SetFaultHook(nullptr);
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(ReadBytes(folder / "earlier"), "earlier");
    EXPECT_FALSE(std::filesystem::exists(folder / "earlier.new"));
    EXPECT_EQ(ReportFormatOf("a/b.XLSX"), ReportFormat::Xlsx);
    EXPECT_EQ(ReportFormatOf("a/b.xlsx.csv"), ReportFormat::Csv);
}

// Cells a spreadsheet would run, and bytes no reader should get, in all three exports.
TEST_F(Exports, NoExportCarriesAFormulaOrAControlByte) {
    const std::vector<std::pair<SlipField, std::string>> hostile = {
        {SlipField::Name, "=cmd|' /C calc'!A0"},
        {SlipField::Street, "@SUM(1+1)*cmd|' /C calc'!A0"},
        {SlipField::Tel, "-2+3+cmd|'/c"},
        {SlipField::Apt, "+1 Unit"},
        {SlipField::City, "\tTabbed"},
        {SlipField::Problem, std::string("Bell\x07 Nul\0 Esc\x1b end", 19)}};
    SlipRecord slip = CustomerSlip("338-7", "1", "12/4/2026", "3", "1", "", "");
    for (const auto& [field, text] : hostile)
        slip.Set(field, text);
    WriteBytes(folder / "CompletedSlips.txt", FileOf({slip}));
    WriteBytes(folder / "Slips.txt", FileOf({slip}));
    ASSERT_TRUE(ExportCompletedReport(v, test::Locale, folder / "out.csv", ReportFormat::Csv,
                                      [](std::int32_t, std::int32_t) { return true; }));
    ASSERT_TRUE(ExportCompletedReport(v, test::Locale, folder / "out.xlsx", ReportFormat::Xlsx,
                                      [](std::int32_t, std::int32_t) { return true; }));
    const auto row = CsvRows(ReadBytes(folder / "out.csv")).at(1);
    auto cells = SheetCells((folder / "out.xlsx").string());
    const std::string ics =
        CalendarFile(v, 1, CalendarEvents(v, test::Locale, 1, {2026, 12, 4}, std::nullopt), "UTC");
    for (const auto& [column, csv, text] : std::vector<std::array<std::string, 3>>{
             {"F", "'=cmd|' /C calc'!A0", "=cmd|' /C calc'!A0"},
             {"G", "'@SUM(1+1)*cmd|' /C calc'!A0", "@SUM(1+1)*cmd|' /C calc'!A0"},
             {"H", "'+1 Unit", "+1 Unit"},
             {"I", "'\tTabbed", "\tTabbed"},
             {"L", "'-2+3+cmd|'/c", "-2+3+cmd|'/c"},
             {"M", "Bell Nul Esc end", "Bell Nul Esc end"}}) {
        EXPECT_EQ(row[column[0] - 'A'], csv) << column;
        const auto& [type, shown] = cells[column + "2"];
        EXPECT_TRUE(type == "inlineStr" || type == "s") << column;
        EXPECT_EQ(shown, text) << column;
    }
    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    EXPECT_STREQ(icalcomponent_get_summary(event), "SA 338-7 =cmd|' /C calc'!A0: Bell Nul Esc end");
    EXPECT_STREQ(icalcomponent_get_location(event),
                 "@SUM(1+1)*cmd|' /C calc'!A0, +1 Unit, \tTabbed, IL");
    icalcomponent_free(calendar);
    for (const std::string& file :
         {ReadBytes(folder / "out.csv"), ics, Run("unzip -p " + (folder / "out.xlsx").string())})
        for (char c : {'\0', '\x07', '\x1b'})
            EXPECT_EQ(file.find(c), std::string::npos) << int(c);
}

} // namespace
} // namespace rotaplan
