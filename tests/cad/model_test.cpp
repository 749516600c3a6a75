// The document's lists, what entities take from their layer and the transform of model
// millimetres into page points, with and without inserts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/CadText.h"
#include "cad/model_fixture.h"

namespace kyrovane::test {
namespace {

constexpr long double kTolerance = 1e-9L;

void ExpectPoint(const TPoint3& p, long double x, long double y) {
  EXPECT_NEAR(static_cast<double>(p.X), static_cast<double>(x), kTolerance);
  EXPECT_NEAR(static_cast<double>(p.Y), static_cast<double>(y), kTolerance);
}

TEST(CadPage, ClearKeepsTheOpenDocumentAndResetClosesIt) {
  TCad_Page page;
  const auto expectEmptyPage = [&page] {
    EXPECT_EQ(page.LayerCount(), 0);
    EXPECT_EQ(page.PageWidth, 2384);
    EXPECT_EQ(page.MarginX, 0);
    EXPECT_EQ(page.Output.LayerDrawFirst[7], 0);
  };
  page.AddLayer("1");
  page.AddLineType("2");
  page.AddBlock("3", page.GetLayer(0));
  page.PageWidth = 100;
  page.MarginX = 5;
  page.Output.LayerDrawFirst[7] = 1;
  page.Output.DefaultFontName = "Mincyo";
  page.Printer->PdfTextRise = 0.25L;
  page.Printer->BeginDoc();
  TPDFPrinter* printer = page.Printer.get();

  page.Clear();  // the drawings of a list share one open document
  expectEmptyPage();
  EXPECT_EQ(page.FindLineType("2"), nullptr);
  EXPECT_EQ(page.FindBlock("3"), nullptr);
  EXPECT_EQ(page.Printer.get(), printer);
  EXPECT_TRUE(page.Printer->HasDoc());
  EXPECT_EQ(page.Output.DefaultFontName, "Mincyo");

  page.AddLayer("1");
  page.Reset();
  expectEmptyPage();
  EXPECT_FALSE(page.Printer->HasDoc());
  EXPECT_EQ(page.Printer->PdfTextRise, 0.25L);
}

TEST(CadPage, AddAndFindByExactNameCutAt255Bytes) {
  TCad_Page page;
  EXPECT_EQ(page.AddLayer("7"), 0);
  EXPECT_EQ(page.AddLayer("7"), 0);
  EXPECT_EQ(page.AddLayer("8"), 1);
  EXPECT_EQ(page.GetLayer(1)->Index, 1);
  page.AddLayer("A");
  EXPECT_EQ(page.FindLayer("a"), nullptr);
  EXPECT_EQ(page.FindLayer("A")->Name, "A");
  EXPECT_EQ(page.FindLayer("A "), nullptr);

  EXPECT_EQ(page.AddLineType("1"), 0);
  EXPECT_EQ(page.AddLineType("1"), 0);
  EXPECT_EQ(page.AddLineType("2"), 1);
  EXPECT_EQ(page.FindLineType("2"), page.GetLineType(1));

  EXPECT_EQ(page.AddBlock("10", page.GetLayer(0)), 0);
  EXPECT_EQ(page.AddBlock("10", page.GetLayer(1)), 0);
  EXPECT_EQ(page.FindBlock("10")->Layer, page.GetLayer(0));
  EXPECT_EQ(page.FindBlock("11"), nullptr);

  const std::string longName(300, 'x');
  EXPECT_EQ(page.AddLayer(longName), 3);
  EXPECT_EQ(page.GetLayer(3)->Name, std::string(255, 'x'));
  EXPECT_EQ(page.FindLayer(longName), nullptr);
  EXPECT_EQ(page.AddLayer(longName), 4);  // not found by the long name, so appended again
  EXPECT_EQ(page.FindBlock(longName), nullptr);
  EXPECT_EQ(page.GetBlock(page.AddBlock(longName, page.GetLayer(0)))->Name.size(), 255u);
}

TEST(CadEntity, NewEntityTakesLayerSettingsAndLineType) {
  ModelFixture model;
  model.layer->Visible = 0;
  model.layer->Color = 0x123456;
  model.layer->LineTypeName = "dashed";
  TCad_Line& unnamed = model.Add<TCad_Line>();
  EXPECT_EQ(unnamed.LineType, nullptr);  // no such line type: solid
  EXPECT_EQ(unnamed.Visible, 0);
  EXPECT_EQ(unnamed.Color, 0x123456);

  TCad_Line_Type* dashed = model.page.GetLineType(model.page.AddLineType("dashed"));
  TCad_Line& named = model.Add<TCad_Line>();
  EXPECT_EQ(named.LineType, dashed);
  named.SetLineType("other");
  EXPECT_EQ(named.LineType, nullptr);
  named.SetLineType("dashed");
  EXPECT_EQ(named.LineType, dashed);
}

TEST(CadEntity, DashPatternInWholePoints) {
  EXPECT_TRUE(DashPatternOf(nullptr).Values.empty());
  // Lengths from a negative pitch keep their magnitude; damaged ones become the shortest dash.
  TCad_Line_Type odd(nullptr);
  odd.AddDash(-2);
  odd.AddDash(std::numeric_limits<long double>::quiet_NaN());
  odd.Phase = 2.5L;
  EXPECT_EQ(DashPatternOf(&odd).Values, (std::vector<long double>{6, 1}));
  EXPECT_EQ(DashPatternOf(&odd).Phase, 2);  // rounded half to even
}

TEST(CadTransform, LayerScalesShiftsAndTurns) {
  ModelFixture model;
  TCad_Point& point = model.Add<TCad_Point>();
  ExpectPoint(point.TransformPoint({25.4L, 50.8L, 7}), 72, 144);
  EXPECT_EQ(point.TransformPoint({25.4L, 50.8L, 7}).Z, 0);

  model.layer->Angle = 90;
  ExpectPoint(point.TransformPoint({25.4L, 0, 0}), 0, 72);

  model.layer->Angle = 0;
  model.layer->Scale = {0.5L, 0.5L, 1};
  model.layer->Origin = {10, 0, 0};
  ExpectPoint(point.TransformPoint({0, 0, 0}), MmToPt(5), 0);

  model.layer->Angle = 90;
  model.layer->Scale = {1, 1, 1};
  ExpectPoint(point.TransformPoint({-10, 0, 0}), 0, 0);
  ExpectPoint(point.TransformPoint({-10 + 25.4L, 0, 0}), 0, 72);
}

TEST(CadTransform, InsertChainsPlaceBlockMembers) {
  ModelFixture model;
  TCad_Point& point = model.Add<TCad_Point>();
  TCad_Insert& inner = model.Add<TCad_Insert>();
  inner.Position = {10, 0, 0};
  inner.Scale = {2, 2, 1};
  inner.Angle = 90;
  point.SetParent(&inner);
  ExpectPoint(point.TransformPoint({1, 0, 0}), MmToPt(10), MmToPt(2));

  TCad_Insert& outer = model.Add<TCad_Insert>();
  outer.Position = {100, 0, 0};
  outer.Scale = {1, 1, 1};
  inner.SetParent(&outer);
  ExpectPoint(point.TransformPoint({1, 0, 0}), MmToPt(110), MmToPt(2));
  outer.Angle = 90;
  ExpectPoint(point.TransformPoint({1, 0, 0}), MmToPt(98), MmToPt(10));
  EXPECT_NEAR(static_cast<double>(inner.TotalAngle()), 180, 1e-12);
  EXPECT_EQ(inner.TotalScale().X, 2);

  // Three nested inserts turn and scale the inner positions.
  TCad_Insert* enclosing = nullptr;
  TCad_Insert* innermost = nullptr;
  for (int i = 0; i < 3; ++i) {
    TCad_Insert& insert = model.Add<TCad_Insert>();
    insert.Angle = 30;
    insert.Scale = {2, 2, 1};
    insert.SetParent(enclosing);
    enclosing = innermost = &insert;
  }
  innermost->Position = {1, 0, 0};
  const TPoint3 offset = innermost->TotalOffset();
  EXPECT_NEAR(static_cast<double>(offset.X), 4 * std::cos(cad::DegToRad(60)), 1e-12);
  EXPECT_NEAR(static_cast<double>(offset.Y), 4 * std::sin(cad::DegToRad(60)), 1e-12);
  EXPECT_EQ(innermost->TotalScale().Y, 8);
  EXPECT_NEAR(static_cast<double>(innermost->TotalAngle()), 90, 1e-12);
}

TEST(CadTransform, AnglesAndLengthsThroughInsertsAndLayer) {
  ModelFixture model;
  model.layer->Angle = 90;
  model.layer->Scale = {0.5L, 0.25L, 1};
  TCad_Insert& insert = model.Add<TCad_Insert>();
  insert.Angle = 30;
  insert.Scale = {2, 3, 1};
  TCad_Arc& arc = model.Add<TCad_Arc>();
  arc.SetParent(&insert);
  EXPECT_NEAR(static_cast<double>(arc.TransformAngle(10)), 130, 1e-12);
  EXPECT_NEAR(static_cast<double>(arc.TransformLengthX(25.4L)), 72 * 2 * 0.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(arc.TransformLengthY(25.4L)), 72 * 3 * 0.25, 1e-12);
  EXPECT_EQ(arc.InsertScaledY(5), 15);
  const TPoint3 radii = arc.TransformRadii({25.4L, 50.8L, 0});
  EXPECT_NEAR(static_cast<double>(radii.X), 72, 1e-12);
  EXPECT_NEAR(static_cast<double>(radii.Y), 108, 1e-12);

  arc.SetParent(nullptr);
  EXPECT_EQ(arc.InsertScaledX(5), 5);
  EXPECT_NEAR(static_cast<double>(arc.TransformAngle(10)), 100, 1e-12);
}

}  // namespace
}  // namespace kyrovane::test
