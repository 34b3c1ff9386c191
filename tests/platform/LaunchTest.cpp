#include "platform/ProgramFolder.h"
#include "platform/qt/CommandLine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(ProgramFolder, BesideTheExecutableWhenWritableElseTheUsersDataFolder) {
    TempFolder writable, readOnly;
    fs::permissions(readOnly.Path(), fs::perms::owner_write, fs::perm_options::remove);
    const fs::path data = "/home/op/.local/share/Rotaplan";
    const std::tuple<fs::path, fs::path, std::string, fs::path> cases[] = {
        {writable.Path(), "", "", writable.Path()},
        {readOnly.Path(), "", "", data},
        {"/usr/bin", "", "", data}, // the superuser's too
        {readOnly.Path(), "", "/srv/xdg", "/srv/xdg/Rotaplan"},
        {readOnly.Path(), "", "not/absolute", data},
        {writable.Path(), "/srv/a/../b", "", "/srv/b"},
        {"/usr/bin", "here", "", fs::current_path() / "here"},
    };
    for (const auto& [executable, named, xdgDataHome, expected] : cases)
        EXPECT_EQ(ChooseProgramFolder({executable, named, xdgDataHome, "/home/op"}), expected);

    test::WriteBytes(writable / "help/index.html", "");
    EXPECT_EQ(FindHelpFile(writable.Path()), writable / "help/index.html");
    EXPECT_EQ(FindHelpFile("/usr/bin"), "/usr/share/rotaplan/help/index.html");
}

TEST(CommandLine, AnswersTheVersionRefusesWhatItDoesNotKnowInOneLineAndMakesTheFolder) {
    TempFolder temp;
    const QString named = QString::fromStdString((temp / "new/data").string());
    const std::tuple<QStringList, std::optional<int>, std::string, std::string> cases[] = {
        {{"--version"}, 0, "Rotaplan 2.0.0\n", ""},
        {{"--bogus", "-h"}, 2, "", "Unknown option 'bogus'."},
        {{"extra"}, 2, "", "Unexpected argument 'extra'."},
        {{"--folder"}, 2, "", "Missing value after '--folder'."},
        {{"--folder", ""}, 2, "", "The folder after '--folder' is empty."},
        {{"--folder", named}, std::nullopt, "", ""},
    };
    for (const auto& [arguments, status, shown, refused] : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(ReadCommandLine(QStringList{"rotaplan"} + arguments, out, err).exitStatus,
                  status);
        EXPECT_EQ(out.str(), shown);
        EXPECT_EQ(err.str(),
                  refused.empty() ? "" : "rotaplan: " + refused + " Try 'rotaplan --help'.\n");
    }
    EXPECT_EQ(fs::status(temp / "new/data").permissions(), fs::perms::owner_all)
        << "made for the operator alone";
}

} // namespace
} // namespace rotaplan
