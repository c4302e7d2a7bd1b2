#include "scores/ScoreRecord.h"

#include <gtest/gtest.h>

namespace {

core::TimeOfDay at(int year, int month, int day, int hour, int minute, int second) {
    return core::TimeOfDay{year, month, day, hour, minute, second, 0};
}

TEST(ScoreFileName, IsTheLocalDosDateTimeWordAsASignedNumber) {
    EXPECT_EQ(scores::DosDateTime(at(2005, 6, 15, 14, 30, 20)), 852456394);
    EXPECT_EQ(scores::DosDateTime(at(2005, 6, 15, 14, 30, 21)), 852456394) << "two-second steps";
    EXPECT_EQ(scores::DosDateTime(at(1980, 1, 1, 0, 0, 0)), 0x00210000);
    EXPECT_LT(scores::DosDateTime(at(2044, 1, 1, 0, 0, 0)), 0) << "the year fills the top bit";
    EXPECT_EQ(scores::DosDateTime(at(2107, 12, 31, 23, 59, 58)), static_cast<int32_t>(0xFF9FBF7Du));
    EXPECT_EQ(scores::DosDateTime(at(1979, 12, 31, 23, 59, 59)), 0);
    EXPECT_EQ(scores::DosDateTime(at(2108, 1, 1, 0, 0, 0)), 0);
}

TEST(ScoreRecord, IsOneTabSeparatedWindows1252Line) {
    EXPECT_EQ(scores::ScoreRecord("Ann", 2, 4, 12345), "Ann\tNormal\t4\t12345\r\n");
    EXPECT_EQ(scores::ScoreRecord(" Bo ", 1, 11, 7), " Bo \tBeginner\t11\t7\r\n");
    // é and € exist in the code page; the snowman does not.
    EXPECT_EQ(scores::ScoreRecord("\xC3\xA9\xE2\x82\xAC\xE2\x98\x83", 3, 1, 1),
              "\xE9\x80?\tExpert\t1\t1\r\n");
}

}  // namespace
