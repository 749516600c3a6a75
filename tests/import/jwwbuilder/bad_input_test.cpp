// Drawings with values outside every table and numbers that are no numbers: the build falls
// back to sound defaults, leaves out what it cannot place, and the page output completes.

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "app/settings/Units.h"
#include "jww_build_fixture.h"
#include "pdf/PDFPrinter.h"

namespace kyrovane::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Print(TCad_Page& page) {
  std::ostringstream pdf;
  page.PrintToPdf(pdf, 1, false, 0);
  return pdf.str();
}

TEST(JwwPens, PensOutsideTheNineTakeTheFirstPen) {
  JwwBuild build;
  build.env.UseColor = true;
  build.env.LineColor[1] = 17;  // Red
  build.Add(Line(0, 0, 1, 1, Head(1, 0))).Add(Line(0, 0, 1, 1, Head(1, 65535)));
  build.Build();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Item<TCad_Line>(build.Layer(0), i).Color, 0x0000FF);
    EXPECT_EQ(Item<TCad_Line>(build.Layer(0), i).LineWidth, MmToPoint(0.1L));
  }
}

TEST(JwwLayers, RecordsOnLayersThatDoNotExistAreLeftOut) {
  JwwBuild build;
  build.Add(Line(0, 0, 1, 1, Head(1, 1, 16, 0)));  // group 16: layer 256
  build.Add(Line(0, 0, 2, 2, Head(1, 1, 65535, 65535)));
  build.Add(Line(0, 0, 3, 3, Head(1, 1, 0, 20)));  // layer 20 of group 0: layer "20"
  build.Add(Text("A", 0, 0, 1, 0, Head(1, 1, 40, 0)));
  build.Add(Insert(0, 0, 0, Head(1, 1, 99, 0)));
  TCad_Page& page = build.Build();
  int entities = 0;
  for (int l = 0; l < page.LayerCount(); ++l) entities += page.GetLayer(l)->Count();
  EXPECT_EQ(entities, 1);
  EXPECT_THAT(Item<TCad_Line>(build.Layer(20), 0).P1, IsPoint(3 + kHalfX, 3 + kHalfY));
}

TEST(JwwBlocks, BlocksInsertingThemselvesAreDrawnWithoutEnd) {
  JwwBuild build;
  build.Block(0, {Line(0, 0, 1, 1), Insert(1, 1, 0)}).Block(1, {Insert(0, 0, 1), Insert(1, 1, 1)});
  build.Add(Insert(0, 0, 0));
  EXPECT_TRUE(Print(build.Build()).starts_with("%PDF-1.2"));
}

TEST(JwwBadNumbers, CoordinatesThatAreNoNumbersNeitherSizeThePageNorStopTheOutput) {
  JwwBuild build;
  build.Add(Line(kNaN, 0, 10, kInf)).Add(Line(-20, -10, 30, 40));
  build.Add(Arc(kInf, 0, kNaN, 0, kInf)).Add(Text("A", kNaN, kNaN, kInf, 0));
  build.Add(jwwunit::CDataSolid{Head(100, 10), {kNaN, kInf, kNaN, 1, 2, 3, 4, 5}, 0xFFFFFFFF});
  build.Add(jwwunit::CDataTen{Head(), kInf, kNaN, 0});
  jwwunit::CDataBlock insert = Insert(0, kInf, 0);
  insert.ScaleX = 1e300;
  insert.Rotation = kNaN;
  build.Block(0, {Line(0, 0, kNaN, 1)}).Add(insert);
  TCad_Page& page = build.Build(true);
  // Only the finite values measure the drawing: -20..30 by -10..40 mm.
  EXPECT_EQ(page.PageWidth, std::nearbyint(MmToPoint(50)));
  EXPECT_EQ(page.PageHeight, std::nearbyint(MmToPoint(50)));
  EXPECT_TRUE(Print(page).starts_with("%PDF-1.2"));
}

TEST(JwwBadNumbers, RandomLinesOfUnboundedTeethAreDrawnPlain) {
  JwwBuild build;
  build.SetRandomType(12, 1, 2, 0);
  build.Add(Line(0, 0, 1e300, 0, Head(12))).Add(Arc(0, 0, 1e300, 0, 1000, Head(12)));
  jwwunit::JWWEntityHead chained = Head(12);
  chained.CurveGroup = 3;
  build.Add(Line(0, 0, 1e300, 0, chained)).Add(Line(1e300, 0, 0, 0, chained));
  build.Add(Line(0, 0, 10, 0, Head(12)));
  build.Build();
  Item<TCad_Line>(build.Layer(0), 0);
  EXPECT_EQ(Points(Item<TCad_Curve>(build.Layer(0), 1)).size(), 4u);  // the chain, plain
  EXPECT_EQ(Points(Item<TCad_Curve>(build.Layer(0), 2)).size(), 13u);
  Item<TCad_Arc>(build.Layer(0), 3);
  EXPECT_TRUE(Print(build.page).starts_with("%PDF-1.2"));
}

}  // namespace
}  // namespace kyrovane::test
