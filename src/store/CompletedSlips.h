#pragma once

#include "store/CrewdeskVariables.h"

#include <string>
#include <string_view>
#include <vector>

namespace rotaplan {

inline constexpr const char* CompletedSlipsFile = "\\CompletedSlips.txt";
inline constexpr const char* TemporaryFile = "\\TemporaryFile.txt";

// One row of the completed summary: the columns after Rec, which is the row number.
struct CompletedRow {
    std::string date;
    std::string reference;
    std::string customer;
    std::string assignedTo;
    bool operator==(const CompletedRow&) const = default;
};

// Row r is record r of CompletedSlips.txt; no rows without the file.
std::vector<CompletedRow> ReadCompletedRows(CrewdeskVariables& v);
// The team's name for a Team field, or a note such as "(team 3)" when it names no team.
std::string AssignedToText(const CrewdeskVariables& v, std::string_view teamField);

// marked[r - 1] is the mark of row r of the rows shown. Rewrites the file through
// TemporaryFile.txt without the marked records. A file that is gone deletes nothing; one whose
// records no longer read as the rows shown is refused (StoreError), so a mark never hits
// another record than the one it was set on.
void DeleteSelectedCompletions(CrewdeskVariables& v, const std::vector<CompletedRow>& shown,
                               const std::vector<bool>& marked);
void DeleteAllCompletions(CrewdeskVariables& v);

} // namespace rotaplan
