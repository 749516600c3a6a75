// A drawing of one million lines on one page draws and saves as a valid PDF.

#include <gtest/gtest.h>

#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

TEST(MillionLines, DrawAndSaveOnOnePage) {
  constexpr int kLines = 1000000;
  ModelFixture model;
  for (int i = 0; i < kLines; ++i) {
    TCad_Line& line = model.Add<TCad_Line>();
    const long double x = (i % 1000) * 0.8L;
    const long double y = (i / 1000) * 0.58L;
    line.P1 = {x, y, 0};
    line.P2 = {x + 0.5L, y + 0.3L, 0};
  }
  TempDir dir;
  const std::vector<std::string> pages =
      PageContents(ReadFile(model.Print(dir / "million.pdf", 1)));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(CountOperator(pages[0], "S"), kLines);
}

}  // namespace
}  // namespace kyrovane::test
