#include "exports/DaySheet.h"

#include "store/DaySchedule.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <map>

namespace rotaplan {

namespace {

// Sizes in points; the painter is scaled so that one unit is one point on any device.
constexpr double HeaderHeight = 50;
constexpr double FooterHeight = 24;
constexpr double LabelWidth = 64;
constexpr double LineHeight = 12;
constexpr double NotesGap = 14;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QFont SheetFont(int points, bool bold = false) {
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(points);
    font.setBold(bold);
    // No ligatures, so the PDF's text reads back letter for letter ("fi" would otherwise
    // come out as one character).
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Writes lines down from the top of the box, each cut to its width.
class Column {
public:
    Column(QPainter& painter, const QRectF& box) : painter_(painter), box_(box), y_(box.top()) {}
    void Line(const QString& text, const QFont& font, const QColor& colour = Qt::black) {
        if (text.isEmpty() || y_ + LineHeight > box_.bottom())
            return;
        painter_.setFont(font);
        painter_.setPen(colour);
        const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box_.width());
        painter_.drawText(QRectF(box_.left(), y_, box_.width(), LineHeight),
                          Qt::AlignLeft | Qt::AlignVCenter, shown);
        y_ += LineHeight;
    }
    // "Notes:" and ruled lines to the foot of the box.
    void Notes() {
        Line("Notes:", SheetFont(9), Qt::darkGray);
        painter_.setPen(QPen(Qt::lightGray, 0.5));
        // The first rule runs on beside the word, the others across the whole column.
        double y = y_ - 2;
        painter_.drawLine(QPointF(box_.left() + 34, y), QPointF(box_.right(), y));
        for (y += NotesGap; y < box_.bottom() - 6; y += NotesGap)
            painter_.drawLine(QPointF(box_.left(), y), QPointF(box_.right(), y));
    }
    void Skip(double height) { y_ += height; }

private:
    QPainter& painter_;
    QRectF box_;
    double y_;
};

void PaintHour(QPainter& painter, const DaySheet& sheet, int b, const QRectF& row) {
    painter.setPen(QPen(Qt::gray, 0.5));
    painter.drawLine(row.topLeft(), row.topRight());
    const QRectF inner = row.adjusted(0, 4, 0, -2);
    Column(painter, QRectF(inner.left(), inner.top(), LabelWidth, inner.height()))
        .Line(Text(sheet.labels[b]), SheetFont(10, true));
    const double middleWidth = (inner.width() - LabelWidth) * 0.55;
    Column middle(painter,
                  QRectF(inner.left() + LabelWidth, inner.top(), middleWidth - 8, inner.height()));
    Column right(painter, QRectF(inner.left() + LabelWidth + middleWidth, inner.top(),
                                 inner.width() - LabelWidth - middleWidth, inner.height()));
    const auto& slip = sheet.hours[b];
    if (!slip) {
        middle.Line("Free", SheetFont(10), Qt::gray);
    } else if (sheet.continued[b]) {
        middle.Line(Text(slip->Trimmed(SlipField::SANumber)) + ", continued", SheetFont(10, true),
                    Qt::darkGray);
        middle.Line(Text(slip->Trimmed(SlipField::Name)), SheetFont(9), Qt::darkGray);
    } else {
        middle.Line(Text(slip->Trimmed(SlipField::SANumber)), SheetFont(10, true));
        middle.Line(Text(slip->Trimmed(SlipField::Name)), SheetFont(9, true));
        middle.Line(Text(slip->Trimmed(SlipField::Street)), SheetFont(9));
        middle.Line(Text(slip->Trimmed(SlipField::Apt)), SheetFont(9));
        middle.Line(Text(slip->Trimmed(SlipField::City) + ", " + slip->Trimmed(SlipField::ST) +
                         " " + slip->Trimmed(SlipField::Zip)),
                    SheetFont(9));
        right.Line("Tel: " + Text(slip->Trimmed(SlipField::Tel)), SheetFont(9));
        right.Line("Problem: " + Text(slip->Trimmed(SlipField::Problem)), SheetFont(9));
    }
    right.Notes();
}

void PaintPage(QPainter& painter, const DaySheet& sheet, const QSizeF& page, int number,
               int pages) {
    Column header(painter, QRectF(0, 0, page.width(), HeaderHeight));
    header.Line(Text(sheet.team), SheetFont(16, true));
    header.Skip(4);
    header.Line(Text(sheet.heading), SheetFont(12));
    const double top = HeaderHeight;
    const double rowHeight = (page.height() - top - FooterHeight) / SlotCount;
    for (int b = 0; b < SlotCount; ++b)
        PaintHour(painter, sheet, b, QRectF(0, top + b * rowHeight, page.width(), rowHeight));
    const double foot = page.height() - FooterHeight;
    painter.setPen(QPen(Qt::gray, 0.5));
    painter.drawLine(QPointF(0, foot), QPointF(page.width(), foot));
    painter.setFont(SheetFont(8));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, foot, page.width(), FooterHeight), Qt::AlignCenter,
                     QString("Page %1 of %2").arg(number).arg(pages));
}

} // namespace

std::vector<Date> SheetDays(std::uint8_t workWeek, const Date& from, bool week) {
    std::vector<Date> days;
    for (int i = 0; i < (week ? 7 : 1); ++i) {
        const Date day = from.AddDays(i);
        if (!week || ToWorkingDay(workWeek, day) == day)
            days.push_back(day);
    }
    return days;
}

std::vector<DaySheet> DaySheets(const CrewdeskVariables& v, const Locale& locale, int team,
                                const std::vector<Date>& days) {
    std::vector<DaySheet> sheets;
    std::map<std::string, std::size_t> sheetOfDate;
    const auto labels = ViewLabels(v.StartHour);
    for (const Date& day : days) {
        sheetOfDate[locale.ShortDate(day)] = sheets.size();
        sheets.push_back({team <= v.TeamCount() ? v.Assignments[team] : "",
                          locale.WeekdayName(day) + ", " + locale.ShortDate(day),
                          labels,
                          {},
                          {}});
    }
    const auto bookings =
        TeamBookings(v, team, [&](const std::string& text) -> std::optional<Date> {
            const auto found = sheetOfDate.find(text);
            return found == sheetOfDate.end() ? std::nullopt : std::optional(days[found->second]);
        });
    for (const TeamBooking& booking : bookings) {
        DaySheet& sheet = sheets[sheetOfDate.at(locale.ShortDate(booking.date))];
        for (int b = std::max(booking.firstSlot, 0);
             b < std::min(booking.firstSlot + booking.hours, SlotCount); ++b) {
            sheet.hours[b] = booking.slip;
            sheet.continued[b] = b > booking.firstSlot;
        }
    }
    return sheets;
}

void PaintDaySheets(QPagedPaintDevice& device, const std::vector<DaySheet>& sheets) {
    QPainter painter;
    if (!painter.begin(&device))
        return;
    const double scale = device.logicalDpiY() / 72.0;
    painter.scale(scale, scale);
    const QSizeF page(device.width() / scale, device.height() / scale);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            device.newPage();
        PaintPage(painter, sheets[i], page, static_cast<int>(i + 1),
                  static_cast<int>(sheets.size()));
    }
}

QByteArray DaySheetPdf(const std::vector<DaySheet>& sheets, Paper paper) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
        writer.setPageMargins(QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm),
                              QPageLayout::Millimeter);
        writer.setCreator("Rotaplan");
        writer.setTitle(sheets.empty() ? "Day sheet" : Text(sheets.front().team + " day sheet"));
        PaintDaySheets(writer, sheets);
    }
    return pdf.data();
}

Paper LocalPaper(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? Paper::Letter : Paper::A4;
}

} // namespace rotaplan
