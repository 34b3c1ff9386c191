#pragma once

#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace rotaplan {

// Told now and then how many records are written of how many; false cancels the export.
using ExportProgress = std::function<bool(std::int32_t done, std::int32_t total)>;

enum class ReportFormat { Csv, Xlsx };

// The format a chosen file name asks for: .xlsx, else CSV.
ReportFormat ReportFormatOf(const std::filesystem::path& file);

// CompletedSlips.txt as a report, one row per call under a header row: SA number, date, start
// time, hours, team, name, the address, ZIP, telephone, problem and status. CSV is UTF-8 with
// a byte-order mark, CR LF, every field quoted, the date as 2026-12-04; the workbook has date,
// time and number cells, every text a string cell, the header frozen. Streams record by record
// through a scratch file renamed over the target, so memory stays flat. False when cancelled:
// no file is left, an earlier one stays as it was.
bool ExportCompletedReport(const CrewdeskVariables& v, const Locale& locale,
                           const std::filesystem::path& target, ReportFormat format,
                           const ExportProgress& progress);

// Whether a spreadsheet would take the cell for a formula; CSV then gets an apostrophe first.
bool ReadsAsFormula(std::string_view text);

} // namespace rotaplan
