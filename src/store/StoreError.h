#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace rotaplan {

// The one error of the store: which file, what was being done to it, and why it failed.
class StoreError : public std::runtime_error {
public:
    StoreError(std::filesystem::path file, std::string operation, std::string reason);

    const std::filesystem::path& File() const { return file_; }
    const std::string& Operation() const { return operation_; }
    const std::string& Reason() const { return reason_; }

private:
    std::filesystem::path file_;
    std::string operation_;
    std::string reason_;
};

} // namespace rotaplan
