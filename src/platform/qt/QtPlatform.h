#pragma once

#include "platform/Platform.h"

#include <QLocale>
#include <QLockFile>
#include <QPointer>
#include <QTextBrowser>
#include <filesystem>
#include <memory>

namespace rotaplan {

// A text of the program in the installed language, line by line; a line without a
// translation (a file's name, a customer's) stays as it is.
QString TranslatedLines(const QString& text);

QDate ToQDate(const Date& date);
Date FromQDate(const QDate& date);

class QtClock : public Clock {
public:
    DateTime Now() const override;
};

// The system's forms, widened to a four-digit year. Falls back to US English where the
// system's forms would not fit the record or cannot be stored in Windows-1252.
class QtLocale : public Locale {
public:
    explicit QtLocale(const QLocale& locale = QLocale::system());
    std::string ShortDate(const Date& date) const override;
    std::optional<Date> ParseShortDate(const std::string& text) const override;
    std::string WeekdayName(const Date& date) const override;
    std::string MonthName(int month) const override;
    std::string CurrencyZero() const override;
    bool UsesFallback() const { return fallback_; }

private:
    QLocale locale_;
    QString format_;
    bool fallback_ = false;
    UsEnglishLocale us_;
};

class QtMessageBox : public MessageBox {
public:
    MessageAnswer Show(const std::string& text, const std::string& title,
                       MessageButtons buttons) override;
};

class QtBeeper : public Beeper {
public:
    void Beep() override;
};

// An exclusive lock on the program folder itself: nothing is written, and the system drops
// the lock when the process ends, however it ends. Where the folder cannot be locked, a lock
// file in it.
class FolderInstanceGuard : public InstanceGuard {
public:
    static constexpr const char* LockFileName = "Rotaplan.lock";

    explicit FolderInstanceGuard(std::filesystem::path programFolder);
    ~FolderInstanceGuard() override;
    bool TryAcquire() override;
    std::string Unchecked() const override { return unchecked_; }

private:
    std::filesystem::path folder_;
    int fd_ = -1;
    std::unique_ptr<QLockFile> lockFile_;
    std::string unchecked_;
};

class QtWebOpener : public WebOpener {
public:
    void Open(const std::string& url) override;
    void OpenHelp(const std::filesystem::path& htmlFile, const std::string& section) override;

private:
    QPointer<QTextBrowser> help_;
};

// Mounted volumes; those under /media, /run/media and /mnt count as removable.
class QtDriveList : public DriveList {
public:
    std::vector<Drive> Drives() const override;
};

// Offers the documents folder first.
class QtSaveDialog : public SaveDialog {
public:
    std::optional<std::filesystem::path> SaveAs(const std::string& title,
                                                const std::string& suggestedName,
                                                const std::string& filter) override;
};

class QtPrintDialog : public PrintDialog {
public:
    bool Print(const std::string& title, Paper paper,
               const std::function<void(QPagedPaintDevice&)>& paint) override;
};

// One of each real service, for a program on the given folder.
struct QtPlatform {
    explicit QtPlatform(const std::filesystem::path& programFolder) : instance(programFolder) {}
    QtClock clock;
    QtLocale locale;
    QtMessageBox messages;
    QtBeeper beep;
    FolderInstanceGuard instance;
    QtWebOpener web;
    QtDriveList drives;
    QtSaveDialog save;
    QtPrintDialog print;

    Platform Get() {
        return Platform{clock, locale, messages, beep, instance, web, drives, save, print};
    }
};

} // namespace rotaplan
