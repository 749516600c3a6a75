// The teeth of random lines, line chains and arcs.

#include "import/JwwZigZag.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace kyrovane {
namespace {

using ::testing::SizeIs;

TEST(ZigZag, ToothSidesRunThroughThePatternFromBit30) {
  const TZigZag zigzag{1, 1, 0x80000001};
  EXPECT_FALSE(zigzag.ToothOnLeft(1));
  EXPECT_TRUE(zigzag.ToothOnLeft(31));
  EXPECT_TRUE(zigzag.ToothOnLeft(32));
  EXPECT_TRUE(zigzag.ToothOnLeft(63));
  EXPECT_TRUE(zigzag.ToothOnLeft(64));
  EXPECT_FALSE(zigzag.ToothOnLeft(65));
}

TEST(ZigZag, TheBudgetOfTeethBoundsAllZigZagsOfADrawing) {
  TZigZagBudget budget(25);
  const TZigZag zigzag{1, 1, 0};
  EXPECT_TRUE(LineZigZag({0, 0, 0}, {20, 0, 0}, zigzag, TToothCount::TopLevel, budget));
  // 20 of 25 teeth are taken: another 20 no longer fit, 5 do.
  EXPECT_FALSE(LineZigZag({0, 0, 0}, {20, 0, 0}, zigzag, TToothCount::TopLevel, budget));
  EXPECT_TRUE(LineZigZag({0, 0, 0}, {5, 0, 0}, zigzag, TToothCount::TopLevel, budget));
  EXPECT_FALSE(LineZigZag({0, 0, 0}, {1e300L, 0, 0}, zigzag, TToothCount::TopLevel, budget));
}

TEST(ZigZag, StepsThatAreNoNumberDrawPlain) {
  TZigZagBudget budget(1000);
  for (const long double step : {0.0L, -1.0L, 1.0L / 0.0L}) {
    const TZigZag zigzag{step, 1, 0};
    EXPECT_FALSE(LineZigZag({0, 0, 0}, {20, 0, 0}, zigzag, TToothCount::TopLevel, budget));
    const std::vector<TPoint3> chain{{0, 0, 0}, {10, 0, 0}};
    EXPECT_FALSE(ChainZigZag(chain, zigzag, budget));
    jwwunit::CDataEnko arc;
    arc.Radius = 10;
    arc.ArcAngle = 3;
    EXPECT_FALSE(ArcZigZag(arc, {0, 0, 0}, zigzag, TToothCount::TopLevel, budget));
  }
}

TEST(ZigZag, AChainKeepsItsTeethUpToTheLastStep) {
  TZigZagBudget budget(1000);
  // 9.6 mm at steps of 2 round up to 5 steps: teeth 1..4, then the end twice.
  const std::vector<TPoint3> chain{{0, 0, 0}, {4.8L, 0, 0}, {9.6L, 0, 0}};
  const auto vertices = ChainZigZag(chain, TZigZag{2, 1, 0}, budget);
  ASSERT_TRUE(vertices);
  EXPECT_THAT(*vertices, SizeIs(2 + 4 + 2));
  EXPECT_NEAR((*vertices)[4].X, 6, 1e-12);
  EXPECT_NEAR((*vertices)[5].X, 8, 1e-12);
  EXPECT_EQ((*vertices)[7].X, 9.6L);
}

}  // namespace
}  // namespace kyrovane
