#include "platform/qt/QtPlatform.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace rotaplan {
namespace {

// A bare machine's C locale falls back to US English, as the US locale itself gives.
TEST(QtLocale, EveryDateFitsTheFieldAndReadsBackAndUsEnglishAlsoOnABareMachine) {
    const QLocale us(QLocale::English, QLocale::UnitedStates), german(QLocale::German);
    for (const QLocale& l : {german, QLocale(QLocale::English, QLocale::UnitedKingdom),
                             QLocale(QLocale::French, QLocale::France), us, QLocale::c()}) {
        const QtLocale locale(l);
        for (long n = Date{1000, 1, 1}.DayNumber(); n < Date{9999, 12, 31}.DayNumber(); n += 331) {
            const Date d = Date::FromDayNumber(n);
            const std::string text = locale.ShortDate(d);
            ASSERT_LE(text.size(), 10u) << l.name().toStdString() << " " << text;
            ASSERT_EQ(locale.ParseShortDate(text), d) << l.name().toStdString() << " " << text;
        }
    }
    EXPECT_EQ(QtLocale(german).ShortDate({2026, 12, 4}), "04.12.2026");
    for (const QLocale& l : {us, QLocale::c()}) {
        const QtLocale locale(l);
        EXPECT_EQ(locale.UsesFallback(), l == QLocale::c());
        EXPECT_EQ(locale.ShortDate({2026, 12, 4}), "12/4/2026");
        EXPECT_EQ(locale.WeekdayName({2026, 12, 4}), "Friday");
        EXPECT_EQ(locale.MonthName(12), "December");
        EXPECT_EQ(locale.CurrencyZero(), "$0.00");
    }
}

TEST(QtSaveDialog, ANameTypedWithoutAnEndingGetsTheFiltersEnding) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->clear();
        QTest::keyClicks(name, "sheet");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const auto file = QtSaveDialog().SaveAs("Save", "North.pdf", "PDF files (*.pdf)");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->filename(), "sheet.pdf");
}

TEST(QtWebOpener, EscapePutsTheHelpAway) {
    test::TempFolder folder;
    test::WriteBytes(folder / "help.html", "<p>Help</p>");
    QtWebOpener opener;
    opener.OpenHelp(folder / "help.html", "");
    QPointer<QWidget> help;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "helpViewer")
            help = top;
    ASSERT_TRUE(help && help->isVisible());
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_TRUE(!help || !help->isVisible());
}

TEST(FolderInstanceGuard, SecondCopyOnTheSameFolderIsRefusedUntilTheFirstEnds) {
    test::TempFolder folder, other;
    auto first = std::make_unique<FolderInstanceGuard>(folder.Path());
    ASSERT_TRUE(first->TryAcquire());
    FolderInstanceGuard second(folder.Path());
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_TRUE(FolderInstanceGuard(other.Path()).TryAcquire());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path())) << "the check writes nothing";
    first.reset(); // as when the first copy ends, however it ends
    EXPECT_TRUE(second.TryAcquire());
}

TEST(FolderInstanceGuard, AFolderThatCannotBeLockedIsGuardedByALockFileInIt) {
    test::TempFolder folder;
    std::filesystem::permissions(folder.Path(), std::filesystem::perms(0333));
    // Not readable, so not lockable, by an ordinary user (the superuser reads every folder).
    const uid_t user = ::geteuid();
    ASSERT_EQ(::seteuid(user == 0 ? 65534 : user), 0);
    {
        auto first = std::make_unique<FolderInstanceGuard>(folder.Path());
        EXPECT_TRUE(first->TryAcquire());
        EXPECT_EQ(first->Unchecked(), "");
        FolderInstanceGuard second(folder.Path());
        EXPECT_FALSE(second.TryAcquire());
        first.reset();
        EXPECT_TRUE(second.TryAcquire());
    }
    ASSERT_EQ(::seteuid(user), 0);
}

} // namespace
} // namespace rotaplan
