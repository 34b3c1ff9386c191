#include "store/CrewdeskFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

// Reads the shortcut at the moment of the hand-over, as a launcher would.
struct ShortcutReader : WebOpener {
    explicit ShortcutReader(fs::path file) : shortcut(std::move(file)) {}
    void Open(const std::string&) override { seen = ReadBytes(shortcut); }
    void OpenHelp(const fs::path&) override {}
    fs::path shortcut;
    std::string seen;
};

TEST(OpenWebPage, HandsOverTheShortcutAndRemovesIt) {
    TempFolder folder;
    CrewdeskVariables v(folder.Path());
    ShortcutReader web(folder / "Temp.url");
    WriteBytes(folder / "Temp.url", "left over from before");
    OpenWebPage(v, web, "https://www.example.com/");
    EXPECT_EQ(web.seen, "[InternetShortcut]\r\nURL = https://www.example.com/\r\n");
    EXPECT_FALSE(fs::exists(folder / "Temp.url"));
}

} // namespace
} // namespace rotaplan::test
