#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rotaplan {

struct Drive {
    std::string name;           // shown in the drive list
    std::filesystem::path root; // takes the place of "A:"
    bool removable = false;
};

class DriveList {
public:
    virtual ~DriveList() = default;
    virtual std::vector<Drive> Drives() const = 0; // removable ones first
};

} // namespace rotaplan
