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

// The system's forms, but for the short date, which may be held to the form the slips were
// written in: the stored date text means nothing without it. A form is told by its sample, the
// way it writes 3 February 2001 ("2/3/2001", "03/02/2001", "2001-02-03").
class RecordedDateForm : public Locale {
public:
    explicit RecordedDateForm(const Locale& system) : system_(system) {}
    // The sample of the form in force.
    std::string Sample() const { return ShortDate(SampleDate); }
    // Holds the form to the sample's; false, and the system's form kept, for a sample that
    // is not 3 February 2001 written with three numbers and two separators.
    bool Keep(const std::string& sample);

    std::string ShortDate(const Date& date) const override;
    std::optional<Date> ParseShortDate(const std::string& text) const override;
    std::string WeekdayName(const Date& date) const override { return system_.WeekdayName(date); }
    std::string MonthName(int month) const override { return system_.MonthName(month); }
    std::string CurrencyZero() const override { return system_.CurrencyZero(); }

private:
    static constexpr Date SampleDate{2001, 2, 3};
    struct Form {
        char order[3];  // 'y', 'm', 'd'
        bool padded[3]; // day and month with a leading zero
        std::string separators[2];
    };
    const Locale& system_;
    std::optional<Form> form_;
};

} // namespace rotaplan
