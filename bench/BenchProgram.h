// The program as it runs for the operator, on a given folder, except that its messages (a
// generated folder holds more slips than its days have hours) are printed, not waited for.
#pragma once

#include "app/App.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace rotaplan::bench {

struct PrintedMessages : MessageBox {
    MessageAnswer Show(const std::string& text, const std::string&, MessageButtons) override {
        std::fprintf(stderr, "notice: %.200s\n", text.c_str());
        return MessageAnswer::Ok;
    }
};

class BenchProgram {
public:
    explicit BenchProgram(const std::filesystem::path& folder)
        : platform_(folder), services_(platform_.Get()),
          program_(folder,
                   {services_.clock, services_.locale, messages_, services_.beep,
                    services_.instance, services_.web, services_.drives, services_.save,
                    services_.print},
                   folder / "help" / "index.html") {}

    App& Get() { return program_; }

private:
    QtPlatform platform_;
    PrintedMessages messages_;
    Platform services_;
    App program_;
};

// The main of a benchmark program `name <program folder>`: starts the program there, then
// runs `then` and returns what it returns.
inline int RunStarted(int argc, char** argv, const char* name,
                      const std::function<int(QApplication&, Program&)>& then) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", name);
        return 2;
    }
    QApplication app(argc, argv);
    BenchProgram bench(argv[1]);
    if (!bench.Get().Start())
        return 1;
    return then(app, bench.Get());
}

} // namespace rotaplan::bench
