#pragma once

#include <filesystem>
#include <string>

namespace rotaplan {

class WebOpener {
public:
    virtual ~WebOpener() = default;
    virtual void Open(const std::string& url) = 0; // in the desktop's browser
    // In the help window, at the anchor named section (the top when empty).
    virtual void OpenHelp(const std::filesystem::path& htmlFile, const std::string& section) = 0;
};

} // namespace rotaplan
