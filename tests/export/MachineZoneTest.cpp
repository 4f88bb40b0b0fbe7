// Times rendered in the zone of the machine. ctest runs these alone with TZ=Europe/Berlin (the
// zone a Wine process takes from its environment), whose offset changes with the date.
#include "export/CreationTime.h"
#include "export/ValueFormat.h"

#include <gtest/gtest.h>

namespace {

ADSVALUE UtcTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    ADSVALUE v = {};
    v.dwType = ADSTYPE_UTC_TIME;
    v.UTCTime = SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
    return v;
}

TEST(MachineZone, TimesReadInTheZoneOfTheMachineAtTheirOwnDate)
{
    TIME_ZONE_INFORMATION zone = {};
    ::GetTimeZoneInformation(&zone);
    ASSERT_EQ(zone.Bias, -60) << "this test needs the machine's zone to be central European time";

    const ADSVALUE winter[] = {UtcTime(2010, 12, 31, 23, 30, 0)};
    EXPECT_EQ(FormatColumnValues(winter, 1), L"1/1/2011  0:30:0");
    const ADSVALUE summerAndWinter[] = {UtcTime(2010, 7, 1, 12, 5, 9), UtcTime(2011, 1, 2, 3, 4, 5)};
    EXPECT_EQ(FormatColumnValues(summerAndWinter, 2), L"1/7/2010  14:5:9; 2/1/2011  4:4:5");
}

TEST(MachineZone, CreationTimeIsLocalForThatMoment)
{
    EXPECT_EQ(FormatCreationTime(1299488703), L"07/03/2011 10:05:03"); // winter: one hour ahead
    EXPECT_EQ(FormatCreationTime(1309563000), L"02/07/2011 01:30:00"); // summer: two hours ahead
}

} // namespace
