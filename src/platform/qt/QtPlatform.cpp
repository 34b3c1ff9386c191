#include "platform/qt/QtPlatform.h"

#include "platform/Cp1252.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLockFile>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace rotaplan {

QString TranslatedLines(const QString& text) {
    const bool crlf = text.contains("\r\n");
    QStringList lines = text.split(crlf ? "\r\n" : "\n");
    for (QString& line : lines)
        if (!line.isEmpty())
            line = QCoreApplication::translate("Rotaplan", line.toUtf8().constData());
    return lines.join(crlf ? "\r\n" : "\n");
}

QDate ToQDate(const Date& d) {
    return QDate(d.year, d.month, d.day);
}

Date FromQDate(const QDate& d) {
    return Date{d.year(), d.month(), d.day()};
}

namespace {

bool Storable(const QString& text) {
    return FirstUnstorable(text.toStdString()).empty();
}

// Qt's short forms carry two-digit years; the record keeps four.
QString WidenYear(QString format) {
    static const QRegularExpression shortYear("(?<!y)y{1,3}(?!y)");
    return format.replace(shortYear, "yyyy");
}

} // namespace

DateTime QtClock::Now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    return DateTime{Date{d.year(), d.month(), d.day()}, now.time().hour(), now.time().minute()};
}

QtLocale::QtLocale(const QLocale& locale)
    : locale_(locale), format_(WidenYear(locale.dateFormat(QLocale::ShortFormat))) {
    // The widest dates must fit the 10-character field and read back.
    const bool fits = [this] {
        for (const QDate d : {QDate(9999, 12, 28), QDate(1000, 1, 1), QDate(2026, 9, 30)}) {
            const QString text = locale_.toString(d, format_);
            if (text.size() > 10 || !Storable(text) || QDate::fromString(text, format_) != d)
                return false;
        }
        return true;
    }();
    fallback_ = locale.language() == QLocale::C || !fits ||
                !Storable(locale_.toCurrencyString(0.0)) ||
                !Storable(locale_.standaloneDayName(5, QLocale::LongFormat)) ||
                !Storable(locale_.standaloneMonthName(12, QLocale::LongFormat));
}

std::string QtLocale::ShortDate(const Date& date) const {
    if (fallback_)
        return us_.ShortDate(date);
    return locale_.toString(ToQDate(date), format_).toStdString();
}

std::optional<Date> QtLocale::ParseShortDate(const std::string& text) const {
    if (fallback_)
        return us_.ParseShortDate(text);
    const QDate d = QDate::fromString(QString::fromStdString(text).trimmed(), format_);
    if (!d.isValid() || d.year() < 1000 || d.year() > 9999)
        return std::nullopt;
    return Date{d.year(), d.month(), d.day()};
}

std::string QtLocale::WeekdayName(const Date& date) const {
    if (fallback_)
        return us_.WeekdayName(date);
    return locale_.standaloneDayName(ToQDate(date).dayOfWeek(), QLocale::LongFormat).toStdString();
}

std::string QtLocale::MonthName(int month) const {
    if (fallback_)
        return us_.MonthName(month);
    return locale_.standaloneMonthName(month, QLocale::LongFormat).toStdString();
}

std::string QtLocale::CurrencyZero() const {
    if (fallback_)
        return us_.CurrencyZero();
    return locale_.toCurrencyString(0.0).toStdString();
}

MessageAnswer QtMessageBox::Show(const std::string& text, const std::string& title,
                                 MessageButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, TranslatedLines(QString::fromStdString(title)),
                    TranslatedLines(QString::fromStdString(text)).replace("\r\n", "\n"));
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::OkCancelDefaultCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    case MessageButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        // Closing an OK/Cancel box by Escape counts as Cancel, as the box reports it.
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoDefaultNo
                   ? MessageAnswer::No
                   : MessageAnswer::Ok;
    }
}

void QtBeeper::Beep() {
    QApplication::beep();
}

FolderInstanceGuard::FolderInstanceGuard(std::filesystem::path programFolder)
    : folder_(std::move(programFolder)) {}

FolderInstanceGuard::~FolderInstanceGuard() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool FolderInstanceGuard::TryAcquire() {
    if (fd_ >= 0 || lockFile_)
        return true;
    if (const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return true;
        }
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return false;
    }
    // A folder we may not read, or a file system without locks: a lock file in the folder
    // names this process and host, and is taken over only once that process is gone.
    auto lock =
        std::make_unique<QLockFile>(QString::fromStdString((folder_ / LockFileName).string()));
    lock->setStaleLockTime(0); // a running copy holds it however long it runs
    if (lock->tryLock(0)) {
        lockFile_ = std::move(lock);
        return true;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return false;
    // Better to run unguarded, and say so, than never to run at all.
    unchecked_ =
        "neither the folder can be locked nor " + std::string(LockFileName) + " made in it";
    return true;
}

void QtWebOpener::Open(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void QtWebOpener::OpenHelp(const std::filesystem::path& htmlFile, const std::string& section) {
    if (!help_) {
        help_ = new QTextBrowser;
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setObjectName("helpViewer");
        help_->setWindowTitle("Rotaplan Help");
        help_->setOpenExternalLinks(true);
        // Over the form the operator asked from, or mid-screen; never in a corner.
        const QWidget* over = QApplication::activeWindow();
        const QRect area = over ? over->frameGeometry() : help_->screen()->availableGeometry();
        const QRect screen = (over ? over->screen() : help_->screen())->availableGeometry();
        const QSize size = QSize(help_->fontMetrics().averageCharWidth() * 90,
                                 help_->fontMetrics().lineSpacing() * 32)
                               .boundedTo(screen.size());
        QRect placed({}, size);
        placed.moveCenter(area.center());
        placed.moveTop(std::max(placed.top(), screen.top()));
        placed.moveLeft(std::max(placed.left(), screen.left()));
        help_->setGeometry(placed);
        // Escape puts the help away, as on the desktop's own help windows.
        QObject::connect(new QShortcut(Qt::Key_Escape, help_), &QShortcut::activated, help_,
                         &QWidget::close);
    }
    QUrl page = QUrl::fromLocalFile(QString::fromStdString(htmlFile.string()));
    if (!section.empty())
        page.setFragment(QString::fromStdString(section));
    help_->setSource(page);
    help_->show();
    help_->raise();
}

std::vector<Drive> QtDriveList::Drives() const {
    std::vector<Drive> removable;
    std::vector<Drive> fixed;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QByteArray type = volume.fileSystemType();
        if (type == "tmpfs" || type == "devtmpfs" || type == "proc" || type == "sysfs" ||
            type == "overlay" || type == "squashfs" || root.startsWith("/proc") ||
            root.startsWith("/sys") || root.startsWith("/dev") ||
            (root.startsWith("/run") && !root.startsWith("/run/media")))
            continue;
        const bool isRemovable =
            root.startsWith("/media") || root.startsWith("/run/media") || root.startsWith("/mnt");
        const QString label =
            volume.displayName() == root ? root : root + " [" + volume.displayName() + "]";
        (isRemovable ? removable : fixed)
            .push_back(Drive{label.toStdString(), root.toStdString(), isRemovable});
    }
    removable.insert(removable.end(), fixed.begin(), fixed.end());
    return removable;
}

std::optional<std::filesystem::path> QtSaveDialog::SaveAs(const std::string& title,
                                                          const std::string& suggestedName,
                                                          const std::string& filter) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString filters = QString::fromStdString(filter);
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filters);
    // A name typed without an ending gets the filter's, before the overwrite question.
    const qsizetype dot = filters.indexOf("*.");
    if (dot >= 0)
        dialog.setDefaultSuffix(filters.mid(dot + 2).section(')', 0, 0).section(' ', 0, 0));
    dialog.selectFile(QDir(folder).filePath(QString::fromStdString(suggestedName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

bool QtPrintDialog::Print(const std::string& title, Paper paper,
                          const std::function<void(QPagedPaintDevice&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
    // The printer's own margins would be its smallest; the page keeps what the PDF keeps.
    printer.setPageMargins(QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm),
                           QPageLayout::Millimeter);
    printer.setDocName(QString::fromStdString(title));
    // The preview's own print button asks for the printer and prints what it shows.
    QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
    preview.setWindowTitle(QString::fromStdString(title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* device) { paint(*device); });
    return preview.exec() == QDialog::Accepted;
}

} // namespace rotaplan
