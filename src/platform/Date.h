#pragma once

#include <compare>

namespace rotaplan {

// A calendar date of the proleptic Gregorian calendar; the program never needs a time zone.
struct Date {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31

    auto operator<=>(const Date&) const = default;

    static bool IsValid(int year, int month, int day);
    static Date FromDayNumber(long days); // days since 1970-01-01
    long DayNumber() const;
    Date AddDays(long n) const { return FromDayNumber(DayNumber() + n); }
    int DayOfYear() const; // 1..366
    int Weekday() const;   // Sunday = 1 .. Saturday = 7
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

struct DateTime {
    Date date;
    int hour = 0; // 0..23
    int minute = 0;
};

} // namespace rotaplan
