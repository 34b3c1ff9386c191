#pragma once

#include "store/CrewdeskVariables.h"
#include "store/Disk.h"
#include "store/SlipRecord.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
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

// The completed summary's rows: row r is record r of CompletedSlips.txt, counted when opened
// and read only when asked for, so a file of any length opens at once in little memory. A mark
// keeps the record as it was shown, for the delete to check the file against.
class CompletedRows {
public:
    explicit CompletedRows(const CrewdeskVariables& v); // no file: no rows
    std::int32_t Count() const { return count_; }
    CompletedRow Row(std::int32_t r); // 1..Count(); blank where the file no longer reaches
    bool Marked(std::int32_t r) const { return marks_.contains(r); }
    void Toggle(std::int32_t r);
    const std::map<std::int32_t, SlipRecord>& Marks() const { return marks_; }

private:
    static constexpr std::int32_t BlockRecords = 256;
    struct Block {
        std::int32_t first = 0; // record number of records.front(); 0 while unused
        std::uint64_t used = 0;
        std::vector<SlipRecord> records;
    };
    const SlipRecord& Record(std::int32_t r);

    const CrewdeskVariables& v_;
    std::unique_ptr<disk::ReadHandle> file_;
    std::int32_t count_ = 0;
    std::array<Block, 4> blocks_;
    std::uint64_t reads_ = 0;
    std::map<std::int32_t, SlipRecord> marks_;
};

// The team's name for a Team field, or a note such as "(team 3)" when it names no team.
std::string AssignedToText(const CrewdeskVariables& v, std::string_view teamField);

// Rewrites the file through TemporaryFile.txt without the marked records. A file that is gone
// deletes nothing; one that no longer holds as many records as shown, or whose marked records
// are not the ones shown, is refused (StoreError), so a mark never hits another record.
void DeleteSelectedCompletions(CrewdeskVariables& v, const CompletedRows& shown);
void DeleteAllCompletions(CrewdeskVariables& v);

} // namespace rotaplan
