#pragma once

#include "platform/Date.h"

#include <optional>
#include <string>

namespace rotaplan {

// The system's date and currency forms. Texts are UTF-8.
class Locale {
public:
    virtual ~Locale() = default;
    // Short date with a four-digit year, at most 10 characters ("12/4/2026" in US English).
    virtual std::string ShortDate(const Date& date) const = 0;
    // Reads back what ShortDate writes; nullopt for text that is not such a date.
    virtual std::optional<Date> ParseShortDate(const std::string& text) const = 0;
    virtual std::string WeekdayName(const Date& date) const = 0; // "Friday"
    virtual std::string MonthName(int month) const = 0;          // "December"
    virtual std::string CurrencyZero() const = 0;                // "$0.00"
};

// US English forms; also the fallback where the system's forms do not fit the record.
class UsEnglishLocale : public Locale {
public:
    std::string ShortDate(const Date& date) const override;
    std::optional<Date> ParseShortDate(const std::string& text) const override;
    std::string WeekdayName(const Date& date) const override;
    std::string MonthName(int month) const override;
    std::string CurrencyZero() const override { return "$0.00"; }
};

} // namespace rotaplan
