#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace rotaplan::test {

namespace fs = std::filesystem;

// A fresh program folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
// Every file under the folder, by its relative name.
std::map<std::string, std::string> FilesUnder(const fs::path& folder);
// The bytes of a day file of twelve entries (or as many as given), free except those booked.
std::string Day(const std::map<int, const char*>& booked, int entries = 12);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace rotaplan::test
