#include "exports/CompletedReport.h"

#include "exports/ZipArchive.h"
#include "platform/Cp1252.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

namespace rotaplan {

namespace {

struct Column {
    const char* header;
    double width; // in characters: the widest the record's field can be
};
constexpr std::array<Column, 14> Columns = {{{"SA Number", 11},
                                             {"Date", 11},
                                             {"Start Time", 10},
                                             {"Hours", 6},
                                             {"Team", 24},
                                             {"Name", 31},
                                             {"Address 1", 36},
                                             {"Address 2", 26},
                                             {"City", 21},
                                             {"State", 6},
                                             {"Zip", 11},
                                             {"Telephone", 14},
                                             {"Problem", 31},
                                             {"Status", 13}}};
// Each with whether its values repeat from row to row, as a city does and a name does not.
constexpr std::pair<SlipField, bool> TextFields[] = {
    {SlipField::Name, false}, {SlipField::Street, false}, {SlipField::Apt, false},
    {SlipField::City, true},  {SlipField::ST, true},      {SlipField::Zip, false},
    {SlipField::Tel, false},  {SlipField::Problem, true}};

// What each byte becomes in a cell of one format. A byte that is not special is copied as it
// is, in runs; a special one becomes its text: its UTF-8, escaped, or nothing for a control.
struct Conversion {
    std::array<bool, 256> special{};
    std::array<std::string, 256> as;
    std::vector<char> escaped;
    std::size_t widest = 1; // the most bytes one byte becomes

    // `fromCp1252`: bytes past ASCII are Windows-1252 characters, else UTF-8 passed on.
    Conversion(bool fromCp1252, std::initializer_list<std::pair<char, const char*>> escapes) {
        for (int b = 0; b < 256; ++b) {
            const bool control = (b < 0x20 && b != '\t') || b == 0x7F;
            special[b] = control || b == '\t' || (fromCp1252 && b >= 0x80);
            if (special[b] && !control)
                as[b] = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
        }
        for (const auto& [c, text] : escapes) {
            special[static_cast<unsigned char>(c)] = true;
            as[static_cast<unsigned char>(c)] = text;
            escaped.push_back(c);
        }
        for (const std::string& text : as)
            widest = std::max(widest, text.size());
    }
    // Whether no byte of a Windows-1252 record needs more than copying, looked at sixteen at a
    // time: none below blank, none past '~', none escaped.
    bool Plain(std::string_view bytes) const {
        using Bytes16 = unsigned char __attribute__((vector_size(16)));
        Bytes16 found{};
        std::size_t i = 0;
        for (; i + sizeof(Bytes16) <= bytes.size(); i += sizeof(Bytes16)) {
            Bytes16 w;
            std::memcpy(&w, bytes.data() + i, sizeof w);
            found |= reinterpret_cast<Bytes16>((w < ' ') | (w > '~'));
            for (char c : escaped)
                found |= reinterpret_cast<Bytes16>(w == static_cast<unsigned char>(c));
        }
        for (; i < bytes.size(); ++i)
            if (special[static_cast<unsigned char>(bytes[i])])
                return false;
        for (std::size_t k = 0; k < sizeof(Bytes16); ++k)
            if (found[k])
                return false;
        return true;
    }
    bool Dropped(char c) const {
        const auto b = static_cast<unsigned char>(c);
        return special[b] && as[b].empty();
    }
    // Each byte is looked at once; runs of plain ones go in whole. `out` has room for
    // Widest() bytes for each of the text's; returns the end of what was put.
    char* Append(char* out, std::string_view text) const {
        const char* run = text.data();
        const char* end = text.data() + text.size();
        for (const char* p = run; p != end; ++p) {
            const auto b = static_cast<unsigned char>(*p);
            if (!special[b])
                continue;
            out = std::copy(run, p, out);
            out = std::copy(as[b].begin(), as[b].end(), out);
            run = p + 1;
        }
        return std::copy(run, end, out);
    }
    void Append(std::string& out, std::string_view text) const {
        const std::size_t at = out.size();
        out.resize(at + widest * text.size());
        out.resize(static_cast<std::size_t>(Append(out.data() + at, text) - out.data()));
    }
    // The first and last byte kept, 0 when none is.
    std::pair<char, char> Ends(std::string_view text) const {
        const auto first =
            std::find_if(text.begin(), text.end(), [&](char c) { return !Dropped(c); });
        if (first == text.end())
            return {0, 0};
        return {*first,
                *std::find_if(text.rbegin(), text.rend(), [&](char c) { return !Dropped(c); })};
    }
};

std::optional<int> Number(std::string_view text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

// The hour of an entry of the start-time table (06:00 to 11:00, then 01:00 to 06:00 pm), as
// the call record form shows a slip's start whatever the start hour is now.
std::optional<int> StartHourOf(std::string_view startIndex) {
    const auto index = Number(startIndex);
    if (!index || *index < 1 || *index > 12)
        return std::nullopt;
    return *index <= 6 ? 5 + *index : 6 + *index;
}

// One row at a time, cell by cell from the left.
class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    virtual void Record(std::string_view record) = 0; // before the row of its fields
    virtual void Field(std::string_view cp1252) = 0;  // as the record holds it
    virtual void Text(std::string_view utf8) = 0;
    // A field or text whose values repeat from row to row; a workbook keeps each value once.
    virtual void Repeated(std::string_view cp1252) { Field(cp1252); }
    virtual void RepeatedText(std::string_view utf8) { Text(utf8); }
    virtual void Day(const Date& date) = 0;
    virtual void Hour(int hour) = 0;
    virtual void Count(int n) = 0;
    virtual void EndRow() = 0;
};

void AppendNumber(std::string& out, long n) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, n).ptr);
}

// Rows are put straight into a block through a cursor, for the caller to write out; a
// record's row always fits in the room kept for it, so no byte is checked for room.
class CsvWriter : public ReportWriter {
public:
    CsvWriter() : block_(RowRoom), at_(block_.data()) {}
    void Record(std::string_view record) override {
        plain_ = FromCp1252().Plain(record);
        Room(RowRoom);
    }
    void Field(std::string_view cp1252) override {
        Open();
        if (!plain_)
            return Quoted(cp1252, FromCp1252());
        if (ReadsAsFormula(cp1252))
            *at_++ = '\'';
        at_ = Put(at_, cp1252);
        *at_++ = '"';
    }
    void Text(std::string_view utf8) override { PutText(utf8); }
    // The team names and the status: each converted once.
    void RepeatedText(std::string_view utf8) override {
        const auto made = std::find_if(made_.begin(), made_.end(),
                                       [&](const auto& m) { return m.first == utf8; });
        if (made == made_.end()) {
            const char* cell = PutText(utf8);
            if (made_.size() < MostMade)
                made_.emplace_back(utf8, std::string(cell, static_cast<const char*>(at_)));
            return;
        }
        Room(made->second.size() + RowRoom);
        Open();
        at_ = Put(at_, made->second);
    }
    void Day(const Date& date) override {
        if (date != day_) {
            day_ = date;
            char* d = dayText_.data();
            d = Digits(d, date.year, 4);
            *d++ = '-';
            d = Digits(d, date.month, 2);
            *d++ = '-';
            Digits(d, date.day, 2);
        }
        Open();
        at_ = Put(at_, {dayText_.data(), dayText_.size()});
        *at_++ = '"';
    }
    void Hour(int hour) override {
        Open();
        at_ = Digits(at_, hour, 2);
        at_ = Put(at_, ":00\"");
    }
    void Count(int n) override {
        Open();
        at_ = std::to_chars(at_, at_ + 16, n).ptr;
        *at_++ = '"';
    }
    void EndRow() override {
        at_ = Put(at_, "\r\n");
        first_ = true;
    }
    std::string_view Rows() const { return {block_.data(), Used()}; }
    void Clear() { at_ = block_.data(); }

private:
    // A record's row at its longest: each byte three of UTF-8, quotes, commas, apostrophes.
    static constexpr std::size_t RowRoom = 3 * SlipRecordLength + 8 * Columns.size();
    static constexpr std::size_t MostMade = 64;
    // Quotes doubled, an apostrophe before what a spreadsheet would run.
    static const Conversion& FromCp1252() {
        static const Conversion conversion(true, {{'"', "\"\""}});
        return conversion;
    }
    static const Conversion& FromUtf8() {
        static const Conversion conversion(false, {{'"', "\"\""}});
        return conversion;
    }
    static char* Put(char* to, std::string_view bytes) {
        return std::copy(bytes.begin(), bytes.end(), to);
    }
    static char* Digits(char* to, int n, int digits) {
        for (int i = digits - 1; i >= 0; --i, n /= 10)
            to[i] = static_cast<char>('0' + n % 10);
        return to + digits;
    }
    std::size_t Used() const { return static_cast<std::size_t>(at_ - block_.data()); }
    void Room(std::size_t bytes) {
        const std::size_t used = Used();
        if (block_.size() - used >= bytes)
            return;
        block_.resize(std::max(2 * block_.size(), used + bytes));
        at_ = block_.data() + used;
    }
    void Open() {
        if (!first_)
            *at_++ = ',';
        first_ = false;
        *at_++ = '"';
    }
    void Quoted(std::string_view text, const Conversion& conversion) {
        const char first = conversion.Ends(text).first;
        if (ReadsAsFormula(std::string_view(&first, first ? 1 : 0)))
            *at_++ = '\'';
        at_ = conversion.Append(at_, text);
        *at_++ = '"';
    }
    // Returns where the cell begins, after its opening quote. The room kept is for the rest
    // of the row as well.
    const char* PutText(std::string_view utf8) {
        Room(FromUtf8().widest * utf8.size() + RowRoom);
        Open();
        const char* cell = at_;
        Quoted(utf8, FromUtf8());
        return cell;
    }

    std::vector<char> block_;
    char* at_;
    bool first_ = true;
    bool plain_ = false;
    Date day_{};
    std::array<char, 10> dayText_{};
    std::vector<std::pair<std::string, std::string>> made_; // text, its cell after the quote
};

// The sheet's XML is made here and deflated by the archive on other threads as it grows. Every
// text is an inline string cell, whatever it begins with, so nothing reads as a formula.
class XlsxWriter : public ReportWriter {
public:
    explicit XlsxWriter(disk::WriteHandle& out) : zip_(out) {
        zip_.Add("[Content_Types].xml", std::string(Declaration) + ContentTypes);
        shared_.reserve(MostShared);
        zip_.Add("_rels/.rels", Relationships({{"officeDocument", "xl/workbook.xml"}}));
        zip_.Add("xl/workbook.xml", std::string(Declaration) + Workbook);
        zip_.Add("xl/_rels/workbook.xml.rels",
                 Relationships({{"worksheet", "worksheets/sheet1.xml"},
                                {"styles", "styles.xml"},
                                {"sharedStrings", "sharedStrings.xml"}}));
        zip_.Add("xl/styles.xml", std::string(Declaration) + Styles);
        zip_.Begin("xl/worksheets/sheet1.xml");
        std::string& xml = zip_.Buffer();
        xml += Declaration;
        xml += SheetStart;
        for (std::size_t c = 0; c < Columns.size(); ++c) {
            // As the spreadsheets size a column of so many characters in their default font.
            char width[32];
            std::snprintf(width, sizeof width, "%.16g",
                          std::floor((Columns[c].width * 7 + 5) / 7 * 256) / 256);
            const std::string column = std::to_string(c + 1);
            xml += "<col min=\"" + column + "\" max=\"" + column + "\" width=\"" + width +
                   "\" customWidth=\"1\"/>";
        }
        xml += "</cols><sheetData>";
        StartRow();
    }
    void Record(std::string_view record) override { plain_ = FromCp1252().Plain(record); }
    void Field(std::string_view cp1252) override {
        if (!plain_)
            return String(cp1252, FromCp1252());
        if (cp1252.empty())
            return Blank();
        // Trimmed of blanks and holding no tab, a plain field needs no word on its spaces.
        Open(R"( t="inlineStr"><is><t>)");
        zip_.Buffer().append(cp1252) += "</t></is></c>";
    }
    void Text(std::string_view utf8) override { String(utf8, FromUtf8()); }
    void Repeated(std::string_view cp1252) override { Shared(cp1252, FromCp1252()); }
    void RepeatedText(std::string_view utf8) override { Shared(utf8, FromUtf8()); }
    // Days since 30 December 1899, the spreadsheets' day 0.
    void Day(const Date& date) override {
        constexpr long Epoch1970 = 25569;
        std::string& xml = zip_.Buffer();
        Open(R"( s="1"><v>)");
        AppendNumber(xml, date.DayNumber() + Epoch1970);
        xml += "</v></c>";
    }
    void Hour(int hour) override {
        static const std::array<std::string, 24> fractions = [] {
            std::array<std::string, 24> texts;
            for (int h = 0; h < 24; ++h) {
                char text[32];
                std::snprintf(text, sizeof text, "%.16g", h / 24.0);
                texts[static_cast<std::size_t>(h)] = text;
            }
            return texts;
        }();
        std::string& xml = zip_.Buffer();
        Open(R"( s="2"><v>)");
        xml += fractions[static_cast<std::size_t>(hour)];
        xml += "</v></c>";
    }
    void Count(int n) override {
        std::string& xml = zip_.Buffer();
        Open("><v>");
        AppendNumber(xml, n);
        xml += "</v></c>";
    }
    void EndRow() override {
        zip_.Buffer() += "</row>";
        zip_.Flush();
        StartRow();
    }
    void Finish() {
        zip_.Buffer().resize(rowStart_); // the row begun after the last
        zip_.Buffer() += SheetEnd;
        zip_.End();
        zip_.Begin("xl/sharedStrings.xml");
        std::string& xml = zip_.Buffer();
        xml += Declaration;
        xml += R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")";
        AppendNumber(xml, sharedCells_);
        xml += R"(" uniqueCount=")";
        AppendNumber(xml, static_cast<long>(sharedOrder_.size()));
        xml += "\">";
        for (const std::string* text : sharedOrder_) {
            xml += BlankEnds(*text) ? R"(<si><t xml:space="preserve">)" : "<si><t>";
            xml += *text;
            xml += "</t></si>";
            zip_.Flush();
        }
        zip_.Buffer() += "</sst>";
        zip_.End();
        zip_.Close();
    }

private:
    static const Conversion& FromCp1252() {
        static const Conversion conversion(true, {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}});
        return conversion;
    }
    static const Conversion& FromUtf8() {
        static const Conversion conversion(false, {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}});
        return conversion;
    }
    void StartRow() {
        std::string& xml = zip_.Buffer();
        rowStart_ = xml.size();
        rowNumber_.clear();
        AppendNumber(rowNumber_, ++row_);
        xml += "<row r=\"";
        xml += rowNumber_;
        xml += "\">";
        column_ = 'A';
    }
    // Gnumeric places a cell only by its reference.
    void Open(const char* rest) {
        std::string& xml = zip_.Buffer();
        xml += "<c r=\"";
        xml += column_++;
        xml += rowNumber_;
        xml += '"';
        xml += rest;
    }
    // A text without a character kept is no cell at all.
    void Blank() { ++column_; }
    // Blanks at either end are kept only when the text says so.
    static bool BlankEnds(std::string_view text) {
        const auto blank = [](char c) { return c == ' ' || c == '\t'; };
        return !text.empty() && (blank(text.front()) || blank(text.back()));
    }
    void String(std::string_view text, const Conversion& conversion) {
        std::string& xml = zip_.Buffer();
        const auto [first, last] = conversion.Ends(text);
        if (!first)
            return Blank();
        Open(BlankEnds({&first, 1}) || BlankEnds({&last, 1})
                 ? R"( t="inlineStr"><is><t xml:space="preserve">)"
                 : R"( t="inlineStr"><is><t>)");
        conversion.Append(xml, text);
        xml += "</t></is></c>";
    }
    // Numbered in the order first met; past the most kept, a text goes inline.
    void Shared(std::string_view text, const Conversion& conversion) {
        escaped_.clear();
        conversion.Append(escaped_, text);
        if (escaped_.empty())
            return Blank();
        auto known = shared_.find(escaped_);
        if (known == shared_.end()) {
            if (shared_.size() == MostShared)
                return String(text, conversion);
            known = shared_.emplace(escaped_, static_cast<long>(shared_.size())).first;
            sharedOrder_.push_back(&known->first);
        }
        ++sharedCells_;
        Open(R"( t="s"><v>)");
        std::string& xml = zip_.Buffer();
        AppendNumber(xml, known->second);
        xml += "</v></c>";
    }

    static constexpr const char* Declaration =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    // Each target by its kind of relationship, numbered rId1 on.
    static std::string
    Relationships(std::initializer_list<std::pair<const char*, const char*>> kindAndTarget) {
        std::string xml =
            std::string(Declaration) +
            R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
        int id = 0;
        for (const auto& [kind, target] : kindAndTarget)
            xml +=
                "<Relationship Id=\"rId" + std::to_string(++id) +
                "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" +
                kind + "\" Target=\"" + target + "\"/>";
        return xml + "</Relationships>";
    }
    static constexpr const char* ContentTypes =
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
        R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
        R"(</Types>)";
    static constexpr const char* Workbook =
        R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
        R"(<bookViews><workbookView/></bookViews>)"
        R"(<sheets><sheet name="Completed" sheetId="1" r:id="rId1"/></sheets></workbook>)";
    // Style 1 is the reader's own short date, style 2 the time of day.
    static constexpr const char* Styles =
        R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="hh:mm"/></numFmts>)"
        R"(<fonts count="1"><font><sz val="11"/><name val="Calibri"/><family val="2"/></font></fonts>)"
        R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
        R"(<fill><patternFill patternType="gray125"/></fill></fills>)"
        R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
        R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
        R"(<cellXfs count="3"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
        R"(<xf numFmtId="14" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
        R"(<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
        R"(</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
        R"(</styleSheet>)";
    // The header row stays in view.
    static constexpr const char* SheetStart =
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
        R"(<sheetViews><sheetView tabSelected="1" workbookViewId="0">)"
        R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"
        R"(<selection pane="bottomLeft"/></sheetView></sheetViews>)"
        R"(<sheetFormatPr defaultRowHeight="15"/><cols>)";
    static constexpr const char* SheetEnd = "</sheetData></worksheet>";

    static constexpr std::size_t MostShared = 4096;
    ZipArchive zip_;
    std::unordered_map<std::string, long> shared_;
    std::vector<const std::string*> sharedOrder_;
    std::string escaped_;
    long sharedCells_ = 0;
    std::size_t rowStart_ = 0;
    long row_ = 0;
    std::string rowNumber_;
    char column_ = 'A';
    bool plain_ = false;
};

struct Cancelled {};

// Says each record's row to a writer, cell by cell; keeps what it made of the days and teams
// met, since they repeat from row to row.
class RowMaker {
public:
    RowMaker(const CrewdeskVariables& v, const Locale& locale) : v_(v), locale_(locale) {}

    void Rows(std::string_view records, ReportWriter& out) {
        for (std::size_t at = 0; at < records.size(); at += SlipRecordLength)
            Row({records.data() + at, SlipRecordLength}, out);
    }

private:
    void Row(std::string_view record, ReportWriter& out) {
        const auto field = [&](SlipField f) { out.Field(RawField(record, f)); };
        out.Record(record);
        field(SlipField::SANumber);

        // The slips of a day mostly follow each other.
        const std::string_view dateText = RawField(record, SlipField::Date);
        if (!day_ || day_->first != dateText) {
            auto known = days_.find(std::string(dateText));
            if (known == days_.end())
                known =
                    days_.emplace(dateText, locale_.ParseShortDate(std::string(dateText))).first;
            day_ = &*known;
        }
        if (day_->second)
            out.Day(*day_->second);
        else
            field(SlipField::Date);

        if (const auto hour = StartHourOf(RawField(record, SlipField::StartIndex)))
            out.Hour(*hour);
        else
            field(SlipField::StartIndex);
        if (const auto hours = Number(RawField(record, SlipField::Hours)))
            out.Count(*hours);
        else
            field(SlipField::Hours);

        const std::string_view team = RawField(record, SlipField::Team);
        auto name = teamNames_.find(team);
        if (name == teamNames_.end())
            name = teamNames_.emplace(team, AssignedToText(v_, team)).first;
        out.RepeatedText(name->second);

        for (const auto& [f, repeats] : TextFields)
            if (repeats)
                out.Repeated(RawField(record, f));
            else
                field(f);
        // Every slip of this file is one whose day has gone by.
        if (RawField(record, SlipField::Status) == "Scheduled")
            out.RepeatedText("Completed");
        else
            out.Repeated(RawField(record, SlipField::Status));
        out.EndRow();
    }

    const CrewdeskVariables& v_;
    const Locale& locale_;
    std::map<std::string, std::string, std::less<>> teamNames_;
    std::unordered_map<std::string, std::optional<Date>> days_;
    const std::pair<const std::string, std::optional<Date>>* day_ = nullptr;
};

// The completed slips a chunk of records at a time, read by any thread.
class Chunks {
public:
    static constexpr std::int32_t Records = 2048; // also how often progress is told

    explicit Chunks(const std::filesystem::path& file)
        : in_(file), total_(static_cast<std::int32_t>(in_.Length() / SlipRecordLength)) {}
    std::int32_t Total() const { return total_; } // records
    std::int32_t Count() const { return (total_ + Records - 1) / Records; }
    std::string_view Read(std::int32_t chunk, std::string& buffer) const {
        const std::int32_t first = chunk * Records;
        buffer.resize(static_cast<std::size_t>(std::min(Records, total_ - first)) *
                      SlipRecordLength);
        if (in_.ReadAt(static_cast<std::uint64_t>(first) * SlipRecordLength, buffer.data(),
                       buffer.size()) != buffer.size())
            throw StoreError(in_.File(), "read", "the file became shorter while it was read");
        return buffer;
    }

private:
    disk::ReadHandle in_;
    std::int32_t total_;
};

void WriteHeader(ReportWriter& out) {
    for (const Column& column : Columns)
        out.Text(column.header);
    out.EndRow();
}

void WriteWorkbook(const CrewdeskVariables& v, const Locale& locale, const Chunks* chunks,
                   disk::WriteHandle& file, const ExportProgress& progress) {
    XlsxWriter sheet(file);
    WriteHeader(sheet);
    if (chunks) {
        RowMaker maker(v, locale);
        std::string records;
        for (std::int32_t chunk = 0; chunk < chunks->Count(); ++chunk) {
            if (!progress(chunk * Chunks::Records, chunks->Total()))
                throw Cancelled{};
            maker.Rows(chunks->Read(chunk, records), sheet);
        }
    }
    sheet.Finish();
}

// The rows are made a chunk at a time on every core; each chunk is written in its turn by
// the thread that made it. Progress is told, and a cancel heard, on the calling thread only.
void WriteCsv(const CrewdeskVariables& v, const Locale& locale, const Chunks* chunks,
              disk::WriteHandle& file, const ExportProgress& progress) {
    CsvWriter header;
    WriteHeader(header);
    file.Append("\xEF\xBB\xBF");
    file.Append(header.Rows());
    if (!chunks)
        return;
    // `written` counts the chunks written, in order, or is Stopped for good.
    constexpr std::int32_t Stopped = -1;
    std::atomic<std::int32_t> next = 0;
    std::atomic<std::int32_t> written = 0;
    std::mutex failed;
    std::exception_ptr failure;
    bool cancelled = false;
    const auto stopAll = [&] {
        written = Stopped;
        written.notify_all();
    };
    const auto work = [&](bool tellsProgress) {
        try {
            RowMaker maker(v, locale);
            CsvWriter rows;
            std::string records;
            for (std::int32_t chunk; (chunk = next++) < chunks->Count();) {
                rows.Clear();
                maker.Rows(chunks->Read(chunk, records), rows);
                for (std::int32_t now; (now = written) != chunk;) {
                    if (now == Stopped)
                        return;
                    written.wait(now);
                }
                file.Append(rows.Rows());
                // Only a stop can have changed it meanwhile.
                if (std::int32_t turn = chunk; !written.compare_exchange_strong(turn, chunk + 1))
                    return;
                written.notify_all();
                const std::int32_t done = std::min((chunk + 1) * Chunks::Records, chunks->Total());
                if (tellsProgress && !progress(done, chunks->Total())) {
                    cancelled = true;
                    return stopAll();
                }
            }
        } catch (...) {
            const std::lock_guard hold(failed);
            if (!failure)
                failure = std::current_exception();
            stopAll();
        }
    };
    if (!progress(0, chunks->Total()))
        throw Cancelled{};
    std::vector<std::jthread> helpers;
    for (unsigned i = 1; i < std::clamp(std::thread::hardware_concurrency(), 1u, 4u); ++i)
        helpers.emplace_back(work, false);
    work(true);
    helpers.clear();
    if (failure)
        std::rethrow_exception(failure);
    if (cancelled)
        throw Cancelled{};
}

} // namespace

ReportFormat ReportFormatOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".xlsx" ? ReportFormat::Xlsx : ReportFormat::Csv;
}

bool ExportCompletedReport(const CrewdeskVariables& v, const Locale& locale,
                           const std::filesystem::path& target, ReportFormat format,
                           const ExportProgress& progress) {
    const auto source = ProgramPath(v, CompletedSlipsFile);
    constexpr std::int32_t SheetRows = 1048576;
    if (format == ReportFormat::Xlsx && disk::FileExists(source) &&
        SlipFile(source).Count() >= SheetRows)
        throw StoreError(target, "write",
                         "a workbook holds at most 1,048,575 rows; export as CSV instead");
    try {
        disk::WriteThroughScratch(target, [&](disk::WriteHandle& out) {
            std::optional<Chunks> chunks;
            if (disk::FileExists(source))
                chunks.emplace(source);
            const Chunks* rows = chunks ? &*chunks : nullptr;
            if (format == ReportFormat::Csv)
                WriteCsv(v, locale, rows, out, progress);
            else
                WriteWorkbook(v, locale, rows, out, progress);
            progress(chunks ? chunks->Total() : 0, chunks ? chunks->Total() : 0);
        });
    } catch (const Cancelled&) {
        return false;
    }
    return true;
}

bool ReadsAsFormula(std::string_view text) {
    if (text.empty())
        return false;
    switch (text.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

} // namespace rotaplan
