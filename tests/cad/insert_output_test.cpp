// Blocks drawn through inserts: placement, passes, and the guards against blocks that insert
// themselves, chains deeper than the model allows and exponential fan-out.

#include <gtest/gtest.h>

#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"

namespace kyrovane::test {
namespace {

TEST(InsertOutput, IdentityInsertDrawsMembersWhereTheyWouldBe) {
  ModelFixture plain;
  TCad_Point& loose = plain.Add<TCad_Point>();
  loose.Position = {30, 40, 0};
  const std::string expected = plain.DrawPass(1);

  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  model.AddTo<TCad_Point>(block).Position = {30, 40, 0};
  model.InsertOf(*model.layer, block);
  EXPECT_EQ(model.DrawPass(1), expected);
}

TEST(InsertOutput, PlacesMembersByPositionScaleAndAngle) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  TCad_Point& point = model.AddTo<TCad_Point>(block);
  point.Position = {1, 0, 0};
  point.LineWidth = 1;
  TCad_Insert& insert = model.InsertOf(*model.layer, block);
  insert.Position = {10, 0, 0};
  insert.Scale = {2, 2, 1};
  insert.Angle = 90;
  // The dot's outline starts one radius right of its centre, (10, 2) mm.
  EXPECT_EQ(ContentLines(model.DrawPass(1)).at(4), "29.346 5.669 m");
  EXPECT_EQ(point.Owner, &insert);
}

TEST(InsertOutput, MembersDrawInTheirOwnPassesWhenTheInsertIsVisible) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  model.LineIn(block).Pass = 2;
  model.InsertOf(*model.layer, block);
  EXPECT_EQ(model.DrawPass(1), "");
  EXPECT_EQ(CountOperator(model.DrawPass(2), "S"), 1);
  model.layer->GetItem(0)->Visible = 0;
  EXPECT_EQ(model.DrawPass(2), "");
  model.Add<TCad_Insert>();  // no block
  EXPECT_EQ(model.DrawPass(2), "");
}

TEST(InsertOutput, OneBlockThroughManyInserts) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("1");
  model.LineIn(block);
  TCad_Block& pair = model.NewBlock("2");
  model.InsertOf(pair, block);
  model.InsertOf(pair, block).Position = {50, 0, 0};
  model.InsertOf(*model.layer, pair);
  model.InsertOf(*model.layer, pair).Position = {0, 50, 0};
  const std::string body = model.DrawPass(1);
  EXPECT_EQ(CountOperator(body, "S"), 4);
  EXPECT_NE(body.find("198.425 198.425 m"), std::string::npos);  // (20 + 50, 20 + 50) mm
}

// 20,000 inserts of a block of 100 lines visit two million members in a pass: a drawing of
// that size is drawn in full. Only one line of the block lies on the page, so the count is
// the number of inserts drawn.
TEST(InsertOutput, RealisticDrawingsOfManyInsertsDrawInFull) {
  ModelFixture model;
  TCad_Block& block = model.NewBlock("fitting");
  model.LineIn(block);
  for (int i = 1; i < 100; ++i) {
    TCad_Line& away = model.AddTo<TCad_Line>(block);
    away.P1 = away.P2 = {-1000, -1000, 0};
  }
  for (int i = 0; i < 20000; ++i) model.InsertOf(*model.layer, block);
  EXPECT_EQ(CountOperator(model.DrawPass(1), "S"), 20000);
  EXPECT_EQ(model.page.Notices.CutInserts, 0);
}

}  // namespace
}  // namespace kyrovane::test
