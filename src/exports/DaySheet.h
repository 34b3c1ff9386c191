#pragma once

#include "exports/TeamBookings.h"
#include "platform/Dialogs.h"
#include "store/Slots.h"

#include <QByteArray>
#include <array>
#include <optional>
#include <string>
#include <vector>

class QLocale;
class QPagedPaintDevice;

namespace rotaplan {

// One team's day as the crew takes it along: each bookable hour with the slip holding it.
struct DaySheet {
    std::string team;
    std::string heading; // weekday and date
    std::array<std::string, SlotCount> labels;
    std::array<std::optional<SlipRecord>, SlotCount> hours;
    std::array<bool, SlotCount> continued{}; // the hour goes on with the booking of the one before
};

// `from` alone, or the working days among the seven from `from` on.
std::vector<Date> SheetDays(std::uint8_t workWeek, const Date& from, bool week);
// One sheet per day, from one pass over the slip file; as in the schedule view, a later slip
// claiming an hour wins.
std::vector<DaySheet> DaySheets(const CrewdeskVariables& v, const Locale& locale, int team,
                                const std::vector<Date>& days);

// One page per sheet, laid out on the device's own page: paper and PDF get the same pages.
void PaintDaySheets(QPagedPaintDevice& device, const std::vector<DaySheet>& sheets);
QByteArray DaySheetPdf(const std::vector<DaySheet>& sheets, Paper paper);

// Letter where the locale measures the American way, A4 elsewhere.
Paper LocalPaper(const QLocale& locale);

} // namespace rotaplan
