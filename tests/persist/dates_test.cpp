#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "persist/classregistry.h"
#include "persist/dates.h"
#include "persist/objectstream.h"
#include "support/streamsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

// A table row: a date and what is expected of it. (Dates cannot be copied,
// so the rows are aggregates built in place.)
template <class Expected>
struct DateCase {
    TDatum date;
    Expected expected;
};

std::string Text(const TDatum& date)
{
    return date.Date2Text();
}

// Restores the program-wide settings a test changes.
class DatesWithSettings : public testing::Test {
protected:
    void SetUp() override { ProgramStartDate().CopyTo(savedStart_); }
    void TearDown() override
    {
        SetProgramStartDate(savedStart_);
        DateSortingOrder().Create();
    }

private:
    TDatum savedStart_;
};

// The local date and time as a date-time number, from the C library's clock.
double LocalNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    const TDatum today(static_cast<int8_t>(local.tm_mday), static_cast<int8_t>(local.tm_mon + 1),
                       static_cast<int16_t>(local.tm_year + 1900));
    return today.GetTDateTime() + (local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59)) / 86400.0;
}

} // namespace

TEST(Dates, ClassesAreRegisteredUnderTheirCodes)
{
    EXPECT_EQ(ClassRegistry().GetClassForID(1006), ClassOf<TDatum>());
    EXPECT_EQ(ClassRegistry().GetClassForID(1007), ClassOf<TDateSortingOrder>());
    EXPECT_EQ(ClassRegistry().GetClassForID(1008), ClassOf<TZeitraum>());
    EXPECT_EQ(ClassRegistry().GetClassForID(1009), ClassOf<TZeit>());
    EXPECT_EQ(ClassRegistry().GetClassForID(1010), ClassOf<TDatumUndZeit>());
}

TEST(Dates, StreamLayouts)
{
    EXPECT_EQ(ObjectBytes(TDatum(5, 3, 1999)), (std::vector<uint8_t>{0xEE, 0x03, 0, 0, 5, 3, 0xCF, 0x07}));
    EXPECT_EQ(ObjectBytes(TZeit(14, 7, 9)), (std::vector<uint8_t>{0xF1, 0x03, 0, 0, 14, 7, 9}));

    TDatumUndZeit both;
    both.Datum.SetDate(5, 3, 1999);
    both.Zeit.SetTime(14, 7, 9);
    EXPECT_EQ(ObjectBytes(both),
              (std::vector<uint8_t>{0xF2, 0x03, 0, 0, 0xEE, 0x03, 0, 0, 5, 3, 0xCF, 0x07, 0xF1, 0x03, 0, 0, 14, 7, 9}));
    EXPECT_EQ(ObjectBytes(TZeitraum()), (std::vector<uint8_t>{0xF0, 0x03, 0,    0,    0xEE, 0x03, 0,  0,  1,    1,
                                                              0x6C, 0x07, 0xEE, 0x03, 0,    0,    31, 12, 0x33, 0x08}));
}

TEST(Dates, ValuesSurviveAStreamAndACopy)
{
    TDatumUndZeit both;
    both.Datum.SetDate(29, 2, 2000);
    both.Zeit.SetTime(23, 59, 58);
    EXPECT_EQ(RoundTrip(both)->ConvertToText(), "29.02.2000 23:59:58");
    EXPECT_EQ(CastTo<TDatumUndZeit>(*both.CopyToNew()).ConvertToText(), "29.02.2000 23:59:58");

    TZeitraum range;
    range.Von.SetDate(1, 2, 2003);
    range.Bis.SetToZeroDate();
    EXPECT_EQ(RoundTrip(range)->MakeText(), "01.02.2003-");

    TDateSortingOrder order;
    order.Order = {2, 0, 1};
    EXPECT_EQ(RoundTrip(order)->Order, order.Order);

    TZeit wrongTarget;
    EXPECT_THROW(TDatum(1, 1, 2000).CopyTo(wrongTarget), EInvalidCast);
}

TEST(Dates, Texts)
{
    const TDatum date(5, 3, 1999);
    EXPECT_EQ(date.Date2Text(), "05.03.1999");
    EXPECT_EQ(date.GetPANFormat(), "05031999");
    EXPECT_EQ(date.GetLongText(), "Freitag 5.März 1999");
    EXPECT_EQ(TDatum(1, 1, 1999).GetMonthName(), "Jänner");
    EXPECT_EQ(TDatum(7, 5, 850).Date2Text(), "07.05.850") << "the year keeps its own digits";

    const TDatum missing;
    EXPECT_EQ(missing.Date2Text(), "");
    const TDatum impossible(30, 2, 2000);
    for (const TDatum* date : {&missing, &impossible}) {
        EXPECT_EQ(date->GetPANFormat(), "");
        EXPECT_EQ(date->GetLongText(), "");
        EXPECT_EQ(date->GetWeekdayName(), "");
        EXPECT_EQ(date->GetMonthName(), "");
        EXPECT_EQ(date->ConvertToText(), "");
    }
}

TEST(Dates, ConvertToTextWritesTheDayAsAnOrdinal)
{
    const DateCase<const char*> cases[] = {
        {TDatum(1, 1, 1999), "ersten Jänner eintausendneunhundertneunundneunzig"},
        {TDatum(2, 2, 2000), "zweiten Februar zweitausend"},
        {TDatum(3, 3, 2001), "dritten März zweitausendeins"},
        {TDatum(8, 8, 2008), "achten August zweitausendacht"},
        {TDatum(11, 11, 2011), "elften November zweitausendelf"},
        {TDatum(20, 12, 2020), "zwanzigsten Dezember zweitausendzwanzig"},
        {TDatum(21, 6, 1900), "einundzwanzigsten Juni eintausendneunhundert"},
    };
    for (const auto& [date, words] : cases)
        EXPECT_EQ(date.ConvertToText(), words) << Text(date);
}

TEST_F(DatesWithSettings, Text2DateReadsSeparatorsAndCompletesTheYear)
{
    SetProgramStartDate(TDatum(10, 10, 2024));
    const std::pair<const char*, const char*> cases[] = {
        {"5.3.1999", "05.03.1999"},
        {"5/3/99", "05.03.1999"},
        {"5-3-99", "05.03.1999"},
        {"5,3,99", "05.03.1999"},
        {"5.3.30", "05.03.2030"},
        {"5.3.31", "05.03.1931"},
        {"5.3.05", "05.03.2005"},
        {"5.3.", "05.03.2024"},
        {"5.3.0", "05.03.2024"},
        {"31.2.2000", "31.02.2000"}, // read, not checked
        {"x.3.99", ""},
        {"5.3", ""},
        {".3.99", ""},
        {"5..99", ""},
        {"5.3.99x", ""},
        {"", ""},
        {"5. 3.99", "05.03.1999"}, // numbers may start with blanks
    };
    for (const auto& [input, expected] : cases) {
        TDatum date(1, 1, 2000);
        date.Text2Date(input);
        EXPECT_EQ(date.Date2Text(), expected) << input;
    }
}

TEST(Dates, DateExists)
{
    const DateCase<bool> cases[] = {
        {TDatum(29, 2, 2000), true},  {TDatum(29, 2, 1996), true},  {TDatum(29, 2, 1900), false},
        {TDatum(29, 2, 1999), false}, {TDatum(1, 1, 1799), false},  {TDatum(1, 1, 2100), false},
        {TDatum(1, 1, 1800), true},   {TDatum(31, 12, 2099), true}, {TDatum(31, 4, 2000), false},
        {TDatum(0, 1, 2000), false},  {TDatum(1, 13, 2000), false}, {TDatum(), false},
    };
    for (const auto& [date, exists] : cases)
        EXPECT_EQ(date.DateExists(), exists) << Text(date);
}

TEST(Dates, NextDayAndPreviousDayAreInverse)
{
    const DateCase<TDatum> cases[] = {
        {TDatum(28, 2, 2000), TDatum(29, 2, 2000)}, {TDatum(29, 2, 2000), TDatum(1, 3, 2000)},
        {TDatum(28, 2, 1900), TDatum(1, 3, 1900)},  {TDatum(31, 12, 1999), TDatum(1, 1, 2000)},
        {TDatum(30, 4, 2001), TDatum(1, 5, 2001)},  {TDatum(5, 3, 1999), TDatum(6, 3, 1999)},
    };
    for (const auto& [day, following] : cases) {
        TDatum date;
        day.CopyTo(date);
        date.NextDay();
        EXPECT_EQ(Text(date), Text(following));
        date.PreviousDay();
        EXPECT_EQ(Text(date), Text(day));
    }
}

TEST(Dates, AddingDaysWeeksMonthsAndYears)
{
    struct Case {
        TDatum start;
        void (*add)(TDatum&);
        const char* expected;
    };
    const Case cases[] = {
        {TDatum(31, 1, 1999), [](TDatum& d) { d.AddMonth(1); }, "28.02.1999"},
        {TDatum(31, 1, 2000), [](TDatum& d) { d.AddMonth(1); }, "29.02.2000"},
        {TDatum(15, 1, 1999), [](TDatum& d) { d.AddMonth(-1); }, "15.12.1998"},
        {TDatum(31, 3, 1999), [](TDatum& d) { d.AddMonth(-13); }, "28.02.1998"},
        {TDatum(15, 11, 1999), [](TDatum& d) { d.AddMonth(26); }, "15.01.2002"},
        {TDatum(31, 1, 2099), [](TDatum& d) { d.AddMonth(13); }, "28.02.2100"},
        {TDatum(0, 3, 1999), [](TDatum& d) { d.AddMonth(1); }, "31.03.1999"},
        {TDatum(-5, 1, 2000), [](TDatum& d) { d.AddMonth(0); }, "31.12.1999"},
        {TDatum(25, 12, 1999), [](TDatum& d) { d.AddDay(10); }, "04.01.2000"},
        {TDatum(1, 3, 2000), [](TDatum& d) { d.AddDay(-1); }, "29.02.2000"},
        {TDatum(1, 1, 2000), [](TDatum& d) { d.AddDay(366); }, "01.01.2001"},
        {TDatum(1, 1, 2000), [](TDatum& d) { d.AddWeek(-2); }, "18.12.1999"},
        {TDatum(1, 1, 2000), [](TDatum& d) { d.AddWeek(5000); }, "29.10.2095"},
        {TDatum(29, 2, 2000), [](TDatum& d) { d.AddYear(1); }, "29.02.2001"},
    };
    for (const auto& [start, add, expected] : cases) {
        TDatum date;
        start.CopyTo(date);
        add(date);
        EXPECT_EQ(Text(date), expected) << "from " << Text(start);
    }
}

TEST(Dates, DayCountsAndDateTimeNumbers)
{
    struct Case {
        TDatum date;
        int32_t seit1900;
        double dateTime;
    };
    const Case cases[] = {
        {TDatum(31, 12, 1900), 0, 366},       {TDatum(1, 1, 1901), 1, 367},       {TDatum(1, 1, 1900), -364, 2},
        {TDatum(30, 12, 1899), -366, 0},      {TDatum(5, 3, 1999), 35858, 36224}, {TDatum(1, 1, 1800), -36888, -36522},
        {TDatum(31, 12, 2099), 72684, 73050},
    };
    for (const auto& [date, seit1900, dateTime] : cases) {
        EXPECT_EQ(date.Seit1900(), seit1900) << Text(date);
        EXPECT_EQ(date.GetTDateTime(), dateTime) << Text(date);
        TDatum back;
        // 18:00 of the day; before the epoch the time counts away from zero.
        back.SetTDateTime(dateTime < 0 ? dateTime - 0.75 : dateTime + 0.75);
        EXPECT_EQ(Text(back), Text(date)) << "only the whole days count";
    }
    EXPECT_EQ(TDatum(1, 1, 1999).DayDifference(TDatum(5, 3, 1999)), 63);
    EXPECT_EQ(TDatum(5, 3, 1999).DayDifference(TDatum(1, 1, 1999)), -63);
    EXPECT_EQ(TDatum().GetTDateTime(), 0);

    TDatum outOfRange(1, 1, 2000);
    outOfRange.SetTDateTime(1e12);
    EXPECT_TRUE(outOfRange.IsZeroDate());
}

TEST(Dates, Weekdays)
{
    const DateCase<int> cases[] = {
        {TDatum(1, 1, 1995), 6}, {TDatum(2, 1, 1995), 0},   {TDatum(1, 3, 2000), 2},   {TDatum(5, 3, 1999), 4},
        {TDatum(1, 1, 1800), 2}, {TDatum(31, 12, 2099), 3}, {TDatum(29, 2, 1999), -1},
    };
    for (const auto& [date, weekday] : cases)
        EXPECT_EQ(date.GetWeekday(), weekday) << Text(date);
    EXPECT_EQ(TDatum(1, 1, 1995).GetWeekdayName(), "Sonntag");
    EXPECT_FALSE(TDatum(7, 1, 1995).IsWeekday());
    EXPECT_TRUE(TDatum(6, 1, 1995).IsWeekday());
}

TEST(Dates, SteppingToWeekdays)
{
    TDatum date(6, 1, 1995); // a Friday
    date.NextWeekday();
    EXPECT_EQ(Text(date), "09.01.1995");
    date.PreviousWeekday();
    EXPECT_EQ(Text(date), "06.01.1995");
    date.GoBackToMonday();
    EXPECT_EQ(Text(date), "02.01.1995");
    date.GoBackToMonday();
    EXPECT_EQ(Text(date), "02.01.1995") << "a Monday stays";
    TDatum sunday(1, 1, 1995);
    sunday.GoBackToMonday();
    EXPECT_EQ(Text(sunday), "26.12.1994");
}

TEST_F(DatesWithSettings, ComparingFollowsTheSortingOrder)
{
    const TDatum early(2, 1, 1990);
    const TDatum late(1, 12, 1999);
    EXPECT_TRUE(early.Before(late));
    EXPECT_TRUE(late.After(early));
    EXPECT_EQ(early.Compare(late), -1);
    EXPECT_EQ(late.Compare(early), 1);
    EXPECT_EQ(late.Compare(TDatum(1, 12, 1999)), 0);
    EXPECT_FALSE(late.After(TDatum(1, 12, 1999)));

    DateSortingOrder().Order = {2, 1, 0}; // day first
    EXPECT_TRUE(late.Before(early));
    EXPECT_EQ(early.Compare(late), 1);

    EXPECT_THROW(early.Compare(TZeit()), EInvalidCast);
}

TEST_F(DatesWithSettings, PastAndFutureAreMeasuredFromProgramStart)
{
    SetProgramStartDate(TDatum(5, 3, 1999));
    EXPECT_TRUE(TDatum(4, 3, 1999).LiesInPast());
    EXPECT_FALSE(TDatum(5, 3, 1999).LiesInPast());
    EXPECT_FALSE(TDatum(5, 3, 1999).LiesInFuture());
    EXPECT_TRUE(TDatum(1, 1, 2000).LiesInFuture());
}

TEST(Dates, SortKeys)
{
    EXPECT_EQ(TDatum(5, 3, 1999).MakeForSort(true), "19990305");
    EXPECT_EQ(TDatum(5, 3, 1999).MakeForSort(false), "10011027");
    EXPECT_EQ(TDatum(31, 10, 2000).MakeForSort(false), "10000301");

    TDatumUndZeit value;
    value.Datum.SetDate(5, 3, 1999);
    value.Zeit.SetTime(14, 7, 9);
    EXPECT_EQ(value.MakeForSort(true), "19990305140709");
    EXPECT_EQ(value.MakeForSort(false), "10011027105351");
}

TEST(Dates, DatumsSuche)
{
    const TDatum date(5, 3, 1999);
    const std::pair<const char*, bool> cases[] = {
        {"5.3.1999", true},    {"*.*.*", true},       {"05.03.99", true},  {"1-10.*.*", true},   {"10-1.*.*", true},
        {"*.3.98-2001", true}, {"*.3.00-30", false},  {"6.3.1999", false}, {"*.4.*", false},     {"*.*.2000-05", false},
        {"5.3", false},        {"5.3.1999.1", false}, {"x.3.1999", false}, {"5-.3.1999", false}, {"..", false},
    };
    for (const auto& [pattern, matches] : cases)
        EXPECT_EQ(date.DatumsSuche(pattern), matches) << pattern;
}

TEST(Times, Texts)
{
    const TZeit time(1, 2, 3);
    EXPECT_EQ(time.Time2Text(true), "01:02:03");
    EXPECT_EQ(time.Time2Text(false), "01:02");

    struct Case {
        bool hours, minutes, seconds;
        const char* expected;
    };
    const Case cases[] = {
        {true, true, true, "01:02:03"}, {false, true, true, "62:03"}, {true, false, true, "01:123"},
        {false, false, true, "3723"},   {true, true, false, "01:02"}, {false, true, false, "62"},
        {true, false, false, "01"},     {false, false, false, ""},
    };
    for (const auto& [hours, minutes, seconds, expected] : cases)
        EXPECT_EQ(time.Time2TextSpecial(hours, minutes, seconds), expected) << hours << minutes << seconds;
}

TEST(Times, Text2Time)
{
    struct Case {
        const char* text;
        bool accepted;
        const char* time;
    };
    const Case cases[] = {
        {"7", true, "07:00:00"},        {"7:5", true, "07:05:00"},    {"23:59:59", true, "23:59:59"},
        {"0:0:0", true, "00:00:00"},    {"25:00", false, "00:00:00"}, {"12:60", false, "00:00:00"},
        {"12:0:60", false, "00:00:00"}, {"256", false, "00:00:00"},   {"-1", false, "00:00:00"},
    };
    for (const auto& [text, accepted, expected] : cases) {
        TZeit time(9, 9, 9);
        EXPECT_EQ(time.Text2Time(text), accepted) << text;
        EXPECT_EQ(time.Time2Text(true), expected) << text;
    }

    for (const char* text : {"x", "", ":30", "7:", "7:x", "7:5:4:3", "7 "}) {
        TZeit time(9, 9, 9);
        EXPECT_THROW(time.Text2Time(text), EConvertError) << text;
        EXPECT_TRUE(time.IsZeroTime()) << text;
    }
}

TEST(Times, AddingCarriesAndWrapsAroundMidnight)
{
    struct Case {
        TZeit start;
        void (*add)(TZeit&);
        const char* expected;
    };
    const Case cases[] = {
        {TZeit(23, 30, 0), [](TZeit& t) { t.AddHour(1); }, "00:30:00"},
        {TZeit(1, 0, 0), [](TZeit& t) { t.AddHour(-2); }, "23:00:00"},
        {TZeit(0, 0, 0), [](TZeit& t) { t.AddSecond(-1); }, "23:59:59"},
        {TZeit(10, 59, 30), [](TZeit& t) { t.AddSecond(45); }, "11:00:15"},
        {TZeit(10, 0, 5), [](TZeit& t) { t.AddMinute(-61); }, "08:59:05"},
        {TZeit(23, 0, 0), [](TZeit& t) { t.AddMinute(127); }, "01:07:00"},
        {TZeit(0, 0, 0), [](TZeit& t) { t.AddHour(-128); }, "16:00:00"},
    };
    for (const auto& [start, add, expected] : cases) {
        TZeit time;
        start.CopyTo(time);
        add(time);
        EXPECT_EQ(time.Time2Text(true), expected) << "from " << start.Time2Text(true);
    }
}

TEST(Times, DifferenceLooksAtThePartsDownToTheUnit)
{
    const TZeit later(10, 5, 30);
    const TZeit earlier(9, 50, 45);
    EXPECT_EQ(later.Difference(earlier, TZeit::Hours), 1);
    EXPECT_EQ(later.Difference(earlier, TZeit::Minutes), 15);
    EXPECT_EQ(later.Difference(earlier, TZeit::Seconds), 885);
    EXPECT_EQ(earlier.Difference(later, TZeit::Seconds), -885);
    EXPECT_EQ(later.GetSeconds(), 36330);
    EXPECT_EQ(later.Compare(earlier), 1);
    EXPECT_EQ(TZeit(9, 50, 44).Compare(earlier), -1);
}

TEST(Times, DateTimeFractions)
{
    const TZeit times[] = {TZeit(0, 0, 0), TZeit(12, 0, 0), TZeit(14, 7, 9), TZeit(23, 59, 59)};
    for (const TZeit& time : times) {
        TZeit back;
        back.SetTDateTime(36224 + time.GetTDateTime());
        EXPECT_EQ(back.Time2Text(true), time.Time2Text(true));
    }
    EXPECT_DOUBLE_EQ(TZeit(6, 0, 0).GetTDateTime(), 0.25);
    TZeit almostMidnight;
    almostMidnight.SetTDateTime(0.9999999999);
    EXPECT_EQ(almostMidnight.Time2Text(true), "23:59:59") << "never a 24th hour";
}

TEST(Times, TimeExistsOnlyForATimeOfDay)
{
    struct Case {
        int8_t hour, minute, second;
        bool exists;
    };
    const Case cases[] = {
        {0, 0, 0, true},    {23, 59, 59, true}, {24, 0, 0, false}, {12, 60, 0, false},
        {12, 0, 60, false}, {-1, 0, 0, false},  {0, -1, 0, false}, {0, 0, -1, false},
    };
    for (const auto& [hour, minute, second, exists] : cases)
        EXPECT_EQ(TZeit(hour, minute, second).TimeExists(), exists) << +hour << ":" << +minute << ":" << +second;
}

TEST(DateAndTime, CurrentValuesAreReadFromTheClock)
{
    const double before = LocalNow();
    TDatumUndZeit value;
    value.GetCurrValues();
    TZeit time;
    time.GetCurrTime();
    const double after = LocalNow();
    const double margin = 1e-9; // the date-time numbers are doubles
    EXPECT_GE(value.GetTDateTime(), before - margin);
    EXPECT_LE(value.GetTDateTime(), after + margin);
    if (std::floor(before) == std::floor(after)) { // midnight did not pass in between
        EXPECT_GE(time.GetTDateTime(), before - std::floor(before) - margin);
        EXPECT_LE(time.GetTDateTime(), after - std::floor(after) + margin);
    }
}

TEST(DateAndTime, SetToZeroValueClearsBothParts)
{
    TDatumUndZeit value;
    value.Datum.SetDate(5, 3, 1999);
    value.Zeit.SetTime(14, 7, 9);
    EXPECT_FALSE(value.IsZeroValue());
    value.SetToZeroValue();
    EXPECT_TRUE(value.IsZeroValue());
    EXPECT_EQ(value.ConvertToText(), "---");
}

TEST(DateAndTime, Texts)
{
    TDatumUndZeit value;
    EXPECT_EQ(value.ConvertToText(), "---");
    value.Datum.SetDate(5, 3, 1999);
    value.Zeit.SetTime(14, 7, 9);
    EXPECT_EQ(value.ConvertToText(), "05.03.1999 14:07:09");
    EXPECT_EQ(value.MakeReadable(), "05.03.1999 um 14:07 Uhr");
    value.Datum.SetToZeroDate();
    EXPECT_EQ(value.ConvertToText(), " 14:07:09") << "only both parts zero is the zero value";
}

TEST(DateAndTime, DateTimeNumbers)
{
    TDatumUndZeit value;
    EXPECT_EQ(value.GetTDateTime(), 0);
    value.Datum.SetDate(5, 3, 1999);
    value.Zeit.SetTime(18, 0, 0);
    EXPECT_DOUBLE_EQ(value.GetTDateTime(), 36224.75);

    // Before 1899-12-30 the time counts away from zero like the days.
    value.SetTDateTime(-1.25);
    EXPECT_EQ(value.ConvertToText(), "29.12.1899 06:00:00");
    EXPECT_DOUBLE_EQ(value.GetTDateTime(), -1.25);

    value.SetTDateTime(36224.5);
    EXPECT_EQ(value.ConvertToText(), "05.03.1999 12:00:00");
}

TEST_F(DatesWithSettings, DateAndTimeCompareDatesFirst)
{
    TDatumUndZeit morning, evening;
    morning.Datum.SetDate(6, 3, 1999);
    morning.Zeit.SetTime(8, 0, 0);
    evening.Datum.SetDate(5, 3, 1999);
    evening.Zeit.SetTime(20, 0, 0);
    EXPECT_EQ(morning.Compare(evening), 1);
    evening.Datum.SetDate(6, 3, 1999);
    EXPECT_EQ(morning.Compare(evening), -1);
}

TEST_F(DatesWithSettings, RangesWithOpenBounds)
{
    TZeitraum range;
    EXPECT_EQ(range.MakeText(), "01.01.1900-31.12.2099");
    range.Von.SetDate(1, 3, 1999);
    range.Bis.SetDate(31, 3, 1999);
    const DateCase<bool> cases[] = {
        {TDatum(28, 2, 1999), false},
        {TDatum(1, 3, 1999), true},
        {TDatum(31, 3, 1999), true},
        {TDatum(1, 4, 1999), false},
    };
    for (const auto& [date, contained] : cases)
        EXPECT_EQ(range.ContainsDate(date), contained) << Text(date);

    range.Bis.SetToZeroDate();
    EXPECT_TRUE(range.ContainsDate(TDatum(1, 1, 2099)));
    EXPECT_FALSE(range.ContainsDate(TDatum(28, 2, 1999)));
    range.SetToZeroValues();
    EXPECT_TRUE(range.IsZeroValues());
    EXPECT_TRUE(range.ContainsDate(TDatum(1, 1, 1800)));
    EXPECT_TRUE(range.ContainsDate(TDatum()));
}

TEST(DateModule, ShortDateFormat)
{
    EXPECT_EQ(ShortDateFormat(), "dd.MM.yyyy");
    EXPECT_EQ(FormatShortDate(36224.6), "05.03.1999");
    EXPECT_EQ(FormatShortDate(2), "01.01.1900");
}

TEST(DateModule, ProgramStartIsToday)
{
    TDatum today;
    today.GetCurrDate();
    EXPECT_TRUE(today.DateExists());
    // The tests may run across midnight; the start date is then yesterday.
    const int32_t daysSinceStart = ProgramStartDate().DayDifference(today);
    EXPECT_TRUE(daysSinceStart == 0 || daysSinceStart == 1) << daysSinceStart;
}
