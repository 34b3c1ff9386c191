#include "support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace rotaplan::test {

TempFolder::TempFolder() {
    std::random_device seed;
    const auto base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = base / ("rotaplan-test-" + std::to_string(seed()));
        if (fs::create_directory(path_))
            return;
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadBytes(entry.path());
    return files;
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Day(const std::map<int, const char*>& booked, int entries) {
    std::string bytes;
    for (int i = 0; i < entries; ++i)
        bytes +=
            std::string("\"") + (booked.count(i) ? booked.at(i) : "No Event Scheduled") + "\"\r\n";
    return bytes;
}

} // namespace rotaplan::test
