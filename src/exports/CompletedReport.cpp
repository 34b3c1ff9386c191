#include "exports/CompletedReport.h"

#include "exports/TeamBookings.h"
#include "platform/Cp1252.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <xlsxwriter.h>

namespace rotaplan {

namespace {

constexpr std::int32_t ProgressStep = 4096;

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
constexpr SlipField TextFields[] = {SlipField::Name, SlipField::Street, SlipField::Apt,
                                    SlipField::City, SlipField::ST,     SlipField::Zip,
                                    SlipField::Tel,  SlipField::Problem};

// Each Windows-1252 byte's UTF-8, looked up once per byte instead of decoded per field;
// control bytes but tab map to nothing.
const std::array<std::string, 256>& Utf8OfByte() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> utf8;
        for (int b = 0; b < 256; ++b)
            if (b == '\t' || (b >= 0x20 && b != 0x7F))
                utf8[b] = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
        return utf8;
    }();
    return table;
}

bool Plain(unsigned char c) {
    return c >= 0x20 && c < 0x7F;
}

// Plain runs are copied whole; only bytes past ASCII or below blank are handled one by one.
void AppendUtf8(std::string& out, std::string_view cp1252) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp1252[i]);
        if (Plain(c))
            continue;
        out.append(cp1252.data() + from, i - from);
        out += Utf8OfByte()[c];
        from = i + 1;
    }
    out.append(cp1252.data() + from, cp1252.size() - from);
}

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
    virtual void Text(std::string_view utf8) = 0;
    virtual void Day(const Date& date) = 0;
    virtual void Hour(int hour) = 0;
    virtual void Count(int n) = 0;
    virtual void EndRow() = 0;
};

class CsvWriter : public ReportWriter {
public:
    explicit CsvWriter(disk::WriteHandle& out) : out_(out) { out_.Append("\xEF\xBB\xBF"); }
    void Text(std::string_view utf8) override {
        Open();
        if (ReadsAsFormula(utf8))
            row_ += '\'';
        std::size_t from = 0;
        for (std::size_t q; (q = utf8.find('"', from)) != std::string_view::npos; from = q + 1)
            row_.append(utf8.data() + from, q + 1 - from) += '"';
        row_.append(utf8.data() + from, utf8.size() - from) += '"';
    }
    void Day(const Date& date) override { Open().append(IsoDate(date)) += '"'; }
    void Hour(int hour) override {
        char text[8];
        std::snprintf(text, sizeof text, "%02d:00", hour);
        Open().append(text) += '"';
    }
    void Count(int n) override { Open().append(std::to_string(n)) += '"'; }
    void EndRow() override {
        row_ += "\r\n";
        out_.Append(row_);
        row_.clear();
    }

private:
    std::string& Open() {
        if (!row_.empty())
            row_ += ',';
        return row_ += '"';
    }
    disk::WriteHandle& out_;
    std::string row_;
};

struct WorkbookFree {
    void operator()(lxw_workbook* w) const { lxw_workbook_free(w); }
};

// Streamed: each row goes to disk as the next begins, strings inline, so memory stays flat.
class XlsxWriter : public ReportWriter {
public:
    explicit XlsxWriter(const std::filesystem::path& file) : file_(file) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = LXW_TRUE;
        workbook_.reset(workbook_new_opt(file.c_str(), &options));
        if (!workbook_)
            Fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
        sheet_ = workbook_add_worksheet(workbook_.get(), "Completed");
        dayFormat_ = workbook_add_format(workbook_.get());
        format_set_num_format_index(dayFormat_, 14); // the reader's own short date
        hourFormat_ = workbook_add_format(workbook_.get());
        format_set_num_format(hourFormat_, "hh:mm");
        for (std::size_t c = 0; c < Columns.size(); ++c)
            Check(worksheet_set_column(sheet_, lxw_col_t(c), lxw_col_t(c), Columns[c].width,
                                       nullptr));
        worksheet_freeze_panes(sheet_, 1, 0);
    }
    // A string cell whatever it begins with, so nothing reads as a formula.
    void Text(std::string_view utf8) override {
        text_.assign(utf8);
        Check(worksheet_write_string(sheet_, row_, column_++, text_.c_str(), nullptr));
    }
    // Days since 30 December 1899, the spreadsheets' day 0.
    void Day(const Date& date) override {
        constexpr long Epoch1970 = 25569;
        Check(worksheet_write_number(sheet_, row_, column_++, double(date.DayNumber() + Epoch1970),
                                     dayFormat_));
    }
    void Hour(int hour) override {
        Check(worksheet_write_number(sheet_, row_, column_++, hour / 24.0, hourFormat_));
    }
    void Count(int n) override {
        Check(worksheet_write_number(sheet_, row_, column_++, n, nullptr));
    }
    void EndRow() override {
        ++row_;
        column_ = 0;
    }
    void Close() {
        const lxw_error error = workbook_close(workbook_.release());
        if (error != LXW_NO_ERROR)
            Fail(error);
    }

private:
    void Check(lxw_error error) {
        if (error != LXW_NO_ERROR)
            Fail(error);
    }
    [[noreturn]] void Fail(lxw_error error) {
        throw StoreError(file_, "write", lxw_strerror(error));
    }
    std::filesystem::path file_;
    std::unique_ptr<lxw_workbook, WorkbookFree> workbook_;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* dayFormat_ = nullptr;
    lxw_format* hourFormat_ = nullptr;
    lxw_row_t row_ = 0;
    lxw_col_t column_ = 0;
    std::string text_;
};

struct Cancelled {};

// The rows of the completed slips, in file order, header first.
void WriteReport(const CrewdeskVariables& v, const Locale& locale,
                 const std::filesystem::path& source, ReportWriter& out,
                 const ExportProgress& progress) {
    for (const Column& column : Columns)
        out.Text(column.header);
    out.EndRow();
    if (!disk::FileExists(source))
        return;
    SlipFile completed(source);
    const std::int32_t total = completed.Count();
    std::map<std::string, std::string, std::less<>> teamNames;
    std::unordered_map<std::string, std::optional<Date>> days;
    SlipRecord record;
    std::string text;
    auto cell = [&](SlipField field) {
        text.clear();
        AppendUtf8(text, RawField(record, field));
        out.Text(text);
    };
    for (std::int32_t r = 1; r <= total; ++r) {
        if (r % ProgressStep == 1 && !progress(r - 1, total))
            throw Cancelled{};
        completed.Read(r, record);
        cell(SlipField::SANumber);

        const std::string_view dateText = RawField(record, SlipField::Date);
        auto day = days.find(std::string(dateText));
        if (day == days.end())
            day = days.emplace(dateText, locale.ParseShortDate(std::string(dateText))).first;
        if (day->second)
            out.Day(*day->second);
        else
            cell(SlipField::Date);

        if (const auto hour = StartHourOf(RawField(record, SlipField::StartIndex)))
            out.Hour(*hour);
        else
            cell(SlipField::StartIndex);
        if (const auto hours = Number(RawField(record, SlipField::Hours)))
            out.Count(*hours);
        else
            cell(SlipField::Hours);

        const std::string_view team = RawField(record, SlipField::Team);
        auto name = teamNames.find(team);
        if (name == teamNames.end())
            name = teamNames.emplace(team, WithoutControls(AssignedToText(v, team))).first;
        out.Text(name->second);

        for (SlipField field : TextFields)
            cell(field);
        // Every slip of this file is one whose day has gone by.
        if (RawField(record, SlipField::Status) == "Scheduled")
            out.Text("Completed");
        else
            cell(SlipField::Status);
        out.EndRow();
    }
    progress(total, total);
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
    try {
        if (format == ReportFormat::Csv) {
            disk::WriteThroughScratch(target, [&](disk::WriteHandle& out) {
                CsvWriter csv(out);
                WriteReport(v, locale, source, csv, progress);
            });
            return true;
        }
        constexpr std::int32_t SheetRows = 1048576;
        if (disk::FileExists(source) && SlipFile(source).Count() >= SheetRows)
            throw StoreError(target, "write",
                             "a workbook holds at most 1,048,575 rows; export as CSV instead");
        const auto scratch = std::filesystem::path(target).concat(".new");
        try {
            XlsxWriter xlsx(scratch);
            WriteReport(v, locale, source, xlsx, progress);
            xlsx.Close();
        } catch (...) {
            disk::RemoveFile(scratch);
            throw;
        }
        disk::ReplaceWith(scratch, target);
    } catch (const Cancelled&) {
        return false;
    }
    return true;
}

bool ReadsAsFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

} // namespace rotaplan
