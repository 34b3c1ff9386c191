#include "platform/Locale.h"

#include <charconv>
#include <string_view>

namespace rotaplan {

std::string UsEnglishLocale::ShortDate(const Date& date) const {
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
}

namespace {

// Three numbers between blanks, apart by the two separators, standing for the year, month and
// day as `order` says ("mdy"); a date only with a four-digit year and a day the calendar has.
std::optional<Date> ParseDateParts(std::string_view text, const char* order,
                                   const std::string_view (&separators)[2]) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    Date date{};
    for (int part = 0; part < 3; ++part) {
        int& value = order[part] == 'y' ? date.year : order[part] == 'm' ? date.month : date.day;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc{} || next == p)
            return std::nullopt;
        p = next;
        if (part < 2) {
            const std::string_view separator = separators[part];
            if (std::string_view(p, static_cast<std::size_t>(end - p))
                    .substr(0, separator.size()) != separator)
                return std::nullopt;
            p += separator.size();
        }
    }
    if (p != end || date.year < 1000 || date.year > 9999 ||
        !Date::IsValid(date.year, date.month, date.day))
        return std::nullopt;
    return date;
}

} // namespace

std::optional<Date> UsEnglishLocale::ParseShortDate(const std::string& text) const {
    return ParseDateParts(text, "mdy", {"/", "/"});
}

bool RecordedDateForm::Keep(const std::string& sample) {
    Form form{};
    std::size_t at = 0;
    for (int part = 0; part < 3; ++part) {
        const std::size_t digits = sample.find_first_not_of("0123456789", at);
        const std::string number = sample.substr(at, digits - at);
        if (number == "2001")
            form.order[part] = 'y';
        else if (number == "2" || number == "02")
            form.order[part] = 'm';
        else if (number == "3" || number == "03")
            form.order[part] = 'd';
        else
            return false;
        form.padded[part] = number.size() == 2;
        if (part < 2) {
            if (digits == std::string::npos)
                return false;
            at = sample.find_first_of("0123456789", digits);
            if (at == std::string::npos)
                return false;
            form.separators[part] = sample.substr(digits, at - digits);
        } else if (digits != std::string::npos) {
            return false;
        }
    }
    const std::string seen(form.order, 3);
    if (seen.find('y') == std::string::npos || seen.find('m') == std::string::npos ||
        seen.find('d') == std::string::npos)
        return false;
    form_ = form;
    return true;
}

std::string RecordedDateForm::ShortDate(const Date& date) const {
    if (!form_)
        return system_.ShortDate(date);
    std::string text;
    for (int part = 0; part < 3; ++part) {
        const char field = form_->order[part];
        const int value = field == 'y' ? date.year : field == 'm' ? date.month : date.day;
        if (form_->padded[part] && value < 10)
            text += '0';
        text += std::to_string(value);
        if (part < 2)
            text += form_->separators[part];
    }
    return text;
}

std::optional<Date> RecordedDateForm::ParseShortDate(const std::string& text) const {
    if (!form_)
        return system_.ParseShortDate(text);
    return ParseDateParts(text, form_->order, {form_->separators[0], form_->separators[1]});
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
