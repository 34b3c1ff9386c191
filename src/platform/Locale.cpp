#include "platform/Locale.h"

#include <charconv>

namespace rotaplan {

std::string UsEnglishLocale::ShortDate(const Date& date) const {
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
}

std::optional<Date> UsEnglishLocale::ParseShortDate(const std::string& text) const {
    int parts[3] = {};
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    for (int i = 0; i < 3; ++i) {
        const auto [next, ec] = std::from_chars(p, end, parts[i]);
        if (ec != std::errc{} || next == p)
            return std::nullopt;
        p = next;
        if (i < 2) {
            if (p == end || *p != '/')
                return std::nullopt;
            ++p;
        }
    }
    if (p != end || parts[2] < 1000 || parts[2] > 9999 ||
        !Date::IsValid(parts[2], parts[0], parts[1]))
        return std::nullopt;
    return Date{parts[2], parts[0], parts[1]};
}

std::string UsEnglishLocale::WeekdayName(const Date& date) const {
    static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return names[date.Weekday() - 1];
}

std::string UsEnglishLocale::MonthName(int month) const {
    static const char* const names[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
    return month >= 1 && month <= 12 ? names[month - 1] : std::string{};
}

} // namespace rotaplan
