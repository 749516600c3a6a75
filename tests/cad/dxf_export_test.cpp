// DXF entity groups written by the model: the exact group text of points, arcs and texts, and a
// drawing of every entity kind read back by a real DXF reader.

#include <gtest/gtest.h>

#include <sstream>

#include "cad/CadText.h"
#include "model_fixture.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

// The groups of an entity: code and value on lines of their own, ended by CR LF.
std::string Groups(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

std::string Dxf(TCad_Object& object) {
  std::ostringstream out;
  object.WriteDxf(out);
  return out.str();
}

TEST(DxfExport, PointsArcsAndTextsGroupByGroup) {
  ModelFixture model;
  model.Add<TCad_Point>();
  EXPECT_EQ(Dxf(*model.layer), Groups({"0", "POINT", "8", "0", "10", "0", "20", "0", "30", "0"}));

  ModelFixture arcs;
  arcs.page.AddLineType("4");
  TCad_Arc& across = arcs.Add<TCad_Arc>();
  across.Center = {25.4L, 2};
  across.Radii = {5, 5};
  across.StartAngle = 350;
  across.EndAngle = 10;
  across.SetLineType("4");
  arcs.Add<TCad_Arc>().Radii = {1, 1};
  EXPECT_EQ(Dxf(*arcs.layer),
            Groups({"0",  "ARC", "8",  "0",   "6",  "4",   "10", "25.4", "20", "2",  "30", "0",
                    "40", "5",   "50", "350", "51", "370", "0",  "ARC",  "8",  "0",  "10", "0",
                    "20", "0",   "30", "0",   "40", "1",   "50", "0",    "51", "360"}));

  // A paper-sized text is written as printed, and keeps its own text.
  ModelFixture texts;
  texts.page.Output.OutputScale = 0.5L;
  TCad_Text& text = texts.Add<TCad_Text>();
  text.Text = "AB ";
  text.Height = 5;
  text.HScale = 80;
  text.Angle = 30;
  text.PaperSized = 1;
  text.Position = {1.5L, 0};
  EXPECT_EQ(Dxf(text), Groups({"0", "TEXT", "8", "0", "10", "1.5", "20", "0", "30", "0", "40",
                               "2.5", "50", "30", "1", "AB", "41", "0.8"}));
  EXPECT_EQ(text.Text, "AB ");
}

TEST(DxfExport, ADrawingOfEveryKindReadsBackInARealDxfReader) {
  ModelFixture model;
  model.page.AddLineType("2");
  TCad_Layer& walls = *model.page.GetLayer(model.page.AddLayer("walls"));
  walls.Scale = {2, 2, 2};
  walls.Origin = {10, 0};
  model.Add<TCad_Point>().Position = {3, 4};
  TCad_Line& line = model.AddTo<TCad_Line>(walls);
  line.Layer = &walls;
  line.P2 = {1, 2};
  line.P1 = {5, 6};
  line.SetLineType("2");
  TCad_Arc& arc = model.Add<TCad_Arc>();
  arc.Center = {50, 60};
  arc.Radii = {10, 10};
  arc.StartAngle = 90;
  arc.EndAngle = 180;
  TCad_Arc& ellipse = model.Add<TCad_Arc>();
  ellipse.Center = {-20, 5};
  ellipse.Radii = {8, 4};
  ellipse.AxisAngle = 90;
  ellipse.EndAngle = 180;
  TCad_Text& text = model.Add<TCad_Text>();
  text.Text = "PLAN";
  text.Height = 3.5L;
  text.HScale = 100;
  text.Position = {7, 8};
  TCad_Curve& curve = model.Add<TCad_Curve>();
  for (const auto& [x, y] : {std::pair{0, 0}, {0, 0}, {10, 0}, {10, 10}}) AddVertex(curve, x, y);
  AddVertex(model.Add<TCad_PolyLine>("solid"), 0, 0);  // writes nothing
  model.InsertOf(*model.layer, model.NewBlock("b"));   // writes nothing

  TempDir dir;
  std::string dxf = "0\r\nSECTION\r\n2\r\nENTITIES\r\n";
  for (int i = 0; i < model.page.LayerCount(); ++i) dxf += Dxf(*model.page.GetLayer(i));
  dxf += "0\r\nENDSEC\r\n0\r\nEOF\r\n";
  WriteFile(dir / "drawing.dxf", dxf);
  const CommandResult read = test::Run("/usr/bin/python3 " + ShellQuote(KYROVANE_DXF_ENTITIES) +
                                       " " + ShellQuote((dir / "drawing.dxf").string()));
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out,
            "POINT 0 (3.0, 4.0, 0.0)\n"
            "ARC 0 (50.0, 60.0, 0.0) 10.0 90.0 180.0\n"
            "ELLIPSE 0 (-20.0, 5.0, 0.0) (0.0, 8.0, 0.0) 0.5 3.142\n"
            "TEXT 0 (7.0, 8.0, 0.0) PLAN 3.5 0.0 1.0\n"
            "LINE 0 (0.0, 0.0, 0.0) (10.0, 0.0, 0.0) None\n"
            "LINE 0 (10.0, 0.0, 0.0) (10.0, 10.0, 0.0) None\n"
            "LINE walls (22.0, 4.0, 0.0) (30.0, 12.0, 0.0) 2\n");
}

}  // namespace
}  // namespace kyrovane::test
