#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/Repair.h"
#include "store/SlipRecord.h"
#include "store/StoreError.h"
#include "support/TempFolder.h"

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the store tests of whole operations share: the store's start-up, booking and
// deleting as the forms do them, and the rules a program folder must keep.
namespace rotaplan::test {

extern const UsEnglishLocale Locale;

// Holds every other thread's dates until it is let go, so that a test acts while the customer
// index is read; the thread that made it goes through.
class HeldLocale : public UsEnglishLocale {
public:
    std::optional<Date> ParseShortDate(const std::string& text) const override;
    void LetGo();

private:
    const std::thread::id maker_ = std::this_thread::get_id();
    mutable std::mutex mutex_;
    mutable std::condition_variable free_;
    bool let_ = false;
};

class StoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    CrewdeskVariables v{folder.Path()};
};

// A slip with these fields, the others blank; its 269 bytes; a file of such slips.
SlipRecord SlipOf(std::initializer_list<std::pair<SlipField, std::string>> fields);
std::string SlipBytes(std::initializer_list<std::pair<SlipField, std::string>> fields);
std::string FileOf(const std::vector<SlipRecord>& slips);
// A call for a customer of 1 Main St, Springfield IL, with a leak.
SlipRecord CustomerSlip(const std::string& sa, const char* team, const char* date,
                        const char* startIndex, const char* hours, const char* name,
                        const char* tel);

// The error the operation fails with; one naming no file when it does not fail.
StoreError ErrorOf(const std::function<void()>& operation);

// Every question is answered by takeBackup (Yes when true) and added to `asked`.
MendReport StartUp(CrewdeskVariables& v, const Date& today, bool takeBackup = false,
                   std::string* asked = nullptr);
void Book(CrewdeskVariables& v, int team, const Date& date, int slot, int hours);
void DeleteRecord(CrewdeskVariables& v, std::int32_t recordNumber);
// Every slip of today or later has its hours (unless teams were renumbered), every SA in a day
// file has its slip, no booked SA stands twice or among the completed, the counter is ahead of
// today's SAs, and no scratch file is left.
void ExpectConsistent(const std::filesystem::path& folder, const Date& today, bool teamsKept,
                      const std::string& where);

} // namespace rotaplan::test
