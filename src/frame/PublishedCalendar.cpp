#include "frame/PublishedCalendar.h"

#include "exports/CalendarFile.h"
#include "exports/CrewCalendar.h"
#include "frame/Program.h"
#include "store/Disk.h"

#include <QSettings>
#include <QTimeZone>
#include <QUrl>
#include <utility>

namespace rotaplan {

namespace {

constexpr int PublishedDays = 60;

// Copies of the program on other folders publish into folders of their own.
QString KeyFor(const CrewdeskVariables& v) {
    return "PublishedCalendar/" + QString::fromLatin1(QUrl::toPercentEncoding(
                                      QString::fromStdString(v.ProgramFolder.string())));
}

} // namespace

std::filesystem::path PublishedFolder(const CrewdeskVariables& v) {
    return QSettings(ProgramTitle, ProgramTitle).value(KeyFor(v)).toString().toStdString();
}

void SetPublishedFolder(const CrewdeskVariables& v, const std::filesystem::path& folder) {
    QSettings settings(ProgramTitle, ProgramTitle);
    if (folder.empty())
        settings.remove(KeyFor(v));
    else
        settings.setValue(KeyFor(v), QString::fromStdString(folder.string()));
}

void PublishCalendars(const CrewdeskVariables& v, const Locale& locale, const Date& today) {
    const auto folder = PublishedFolder(v);
    if (folder.empty())
        return;
    const std::string zone = QTimeZone::systemTimeZoneId().toStdString();
    for (int team = 1; team <= v.TeamCount(); ++team) {
        const auto events =
            CalendarEvents(v, locale, team, today, today.AddDays(PublishedDays - 1));
        disk::WriteFileAtomic(folder / (SafeFileName(v.Assignments[team]) + ".ics"),
                              CalendarFile(v, team, events, zone));
    }
}

void Program::CalendarsFollow(const std::function<void()>& record) {
    try {
        if (record)
            record();
        PublishCalendars(Variables(), System().locale, System().clock.Now().date);
    } catch (const StoreError& error) {
        if (!std::exchange(calendarFailureTold_, true))
            Report(error, "The bookings stand; the crew's calendars are not kept up to date "
                          "while Rotaplan runs.");
    }
}

} // namespace rotaplan
