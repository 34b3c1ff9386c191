#pragma once

#include "store/CrewdeskVariables.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace rotaplan {

// Told now and then how many records are written of how many; false cancels the export.
using ExportProgress = std::function<bool(std::int32_t done, std::int32_t total)>;

// CompletedSlips.txt as a spreadsheet: UTF-8 with a byte-order mark, CR LF, every field
// quoted; a header row, then one row per record with its nineteen fields, trimmed, and the
// team's name. Streams record by record through a scratch file renamed over the target, so
// memory stays flat. False when cancelled: no file is left, an earlier one stays as it was.
bool ExportCompletedCsv(const CrewdeskVariables& v, const std::filesystem::path& target,
                        const ExportProgress& progress);

} // namespace rotaplan
