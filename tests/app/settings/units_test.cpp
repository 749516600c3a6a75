#include "app/settings/Units.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace kyrovane {
namespace {

TEST(Units, MillimetresToPoints) {
  EXPECT_EQ(MmToPoint(25.4L), 72.0L);
  EXPECT_NEAR(static_cast<double>(MmToPoint(1.0L)), 2.834645669, 1e-9);
  EXPECT_NEAR(static_cast<double>(MmToPoint(0.5L)), 1.417322835, 1e-9);
  EXPECT_EQ(MmToPoint(-25.4L), -72.0L);
  EXPECT_EQ(MmToPoint2(25.4L), 72.0L);
}

TEST(Units, GuardedConversionGivesZeroWhereTheOtherReportsTheFault) {
  EXPECT_EQ(MmToPoint(LDBL_MAX), 0.0L);  // the multiplication overflows the 80-bit range
  EXPECT_EQ(MmToPoint(-LDBL_MAX), 0.0L);
  EXPECT_EQ(MmToPoint(NAN), 0.0L);
  EXPECT_THROW(MmToPoint2(LDBL_MAX), EFloatingPointError);
  EXPECT_THROW(MmToPoint2(NAN), EFloatingPointError);
  // Large but representable stays exact enough.
  EXPECT_NEAR(static_cast<double>(MmToPoint(1e300L) / 1e300L), 72 / 25.4, 1e-12);
}

}  // namespace
}  // namespace kyrovane
