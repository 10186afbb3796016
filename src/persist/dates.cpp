#include "persist/dates.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "persist/classregistry.h"
#include "persist/errors.h"
#include "persist/objectstream.h"
#include "persist/text.h"

namespace tarvo {

namespace {

constexpr int FirstYear = 1800;
constexpr int LastYear = 2099;
constexpr int32_t SecondsPerDay = 24 * 60 * 60;
constexpr int64_t MillisecondsPerDay = SecondsPerDay * 1000LL;

const char* const WeekdayNames[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
const char* const MonthNames[] = {"Jänner", "Februar", "März",      "April",   "Mai",      "Juni",
                                  "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// 0 for a month outside 1 to 12.
int MonthLength(int month, int year)
{
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

bool IsTimeOfDay(int hour, int minute, int second)
{
    return 0 <= hour && hour <= 23 && 0 <= minute && minute <= 59 && 0 <= second && second <= 59;
}

// Days since 1 January 1970 in the Gregorian calendar.
constexpr int32_t DayNumber(int day, int month, int year)
{
    using namespace std::chrono;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    return sys_days{date}.time_since_epoch().count();
}

// Day 0 of the date-time number.
constexpr int32_t DateTimeEpoch = DayNumber(30, 12, 1899);
// The whole days a date-time number can hold: years 1 to 9999.
constexpr double MinDateTimeDay = DayNumber(1, 1, 1) - DateTimeEpoch;
constexpr double MaxDateTimeDay = DayNumber(31, 12, 9999) - DateTimeEpoch;

// At least width digits, filled with leading zeros.
std::string Padded(int value, size_t width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

// Now, as a date-time number, from the local clock.
double CurrentDateTime()
{
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    // A leap second would make a whole day of the fraction.
    const int secondsOfDay = local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
    const int32_t day = DayNumber(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900) - DateTimeEpoch;
    return day + static_cast<double>(secondsOfDay) / SecondsPerDay;
}

// Completes a year typed with fewer digits: nothing means the current year
// (the year the program started), up to 30 lies in this century, up to 1899
// in the last one.
int16_t TypedYear(int32_t year)
{
    if (year == 0)
        return ProgramStartDate().Jahr;
    if (year <= 30)
        return static_cast<int16_t>(year + 2000);
    if (year <= 1899)
        return static_cast<int16_t>(year + 1900);
    return static_cast<int16_t>(year);
}

// Two-digit years of a search pattern: 00 to 30 are 20xx, 31 to 99 are 19xx.
int SearchedYear(int year)
{
    if (0 <= year && year <= 30)
        return year + 2000;
    if (31 <= year && year <= 99)
        return year + 1900;
    return year;
}

int SameValue(int value)
{
    return value;
}

// Whether value matches one part of a search pattern: "*", a number or a
// range "a-b" with the bounds in either order. readValue turns a number of
// the pattern into the value it stands for.
bool MatchesPatternPart(std::string_view part, int value, int (*readValue)(int))
{
    if (part == "*")
        return true;
    const size_t dash = part.find('-');
    const auto first = TryStrToInt(part.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : TryStrToInt(part.substr(dash + 1));
    if (!first || !last)
        return false;
    const auto [low, high] = std::minmax({readValue(*first), readValue(*last)});
    return low <= value && value <= high;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// Splits "head:tail" at the first ":" that has something in front of it;
// without one the whole text is the head and there is no tail.
std::pair<std::string_view, std::optional<std::string_view>> SplitAtColon(std::string_view text)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {text, std::nullopt};
    return {text.substr(0, colon), text.substr(colon + 1)};
}

// The day as an ordinal in words, with a trailing blank ("ersten ", "elften ").
std::string OrdinalWords(int day)
{
    if (day == 1)
        return "ersten ";
    if (day == 3)
        return "dritten ";
    const char* ending = day == 8 ? "en " : (day >= 20 ? "sten " : "ten ");
    return NumberToWords(day) + ending;
}

// One component of a sort key. Descending keys count down from limit so that
// ascending text order of the keys is descending order of the values.
std::string SortKeyPart(int value, int limit, bool ascending)
{
    const int key = ascending ? value : limit - value;
    return (key < 10 ? "0" : "") + std::to_string(key);
}

// Reads a part that was written with PutObject into the owner's own object.
template <class T>
void LoadPart(TObjectStream& stream, T& part)
{
    stream.GetObjectAs<T>()->CopyTo(part);
}

std::unique_ptr<TDatum> programStartDate;
// The default order and the order in use; both start as year, month, day.
std::unique_ptr<TDateSortingOrder> defaultSortingOrder;
std::unique_ptr<TDateSortingOrder> activeSortingOrder;
std::string shortDateFormat;

template <class T>
T& Started(const std::unique_ptr<T>& object)
{
    if (!object)
        throw EProgramError("the date module is used before InitDateModule");
    return *object;
}

} // namespace

// ---- TDatum ----------------------------------------------------------------

void TDatum::Create()
{
    TCompareableObject::Create();
    SetToZeroDate();
}

void TDatum::Store(TObjectStream& stream) const
{
    TCompareableObject::Store(stream);
    stream.PutByte(static_cast<uint8_t>(Tag));
    stream.PutByte(static_cast<uint8_t>(Monat));
    stream.PutShort(Jahr);
}

void TDatum::Load(TObjectStream& stream)
{
    TCompareableObject::Load(stream);
    Tag = static_cast<int8_t>(stream.GetByte());
    Monat = static_cast<int8_t>(stream.GetByte());
    Jahr = stream.GetShort();
}

void TDatum::CopyTo(TStreamableObject& target) const
{
    TCompareableObject::CopyTo(target);
    CastTo<TDatum>(target).SetDate(Tag, Monat, Jahr);
}

int TDatum::Compare(const TStreamableObject& other) const
{
    const auto& date = CastTo<const TDatum>(other);
    if (EqualTo(date))
        return 0;
    return Before(date) ? -1 : 1;
}

void TDatum::SetDate(int8_t day, int8_t month, int16_t year)
{
    Tag = day;
    Monat = month;
    Jahr = year;
}

int TDatum::GetComponent(int component) const
{
    switch (component) {
    case 0:
        return Jahr;
    case 1:
        return Monat;
    case 2:
        return Tag;
    default:
        return UnknownComponent;
    }
}

bool TDatum::IsZeroDate() const
{
    return Tag == 0 && Monat == 0 && Jahr == 0;
}

void TDatum::SetToZeroDate()
{
    SetDate(0, 0, 0);
}

void TDatum::GetCurrDate()
{
    SetTDateTime(CurrentDateTime());
}

bool TDatum::DateExists() const
{
    return FirstYear <= Jahr && Jahr <= LastYear && 1 <= Tag && Tag <= MonthLength(Monat, Jahr);
}

double TDatum::GetTDateTime() const
{
    return DateExists() ? DayNumber(Tag, Monat, Jahr) - DateTimeEpoch : 0;
}

void TDatum::SetTDateTime(double dateTime)
{
    const double whole = std::trunc(dateTime);
    if (!(MinDateTimeDay <= whole && whole <= MaxDateTimeDay)) {
        SetToZeroDate();
        return;
    }
    using namespace std::chrono;
    const year_month_day date{sys_days{days{DateTimeEpoch + static_cast<int32_t>(whole)}}};
    SetDate(static_cast<int8_t>(static_cast<unsigned>(date.day())),
            static_cast<int8_t>(static_cast<unsigned>(date.month())),
            static_cast<int16_t>(static_cast<int>(date.year())));
}

bool TDatum::EqualTo(const TDatum& other) const
{
    return Tag == other.Tag && Monat == other.Monat && Jahr == other.Jahr;
}

bool TDatum::Before(const TDatum& other) const
{
    for (const uint8_t component : DateSortingOrder().Order) {
        const int mine = GetComponent(component);
        const int theirs = other.GetComponent(component);
        if (mine != theirs)
            return mine < theirs;
    }
    return false;
}

bool TDatum::After(const TDatum& other) const
{
    return !EqualTo(other) && !Before(other);
}

bool TDatum::LiesInPast() const
{
    return Before(ProgramStartDate());
}

bool TDatum::LiesInFuture() const
{
    return After(ProgramStartDate());
}

std::string TDatum::Date2Text() const
{
    if (IsZeroDate())
        return "";
    return Padded(Tag, 2) + "." + Padded(Monat, 2) + "." + std::to_string(Jahr);
}

void TDatum::Text2Date(std::string_view text)
{
    // Never fails: it reads what users type into date fields, where anything
    // unreadable simply means that no date was given.
    SetToZeroDate();
    std::string normalized(text);
    std::replace_if(
        normalized.begin(), normalized.end(), [](char c) { return c == ',' || c == '-' || c == '/'; }, '.');
    const std::string_view all(normalized);
    const size_t firstDot = all.find('.');
    if (firstDot == std::string_view::npos || firstDot == 0)
        return;
    const std::string_view afterDay = all.substr(firstDot + 1);
    const size_t secondDot = afterDay.find('.');
    if (secondDot == std::string_view::npos || secondDot == 0)
        return;
    const std::string_view yearText = afterDay.substr(secondDot + 1);
    const auto day = TryStrToInt(all.substr(0, firstDot));
    const auto month = TryStrToInt(afterDay.substr(0, secondDot));
    const auto year = yearText.empty() ? std::optional<int32_t>(0) : TryStrToInt(yearText);
    if (day && month && year)
        SetDate(static_cast<int8_t>(*day), static_cast<int8_t>(*month), TypedYear(*year));
}

std::string TDatum::GetPANFormat() const
{
    if (!DateExists())
        return "";
    return Padded(Tag, 2) + Padded(Monat, 2) + Padded(Jahr, 4);
}

std::string TDatum::GetLongText() const
{
    if (!DateExists())
        return "";
    return GetWeekdayName() + " " + std::to_string(Tag) + "." + GetMonthName() + " " + std::to_string(Jahr);
}

std::string TDatum::GetWeekdayName() const
{
    const int weekday = GetWeekday();
    return weekday < 0 ? "" : WeekdayNames[weekday];
}

std::string TDatum::GetMonthName() const
{
    return DateExists() ? MonthNames[Monat - 1] : "";
}

std::string TDatum::ConvertToText() const
{
    if (!DateExists())
        return "";
    return OrdinalWords(Tag) + GetMonthName() + " " + NumberToWords(Jahr);
}

std::string TDatum::MakeForSort(bool ascending) const
{
    return SortKeyPart(Jahr, 3000, ascending) + SortKeyPart(Monat, 13, ascending) + SortKeyPart(Tag, 32, ascending);
}

int32_t TDatum::Seit1900() const
{
    return DayNumber(Tag, Monat, Jahr) - DayNumber(31, 12, 1900);
}

int32_t TDatum::DayDifference(const TDatum& other) const
{
    return other.Seit1900() - Seit1900();
}

int TDatum::GetWeekday() const
{
    if (!DateExists())
        return -1;
    const int32_t sinceMonday = Seit1900() - TDatum(2, 1, 1995).Seit1900();
    return (sinceMonday % 7 + 7) % 7;
}

bool TDatum::IsWeekday() const
{
    const int weekday = GetWeekday();
    return weekday != 5 && weekday != 6;
}

void TDatum::NextWeekday()
{
    do
        NextDay();
    while (!IsWeekday());
}

void TDatum::PreviousWeekday()
{
    do
        PreviousDay();
    while (!IsWeekday());
}

void TDatum::GoBackToMonday()
{
    // A date that does not exist has no weekday to stop at.
    while (DateExists() && GetWeekday() != 0)
        PreviousDay();
}

void TDatum::NextDay()
{
    if (Tag < MonthLength(Monat, Jahr)) {
        ++Tag;
        return;
    }
    Tag = 1;
    if (++Monat > 12) {
        Monat = 1;
        ++Jahr;
    }
}

void TDatum::PreviousDay()
{
    if (Tag > 1) {
        --Tag;
        return;
    }
    if (--Monat < 1) {
        Monat = 12;
        --Jahr;
    }
    Tag = static_cast<int8_t>(MonthLength(Monat, Jahr));
}

void TDatum::StepDays(int n)
{
    for (; n > 0; --n)
        NextDay();
    for (; n < 0; ++n)
        PreviousDay();
}

void TDatum::AddDay(int16_t n)
{
    StepDays(n);
}

void TDatum::AddWeek(int16_t n)
{
    StepDays(7 * n);
}

void TDatum::AddMonth(int8_t n)
{
    int month = Monat + n;
    int year = Jahr;
    for (; month > 12; month -= 12)
        ++year;
    for (; month < 1; month += 12)
        --year;
    SetDate(Tag, static_cast<int8_t>(month), static_cast<int16_t>(year));
    // Stepping back day by day until the date exists takes one move here: a
    // day of 0 or less becomes the last day of the month before, a day beyond
    // the end of the month that month's last day. Made as one move, it also
    // ends for years outside 1800 to 2099, where no date exists.
    if (Tag < 1)
        PreviousDay();
    else
        Tag = static_cast<int8_t>(std::min<int>(Tag, MonthLength(Monat, Jahr)));
}

void TDatum::AddYear(int16_t n)
{
    Jahr = static_cast<int16_t>(Jahr + n);
}

bool TDatum::DatumsSuche(std::string_view pattern) const
{
    const auto parts = SplitAt(pattern, '.');
    return parts.size() == 3 && MatchesPatternPart(parts[0], Tag, SameValue)
        && MatchesPatternPart(parts[1], Monat, SameValue) && MatchesPatternPart(parts[2], Jahr, SearchedYear);
}

// ---- TZeit -----------------------------------------------------------------

void TZeit::Create()
{
    TCompareableObject::Create();
    SetToZeroTime();
}

void TZeit::Store(TObjectStream& stream) const
{
    TCompareableObject::Store(stream);
    stream.PutByte(static_cast<uint8_t>(Stunde));
    stream.PutByte(static_cast<uint8_t>(Minute));
    stream.PutByte(static_cast<uint8_t>(Sekunde));
}

void TZeit::Load(TObjectStream& stream)
{
    TCompareableObject::Load(stream);
    Stunde = static_cast<int8_t>(stream.GetByte());
    Minute = static_cast<int8_t>(stream.GetByte());
    Sekunde = static_cast<int8_t>(stream.GetByte());
}

void TZeit::CopyTo(TStreamableObject& target) const
{
    TCompareableObject::CopyTo(target);
    CastTo<TZeit>(target).SetTime(Stunde, Minute, Sekunde);
}

int TZeit::Compare(const TStreamableObject& other) const
{
    const auto& time = CastTo<const TZeit>(other);
    return CompareValues(std::tie(Stunde, Minute, Sekunde), std::tie(time.Stunde, time.Minute, time.Sekunde));
}

void TZeit::SetTime(int8_t hour, int8_t minute, int8_t second)
{
    Stunde = hour;
    Minute = minute;
    Sekunde = second;
}

bool TZeit::IsZeroTime() const
{
    return Stunde == 0 && Minute == 0 && Sekunde == 0;
}

void TZeit::SetToZeroTime()
{
    SetTime(0, 0, 0);
}

void TZeit::GetCurrTime()
{
    SetTDateTime(CurrentDateTime());
}

bool TZeit::TimeExists() const
{
    return IsTimeOfDay(Stunde, Minute, Sekunde);
}

int32_t TZeit::GetSeconds() const
{
    return Stunde * 3600 + Minute * 60 + Sekunde;
}

std::string TZeit::Time2Text(bool withSeconds) const
{
    std::string text = Padded(Stunde, 2) + ":" + Padded(Minute, 2);
    if (withSeconds)
        text += ":" + Padded(Sekunde, 2);
    return text;
}

std::string TZeit::Time2TextSpecial(bool showHours, bool showMinutes, bool showSeconds) const
{
    const int values[] = {Stunde, Minute, Sekunde};
    const bool shown[] = {showHours, showMinutes, showSeconds};
    std::string text;
    int carried = 0; // a hidden part, in units of the next smaller part
    for (size_t i = 0; i < 3; ++i) {
        const int value = values[i] + carried;
        if (!shown[i]) {
            carried = value * 60;
            continue;
        }
        if (!text.empty())
            text += ":";
        text += Padded(value, 2);
        carried = 0;
    }
    return text;
}

bool TZeit::Text2Time(std::string_view text)
{
    SetToZeroTime();
    int32_t minute = 0;
    int32_t second = 0;
    const auto [hourText, afterHour] = SplitAtColon(text);
    const int32_t hour = StrToInt(hourText);
    if (afterHour) {
        const auto [minuteText, afterMinute] = SplitAtColon(*afterHour);
        minute = StrToInt(minuteText);
        if (afterMinute)
            second = StrToInt(*afterMinute);
    }
    if (!IsTimeOfDay(hour, minute, second))
        return false;
    SetTime(static_cast<int8_t>(hour), static_cast<int8_t>(minute), static_cast<int8_t>(second));
    return true;
}

void TZeit::SetFromSeconds(int32_t secondsOfDay)
{
    SetTime(static_cast<int8_t>(secondsOfDay / 3600), static_cast<int8_t>(secondsOfDay / 60 % 60),
            static_cast<int8_t>(secondsOfDay % 60));
}

void TZeit::ShiftBySeconds(int32_t seconds)
{
    SetFromSeconds(((GetSeconds() + seconds) % SecondsPerDay + SecondsPerDay) % SecondsPerDay);
}

void TZeit::AddSecond(int8_t n)
{
    ShiftBySeconds(n);
}

void TZeit::AddMinute(int8_t n)
{
    ShiftBySeconds(n * 60);
}

void TZeit::AddHour(int8_t n)
{
    ShiftBySeconds(n * 3600);
}

int32_t TZeit::Difference(const TZeit& other, int unit) const
{
    switch (unit) {
    case Hours:
        return Stunde - other.Stunde;
    case Minutes:
        return (Stunde * 60 + Minute) - (other.Stunde * 60 + other.Minute);
    case Seconds:
        return GetSeconds() - other.GetSeconds();
    default:
        return 0;
    }
}

double TZeit::GetTDateTime() const
{
    return static_cast<double>(GetSeconds()) / SecondsPerDay;
}

void TZeit::SetTDateTime(double dateTime)
{
    // Before 1899-12-30 the number is negative and its fraction counts away
    // from zero too, so the time is the absolute fraction. It is rounded to
    // milliseconds and then cut to seconds, as a clock shows it.
    const double fraction = std::fabs(std::fmod(dateTime, 1.0));
    const int64_t milliseconds = std::llround(fraction * static_cast<double>(MillisecondsPerDay));
    SetFromSeconds(static_cast<int32_t>(std::clamp<int64_t>(milliseconds / 1000, 0, SecondsPerDay - 1)));
}

// ---- TDatumUndZeit ---------------------------------------------------------

void TDatumUndZeit::Create()
{
    TCompareableObject::Create();
    Datum.Create();
    Zeit.Create();
}

void TDatumUndZeit::Store(TObjectStream& stream) const
{
    TCompareableObject::Store(stream);
    stream.PutObject(Datum);
    stream.PutObject(Zeit);
}

void TDatumUndZeit::Load(TObjectStream& stream)
{
    TCompareableObject::Load(stream);
    LoadPart(stream, Datum);
    LoadPart(stream, Zeit);
}

void TDatumUndZeit::CopyTo(TStreamableObject& target) const
{
    TCompareableObject::CopyTo(target);
    auto& copy = CastTo<TDatumUndZeit>(target);
    Datum.CopyTo(copy.Datum);
    Zeit.CopyTo(copy.Zeit);
}

int TDatumUndZeit::Compare(const TStreamableObject& other) const
{
    const auto& value = CastTo<const TDatumUndZeit>(other);
    if (const int byDate = Datum.Compare(value.Datum); byDate != 0)
        return byDate;
    return Zeit.Compare(value.Zeit);
}

void TDatumUndZeit::GetCurrValues()
{
    // One reading of the clock, so that date and time belong together at midnight.
    SetTDateTime(CurrentDateTime());
}

void TDatumUndZeit::SetToZeroValue()
{
    Datum.SetToZeroDate();
    Zeit.SetToZeroTime();
}

bool TDatumUndZeit::IsZeroValue() const
{
    return Datum.IsZeroDate() && Zeit.IsZeroTime();
}

std::string TDatumUndZeit::ConvertToText() const
{
    if (IsZeroValue())
        return "---";
    return Datum.Date2Text() + " " + Zeit.Time2Text(true);
}

std::string TDatumUndZeit::MakeReadable() const
{
    return Datum.Date2Text() + " um " + Zeit.Time2Text(false) + " Uhr";
}

std::string TDatumUndZeit::MakeForSort(bool ascending) const
{
    return Datum.MakeForSort(ascending) + SortKeyPart(Zeit.Stunde, 24, ascending)
        + SortKeyPart(Zeit.Minute, 60, ascending) + SortKeyPart(Zeit.Sekunde, 60, ascending);
}

double TDatumUndZeit::GetTDateTime() const
{
    if (IsZeroValue())
        return 0;
    const double date = Datum.GetTDateTime();
    const double time = Zeit.GetTDateTime();
    // Before 1899-12-30 the fraction counts away from zero like the days.
    return date < 0 ? date - time : date + time;
}

void TDatumUndZeit::SetTDateTime(double dateTime)
{
    Datum.SetTDateTime(dateTime);
    Zeit.SetTDateTime(dateTime);
}

// ---- TZeitraum -------------------------------------------------------------

TZeitraum::TZeitraum()
{
    TZeitraum::Create();
}

void TZeitraum::Create()
{
    TStreamableObject::Create();
    Von.SetDate(1, 1, 1900);
    Bis.SetDate(31, 12, 2099);
}

void TZeitraum::Store(TObjectStream& stream) const
{
    TStreamableObject::Store(stream);
    stream.PutObject(Von);
    stream.PutObject(Bis);
}

void TZeitraum::Load(TObjectStream& stream)
{
    TStreamableObject::Load(stream);
    LoadPart(stream, Von);
    LoadPart(stream, Bis);
}

void TZeitraum::CopyTo(TStreamableObject& target) const
{
    TStreamableObject::CopyTo(target);
    auto& copy = CastTo<TZeitraum>(target);
    Von.CopyTo(copy.Von);
    Bis.CopyTo(copy.Bis);
}

bool TZeitraum::ContainsDate(const TDatum& date) const
{
    const bool fromStart = Von.IsZeroDate() || Von.Compare(date) <= 0;
    const bool untilEnd = Bis.IsZeroDate() || Bis.Compare(date) >= 0;
    return fromStart && untilEnd;
}

std::string TZeitraum::MakeText() const
{
    return Von.Date2Text() + "-" + Bis.Date2Text();
}

void TZeitraum::SetToZeroValues()
{
    Von.SetToZeroDate();
    Bis.SetToZeroDate();
}

bool TZeitraum::IsZeroValues() const
{
    return Von.IsZeroDate() && Bis.IsZeroDate();
}

// ---- TDateSortingOrder -----------------------------------------------------

TDateSortingOrder::TDateSortingOrder()
{
    TDateSortingOrder::Create();
}

void TDateSortingOrder::Create()
{
    TStreamableObject::Create();
    Order = {0, 1, 2};
}

void TDateSortingOrder::Store(TObjectStream& stream) const
{
    TStreamableObject::Store(stream);
    for (const uint8_t component : Order)
        stream.PutByte(component);
}

void TDateSortingOrder::Load(TObjectStream& stream)
{
    TStreamableObject::Load(stream);
    for (uint8_t& component : Order)
        component = stream.GetByte();
}

void TDateSortingOrder::CopyTo(TStreamableObject& target) const
{
    TStreamableObject::CopyTo(target);
    CastTo<TDateSortingOrder>(target).Order = Order;
}

// ---- Module ----------------------------------------------------------------

const TDatum& ProgramStartDate()
{
    return Started(programStartDate);
}

void SetProgramStartDate(const TDatum& date)
{
    date.CopyTo(Started(programStartDate));
}

TDateSortingOrder& DateSortingOrder()
{
    return Started(activeSortingOrder);
}

const std::string& ShortDateFormat()
{
    return shortDateFormat;
}

std::string FormatShortDate(double dateTime)
{
    TDatum date;
    date.SetTDateTime(dateTime);
    const std::string_view format = ShortDateFormat();
    std::string text;
    for (size_t start = 0; start < format.size();) {
        const char letter = format[start];
        const size_t end = std::min(format.find_first_not_of(letter, start), format.size());
        const size_t count = end - start;
        switch (letter) {
        case 'd':
            text += Padded(date.Tag, std::min<size_t>(count, 2));
            break;
        case 'M':
            text += Padded(date.Monat, std::min<size_t>(count, 2));
            break;
        case 'y':
            text += count <= 2 ? Padded(date.Jahr % 100, 2) : Padded(date.Jahr, 4);
            break;
        default:
            text.append(count, letter);
        }
        start = end;
    }
    return text;
}

void InitDateModule()
{
    auto& registry = ClassRegistry();
    registry.RegisterObjectClass<TDatum>();
    registry.RegisterObjectClass<TDateSortingOrder>();
    registry.RegisterObjectClass<TZeitraum>();
    registry.RegisterObjectClass<TZeit>();
    registry.RegisterObjectClass<TDatumUndZeit>();

    programStartDate = std::make_unique<TDatum>();
    programStartDate->GetCurrDate();
    defaultSortingOrder = std::make_unique<TDateSortingOrder>();
    activeSortingOrder = std::make_unique<TDateSortingOrder>();
    // Dates read the same on every machine, whatever the user's locale says.
    shortDateFormat = "dd.MM.yyyy";
}

void FinalizeDateModule()
{
    programStartDate.reset();
    defaultSortingOrder.reset();
    activeSortingOrder.reset();
}

} // namespace tarvo
