#include "platform/qt/CommandLine.h"

#include "Version.h"
#include "platform/ProgramFolder.h"

#include <QCommandLineParser>
#include <cstdlib>

namespace rotaplan {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string VersionText() {
    return "Rotaplan " + std::to_string(version::Major) + "." + std::to_string(version::Minor) +
           "." + std::to_string(version::Revision);
}

} // namespace

Launch ReadCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Books service calls onto the hours of up to two teams.");
    const QCommandLineOption help({"h", "help"}, "Shows this help and ends.");
    const QCommandLineOption version({"v", "version"}, "Shows the version and ends.");
    const QCommandLineOption folder(
        "folder",
        "Keeps the operator's files in DIR instead of beside the program or in "
        "~/.local/share/Rotaplan.",
        "DIR");
    parser.addOptions({help, version, folder});

    Launch launch;
    const bool parsed = parser.parse(arguments);
    // An empty DIR would quietly mean the executable's folder.
    if (!parsed || !parser.positionalArguments().isEmpty() ||
        (parser.isSet(folder) && parser.value(folder).isEmpty())) {
        const QString reason =
            !parsed ? parser.errorText()
            : parser.positionalArguments().isEmpty()
                ? "The folder after '--folder' is empty."
                : "Unexpected argument '" + parser.positionalArguments()[0] + "'.";
        err << "rotaplan: " << reason.toStdString() << " Try 'rotaplan --help'.\n";
        launch.exitStatus = 2;
        return launch;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        out << (parser.isSet(help) ? "Usage: rotaplan [--folder DIR]\n" +
                                         parser.helpText().section('\n', 1, -1).toStdString()
                                   : VersionText() + "\n");
        launch.exitStatus = 0;
        return launch;
    }

    std::error_code ec;
    launch.executableFolder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    launch.folder =
        ChooseProgramFolder({launch.executableFolder, parser.value(folder).toStdString(),
                             Env("XDG_DATA_HOME"), Env("HOME")});
    launch.helpFile = FindHelpFile(launch.executableFolder);
    // The operator's customers are no one else's to read.
    if (std::filesystem::create_directories(launch.folder, ec))
        std::filesystem::permissions(launch.folder, std::filesystem::perms::owner_all, ec);
    if (ec) {
        err << "rotaplan: cannot make the folder " << launch.folder.string() << ": " << ec.message()
            << "\n";
        launch.exitStatus = 1;
    }
    return launch;
}

} // namespace rotaplan
