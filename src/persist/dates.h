#pragma once
// Date and time values with German texts: TDatum (a calendar date), TZeit (a
// time of day), TDatumUndZeit (both), TZeitraum (a range of dates) and
// TDateSortingOrder (the order of the date components used when comparing).
//
// Date-time numbers use the classic day-number encoding: whole days since
// 30 December 1899, the time as the fraction of a day.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "persist/objectlist.h"

namespace tarvo {

// A calendar date. All fields 0 is the zero date, which stands for a missing
// date. Dates exist from 1800 to 2099 in the Gregorian calendar.
class TDatum : public TCompareableObject {
    TARVO_CLASS(TDatum)
    static int32_t GetRegistrationCode() { return 1006; }
    // What GetComponent gives for a component number it does not know.
    static constexpr int UnknownComponent = 65535;

    TDatum() = default;
    TDatum(int8_t day, int8_t month, int16_t year) { SetDate(day, month, year); }

    // The zero date.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // 0 when equal, -1 when before, otherwise 1 (other must be a TDatum).
    int Compare(const TStreamableObject& other) const override;

    void SetDate(int8_t day, int8_t month, int16_t year);
    // 0 year, 1 month, 2 day.
    int GetComponent(int component) const;
    bool IsZeroDate() const;
    void SetToZeroDate();
    // Today, from the system clock.
    void GetCurrDate();
    bool DateExists() const;

    // Whole days of the date-time number; 0 for a date that does not exist.
    double GetTDateTime() const;
    // Takes the whole days of the number; a number outside years 1 to 9999
    // gives the zero date.
    void SetTDateTime(double dateTime);

    bool EqualTo(const TDatum& other) const;
    // Compares the components in the program-wide sorting order.
    bool Before(const TDatum& other) const;
    bool After(const TDatum& other) const;
    // Before / after the program-start date.
    bool LiesInPast() const;
    bool LiesInFuture() const;

    // "05.03.1999"; empty for the zero date.
    std::string Date2Text() const;
    // Reads "d.m.y" (also with "," "-" "/"); anything unreadable gives the zero date.
    void Text2Date(std::string_view text);
    // "05031999" for a date that exists, otherwise empty.
    std::string GetPANFormat() const;
    // "Freitag 5.März 1999"; empty for a date that does not exist.
    std::string GetLongText() const;
    std::string GetWeekdayName() const;
    std::string GetMonthName() const;
    // "ersten Jänner eintausendneunhundertneunundneunzig"; empty for a date
    // that does not exist.
    std::string ConvertToText() const;
    // A key whose text order is the date order, ascending or descending.
    std::string MakeForSort(bool ascending) const;

    // Days since 31 December 1900 (1 January 1901 gives 1).
    int32_t Seit1900() const;
    // other minus this, in days.
    int32_t DayDifference(const TDatum& other) const;
    // 0 Monday to 6 Sunday; -1 for a date that does not exist.
    int GetWeekday() const;
    // Neither Saturday nor Sunday.
    bool IsWeekday() const;
    // Moves at least one day, to the next / previous weekday.
    void NextWeekday();
    void PreviousWeekday();
    // Moves back to the Monday of the week; a Monday stays.
    void GoBackToMonday();

    void NextDay();
    void PreviousDay();
    void AddDay(int16_t n);
    void AddWeek(int16_t n);
    // Keeps the day where the new month has it, otherwise takes its last day.
    void AddMonth(int8_t n);
    // Changes the year only; the date may then not exist (29 February).
    void AddYear(int16_t n);

    // Whether the date matches "day.month.year", each part a number, a
    // range "a-b" (either order) or "*"; years 0 to 99 are read as 1931 to 2030.
    bool DatumsSuche(std::string_view pattern) const;

    int8_t Tag = 0;
    int8_t Monat = 0;
    int16_t Jahr = 0;

private:
    void StepDays(int n);
};

// A time of day. 00:00:00 also stands for a missing time.
class TZeit : public TCompareableObject {
    TARVO_CLASS(TZeit)
    static int32_t GetRegistrationCode() { return 1009; }

    TZeit() = default;
    TZeit(int8_t hour, int8_t minute, int8_t second) { SetTime(hour, minute, second); }

    // 00:00:00.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // By hour, minute, second (other must be a TZeit).
    int Compare(const TStreamableObject& other) const override;

    void SetTime(int8_t hour, int8_t minute, int8_t second);
    bool IsZeroTime() const;
    void SetToZeroTime();
    // Now, from the system clock.
    void GetCurrTime();
    bool TimeExists() const;
    int32_t GetSeconds() const;

    // "hh:mm" or "hh:mm:ss".
    std::string Time2Text(bool withSeconds) const;
    // The shown parts joined by ":"; a part not shown is carried into the
    // next smaller part that is shown.
    std::string Time2TextSpecial(bool showHours, bool showMinutes, bool showSeconds) const;
    // Reads "h", "h:m" or "h:m:s". An impossible time gives 00:00:00 and
    // false; a part that is not a number raises EConvertError.
    bool Text2Time(std::string_view text);

    // Add with carry in both directions; the time wraps around midnight.
    void AddSecond(int8_t n);
    void AddMinute(int8_t n);
    void AddHour(int8_t n);

    enum TTimeUnit : int { Hours = 0, Minutes = 1, Seconds = 2 };
    // This time minus other in the unit, looking only at the parts down to
    // that unit; 0 for an unknown unit.
    int32_t Difference(const TZeit& other, int unit) const;

    // The fraction of a day.
    double GetTDateTime() const;
    // Takes the time from the fraction of the number (which counts away from
    // zero for numbers below zero).
    void SetTDateTime(double dateTime);

    int8_t Stunde = 0;
    int8_t Minute = 0;
    int8_t Sekunde = 0;

private:
    void SetFromSeconds(int32_t secondsOfDay);
    void ShiftBySeconds(int32_t seconds);
};

class TDatumUndZeit : public TCompareableObject {
    TARVO_CLASS(TDatumUndZeit)
    static int32_t GetRegistrationCode() { return 1010; }

    // Zero date, zero time.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // Dates first, then times (other must be a TDatumUndZeit).
    int Compare(const TStreamableObject& other) const override;

    // Today and now.
    void GetCurrValues();
    void SetToZeroValue();
    bool IsZeroValue() const;

    // "05.03.1999 14:07:09"; "---" for the zero value.
    std::string ConvertToText() const;
    // "05.03.1999 um 14:07 Uhr".
    std::string MakeReadable() const;
    std::string MakeForSort(bool ascending) const;

    // 0 for the zero value.
    double GetTDateTime() const;
    void SetTDateTime(double dateTime);

    TDatum Datum;
    TZeit Zeit;
};

// The days from Von to Bis, both included; a zero bound is open.
class TZeitraum : public TStreamableObject {
    TARVO_CLASS(TZeitraum)
    static int32_t GetRegistrationCode() { return 1008; }

    TZeitraum();

    // 01.01.1900 to 31.12.2099.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;

    bool ContainsDate(const TDatum& date) const;
    // "01.01.1900-31.12.2099".
    std::string MakeText() const;
    void SetToZeroValues();
    bool IsZeroValues() const;

    TDatum Von;
    TDatum Bis;
};

// Which date component is compared first, second and third: 0 year, 1 month, 2 day.
class TDateSortingOrder : public TStreamableObject {
    TARVO_CLASS(TDateSortingOrder)
    static int32_t GetRegistrationCode() { return 1007; }

    TDateSortingOrder();

    // Year, month, day.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;

    std::array<uint8_t, 3> Order{};
};

// The date the program started; not refreshed while it runs.
const TDatum& ProgramStartDate();
// Lets tests fix the program-start date.
void SetProgramStartDate(const TDatum& date);
// The order Before compares in. The program only reads it.
TDateSortingOrder& DateSortingOrder();

// The program-wide short date format, "dd.MM.yyyy" whatever the locale says.
const std::string& ShortDateFormat();
// The date of a date-time number in the short date format ("d", "dd", "M",
// "MM", "yy", "yyyy"; other characters are copied).
std::string FormatShortDate(double dateTime);

// Start-up of the date module: registers the date classes, takes the
// program-start date from the clock, selects the sorting order and sets the
// short date format.
void InitDateModule();
void FinalizeDateModule();

} // namespace tarvo
