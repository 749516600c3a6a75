// Blocks drawn through inserts: placement, passes, and the guards against blocks that insert
// themselves, chains deeper than the model allows and exponential fan-out.

#include <gtest/gtest.h>

#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"

namespace kyrovane::test {
namespace {

TCad_Insert& InsertOf(ModelFixture& model, TCad_Container& into, TCad_Block& block) {
  TCad_Insert& insert = model.AddTo<TCad_Insert>(into);
  insert.SetBlock(&block);
  insert.Scale = {1, 1, 1};
  return insert;
}

TCad_Line& LineIn(ModelFixture& model, TCad_Container& into) {
  TCad_Line& line = model.AddTo<TCad_Line>(into);
  line.P1 = {10, 10, 0};
  line.P2 = {20, 20, 0};
  return line;
}

TEST(InsertOutput, IdentityInsertDrawsMembersWhereTheyWouldBe) {
  ModelFixture plain;
  TCad_Point& loose = plain.Add<TCad_Point>();
  loose.Position = {30, 40, 0};
  const std::string expected = plain.DrawPass(1);

  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  model.AddTo<TCad_Point>(block).Position = {30, 40, 0};
  InsertOf(model, *model.layer, block);
  EXPECT_EQ(model.DrawPass(1), expected);
}

TEST(InsertOutput, PlacesMembersByPositionScaleAndAngle) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  TCad_Point& point = model.AddTo<TCad_Point>(block);
  point.Position = {1, 0, 0};
  point.LineWidth = 1;
  TCad_Insert& insert = InsertOf(model, *model.layer, block);
  insert.Position = {10, 0, 0};
  insert.Scale = {2, 2, 1};
  insert.Angle = 90;
  // The dot's outline starts one radius right of its centre, (10, 2) mm.
  EXPECT_EQ(ContentLines(model.DrawPass(1)).at(4), "29.346 5.669 m");
  EXPECT_EQ(point.Owner, &insert);
}

TEST(InsertOutput, MembersDrawInTheirOwnPasses) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  LineIn(model, block).Pass = 2;
  InsertOf(model, *model.layer, block);
  EXPECT_EQ(model.DrawPass(1), "");
  EXPECT_EQ(CountOperator(model.DrawPass(2), "S"), 1);
  model.layer->GetItem(0)->Visible = 0;
  EXPECT_EQ(model.DrawPass(2), "");
}

TEST(InsertOutput, OneBlockThroughManyInserts) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  LineIn(model, block);
  TCad_Block& pair = model.NewBlock("2");
  InsertOf(model, pair, block);
  InsertOf(model, pair, block).Position = {50, 0, 0};
  InsertOf(model, *model.layer, pair);
  InsertOf(model, *model.layer, pair).Position = {0, 50, 0};
  const std::string body = model.DrawPass(1);
  EXPECT_EQ(CountOperator(body, "S"), 4);
  EXPECT_NE(body.find("198.425 198.425 m"), std::string::npos);  // (20 + 50, 20 + 50) mm
}

TEST(InsertOutput, InsertWithoutBlockOrInvisibleDrawsNothing) {
  ModelFixture model;
  TCad_Insert& empty = model.Add<TCad_Insert>();
  EXPECT_EQ(empty.Block, nullptr);
  TCad_Block& block = model.NewBlock("1");
  LineIn(model, block);
  InsertOf(model, *model.layer, block).Visible = 0;
  EXPECT_EQ(model.DrawPass(1), "");
}

}  // namespace
}  // namespace kyrovane::test
