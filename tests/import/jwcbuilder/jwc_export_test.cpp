// The model's export into the tables of a drawing in the older format: the records of each
// entity kind, blocks placed by their inserts, and a drawing that comes back the same when its
// export is written, read and built again.

#include <gtest/gtest.h>

#include <cmath>

#include "cad/CadExport.h"
#include "cad/CadSpline.h"
#include "cad/CadText.h"
#include "cad/model_fixture.h"
#include "import/JwcExport.h"
#include "older_build_fixture.h"

namespace kyrovane::test {
namespace {

constexpr float kTolerance = 1e-4f;

// Every layer of the page exported into tables of the given scale.
JwcData Exported(TCad_Page& page, float scale) {
  JwcData data;
  data.JwcHeader.Scale = scale;
  TJwcExportTables tables(data);
  for (int i = 0; i < page.LayerCount(); ++i) page.GetLayer(i)->ExportJwc(tables, nullptr);
  return data;
}

// Lines, arcs and points are checked by the round trip below; paths, splines and the choice of
// text type here.
TEST(JwcExport, PathsSplinesAndTextsGiveTheirRecordsInTheDrawingsUnits) {
  ModelFixture model;
  for (const long double height : {5.5L, 5.0L, 2.0L}) {
    TCad_Text& text = model.Add<TCad_Text>();
    text.Text = "ABC";
    text.Height = height;
  }
  // A straight segment and a half circle counter-clockwise.
  TCad_PolyLine& path = model.Add<TCad_PolyLine>("path");
  AddVertex(path, 0, 0);
  AddVertex(path, 10, 0, 1);
  AddVertex(path, 20, 0);
  TCad_Spline& spline = model.Add<TCad_Spline>();
  spline.ControlPoints = {{0, 0}, {10, 0}};
  spline.Knots = {0, 0, 1, 1};
  const JwcData out = Exported(model.page, 2);

  ASSERT_EQ(out.JwcLines.size(), 1 + 9);
  EXPECT_EQ(out.JwcLines[0], (TJwcLine{0, 0, 5, 0, 1, 1, 0, 0, 0, 0}));
  EXPECT_NEAR(out.JwcLines.back().X2, 4.5f, kTolerance);  // the spline's last point, t = 0.9
  ASSERT_EQ(out.JwcArcs.size(), 1);
  const TJwcArc& half = out.JwcArcs[0];
  EXPECT_NEAR(half.CenterX, 7.5f, kTolerance);
  EXPECT_NEAR(half.Radius, 2.5f, kTolerance);
  EXPECT_EQ(half.Ratio, 1);
  EXPECT_NEAR(half.StartAngle, 180, kTolerance);
  EXPECT_NEAR(half.EndAngle, 360, kTolerance);
  // The largest type lower than the text: 5 mm for 5.5 mm, 4 mm for 5 mm, and the first type
  // when none is lower. The base line runs half a character and gap per byte.
  ASSERT_EQ(out.JwcTexts.size(), 3);
  EXPECT_EQ(out.JwcTexts[0].TextType, 5);
  EXPECT_EQ(out.JwcTexts[0].X2, 3 * 5.5f / 2 / 2);
  EXPECT_EQ(out.JwcTexts[0].Text, "ABC");
  EXPECT_EQ(out.JwcTexts[1].TextType, 4);
  EXPECT_EQ(out.JwcTexts[2].TextType, 1);
}

TEST(JwcExport, BlocksArePlacedByTheirInsertsAndLeftAsTheyAre) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("b");
  TCad_Text& text = model.AddTo<TCad_Text>(block);
  text.Text = "A";
  text.Height = 3;
  text.Position = {1, 0};
  TCad_Arc& arc = model.AddTo<TCad_Arc>(block);
  arc.Center = {2, 0};
  arc.Radii = {1, 1};
  model.InsertOf(block, block);  // a block that inserts itself is gone through once
  TCad_Insert& insert = model.InsertOf(*model.layer, block);
  insert.Position = {10, 0};
  insert.Scale = {2, 2, 1};
  insert.Angle = 90;
  Exported(model.page, 2);
  const JwcData out = Exported(model.page, 2);

  ASSERT_EQ(out.JwcTexts.size(), 1);
  EXPECT_NEAR(out.JwcTexts[0].X, 5, kTolerance);
  EXPECT_NEAR(out.JwcTexts[0].Y, 1, kTolerance);
  EXPECT_NEAR(out.JwcTexts[0].X2, 5, kTolerance);  // turned with the insert
  ASSERT_EQ(out.JwcArcs.size(), 1);
  EXPECT_NEAR(out.JwcArcs[0].CenterY, 2, kTolerance);
  EXPECT_NEAR(out.JwcArcs[0].Radius, 1, kTolerance);
  EXPECT_EQ(out.JwcArcs[0].AxisAngle, 90);
  EXPECT_THAT(block.Origin, IsPoint(0, 0));
  EXPECT_EQ(block.Angle, 0);
  EXPECT_EQ(block.Scale.X, 0);
}

// The page points of every line, arc, point and text of a layer, each with the values that
// tell its shape.
std::vector<std::vector<long double>> Drawn(TCad_Layer& layer) {
  std::vector<std::vector<long double>> drawn;
  for (int i = 0; i < layer.Count(); ++i) {
    const TCad_Entity& e = *layer.GetItem(i);
    const auto at = [&](const TPoint3& p) { return e.TransformPoint(p); };
    if (const auto* line = dynamic_cast<const TCad_Line*>(&e)) {
      drawn.push_back({at(line->P1).X, at(line->P1).Y, at(line->P2).X, at(line->P2).Y});
    } else if (const auto* arc = dynamic_cast<const TCad_Arc*>(&e)) {
      const TPoint3 r = arc->TransformRadii(arc->Radii);
      drawn.push_back({at(arc->Center).X, at(arc->Center).Y, r.X, r.Y, arc->StartAngle,
                       arc->EndAngle, arc->AxisAngle});
    } else if (const auto* point = dynamic_cast<const TCad_Point*>(&e)) {
      drawn.push_back({at(point->Position).X, at(point->Position).Y});
    } else if (const auto* text = dynamic_cast<const TCad_Text*>(&e)) {
      drawn.push_back({at(text->Position).X, at(text->Position).Y, text->Angle,
                       static_cast<long double>(text->Text.size())});
    }
  }
  return drawn;
}

TEST(JwcExportRoundTrip, ADrawingWrittenFromItsExportDrawsTheSame) {
  JwwBuild jww;
  jww.head.PaperSize = 3;
  jww.Add(Line(0, 0, 100, 50, Head(2, 3, 1, 4)));
  jww.Add(Line(-20.125, 7, -20.125, -33, Head(1, 1, 15, 15)));
  jww.Add(Arc(30, 40, 12.5, 0.5, 2, Head(1, 2, 1, 4)));
  jwwunit::CDataEnko ellipse = Arc(-60, 10, 20, 0, 6.283185307179586, Head(1, 1, 0, 3));
  ellipse.Flatness = 0.25;
  ellipse.TiltAngle = 0.75;
  jww.Add(ellipse);
  jww.Add(jwwunit::CDataTen{Head(1, 1, 2, 2), 17.5, -3.25});
  jwwunit::CDataMoji plan = Text("PLAN", 5, 5, 6, 6, Head(1, 1, 1, 4));
  plan.Height = 5;
  jww.Add(plan);
  jww.Build();

  JwcData exported = Exported(jww.page, 2);
  exported.JwcHeader.PaperSize = 3;
  exported.JwcHeader.ScaleDivisor = 210;
  for (TJwcGroup& group : exported.JwcGroups) group.StateA = group.StateB = 1;
  for (TJwcLayer& layer : exported.JwcLayers) layer.StateA = layer.StateB = 1;
  for (int t = 0; t < kJwcTextTypes; ++t) {
    const TJwcTextSize& size = kJwcTextSizes[t];
    exported.JwcTextTypes[t] = {1, static_cast<uint16_t>(size.Width * 10),
                                static_cast<uint16_t>(size.Height * 10),
                                static_cast<uint16_t>(size.Spacing * 10)};
  }
  JwcBuild jwc;
  jwc.drawing = DrawingOf(exported);
  jwc.Build();

  int entities = 0;
  for (int l = 0; l < 256; ++l) {
    SCOPED_TRACE(l);
    const auto before = Drawn(jww.Layer(l));
    const auto after = Drawn(jwc.Layer(l));
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      ASSERT_EQ(after[i].size(), before[i].size());
      for (std::size_t k = 0; k < before[i].size(); ++k) {
        EXPECT_NEAR(after[i][k], before[i][k], 1e-3) << i << ' ' << k;
      }
    }
    entities += static_cast<int>(before.size());
  }
  EXPECT_EQ(entities, 6);
  // Texts come back in the type below their height: 4 mm for the 5 mm of a JWW text of 5.
  EXPECT_EQ(Item<TCad_Text>(jwc.Layer(20), 2).Height, 4);
}

}  // namespace
}  // namespace kyrovane::test
