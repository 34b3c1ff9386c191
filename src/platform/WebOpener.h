#pragma once

#include <filesystem>
#include <string>

namespace rotaplan {

class WebOpener {
public:
    virtual ~WebOpener() = default;
    virtual void Open(const std::string& url) = 0;                    // in the desktop's browser
    virtual void OpenHelp(const std::filesystem::path& htmlFile) = 0; // in the help window
};

} // namespace rotaplan
