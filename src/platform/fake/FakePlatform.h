#pragma once

#include "platform/Platform.h"

#include <deque>
#include <string>
#include <vector>

namespace rotaplan::fake {

class FakeClock : public Clock {
public:
    DateTime Now() const override { return now; }
    DateTime now{Date{2026, 12, 4}, 10, 0};
};

struct ShownMessage {
    std::string text;
    std::string title;
    MessageButtons buttons;
};

// Answers from a script; a box the script did not expect fails the test loudly.
class FakeMessageBox : public MessageBox {
public:
    MessageAnswer Show(const std::string& text, const std::string& title,
                       MessageButtons buttons) override;
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> shown;
};

class FakeBeeper : public Beeper {
public:
    void Beep() override { ++count; }
    int count = 0;
};

class FakeInstanceGuard : public InstanceGuard {
public:
    bool TryAcquire() override { return alone; }
    std::string Unchecked() const override { return unchecked; }
    bool alone = true;
    std::string unchecked;
};

class FakeWebOpener : public WebOpener {
public:
    void Open(const std::string& url) override { urls.push_back(url); }
    void OpenHelp(const std::filesystem::path& htmlFile, const std::string& section) override {
        helpFiles.push_back(htmlFile);
        helpSections.push_back(section);
    }
    std::vector<std::string> urls;
    std::vector<std::filesystem::path> helpFiles;
    std::vector<std::string> helpSections;
};

class FakeDriveList : public DriveList {
public:
    std::vector<Drive> Drives() const override { return drives; }
    std::vector<Drive> drives;
};

// Answers with the file set by the test; remembers what it was asked.
class FakeSaveDialog : public SaveDialog {
public:
    std::optional<std::filesystem::path> SaveAs(const std::string& title,
                                                const std::string& suggestedName,
                                                const std::string& filter) override;
    std::optional<std::filesystem::path> answer;
    std::vector<std::string> suggested;
};

// "Prints" into a PDF file when the test names one, else is cancelled.
class FakePrintDialog : public PrintDialog {
public:
    bool Print(const std::string& title, Paper paper,
               const std::function<void(QPagedPaintDevice&)>& paint) override;
    std::filesystem::path pdf;
    std::vector<Paper> papers;
    std::vector<std::string> titles;
};

// One of each fake, with the US English locale.
struct FakePlatform {
    FakeClock clock;
    UsEnglishLocale locale;
    FakeMessageBox messages;
    FakeBeeper beep;
    FakeInstanceGuard instance;
    FakeWebOpener web;
    FakeDriveList drives;
    FakeSaveDialog save;
    FakePrintDialog print;

    Platform Get() {
        return Platform{clock, locale, messages, beep, instance, web, drives, save, print};
    }
};

} // namespace rotaplan::fake
