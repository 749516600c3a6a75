// Damaged numbers, hostile structures and texts: the model skips what it cannot draw, never
// loops through blocks that insert themselves, bounds pages, tiles and inserted drawing, and
// writes text bytes that make no character so that every reader can show them.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "cad/CadSpline.h"
#include "cad/CadText.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"
#include "pdf/reader_text.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

TEST(DamagedNumbers, EntitiesWithNumbersOutOfRangeAreSkippedOrDrawnPlain) {
  ModelFixture model;
  TCad_Line& line = model.Add<TCad_Line>();
  line.P1 = {kNaN, 0, 0};
  line.P2 = {10, 10, 0};
  model.Add<TCad_Line>().P1 = {kInfinity, 0, 0};
  TCad_Arc& arc = model.Add<TCad_Arc>();
  arc.Radii = {kInfinity, 1, 0};
  model.Add<TCad_Arc>().StartAngle = kNaN;
  model.Add<TCad_Point>().LineWidth = kInfinity;
  TCad_PolyLine& polyline = model.Add<TCad_PolyLine>("");
  AddVertex(polyline, 0, 0);
  AddVertex(polyline, kInfinity, 0);
  // Numbers beyond the 32-bit range of the readers (1e9 mm is 2.8e9 points) likewise.
  model.Add<TCad_Line>().P2 = {1e9L, 0, 0};
  model.Add<TCad_Arc>().Radii = {1e9L, 1, 0};
  EXPECT_EQ(model.DrawPass(1), "");
  model.Add<TCad_Line>().P2 = {7e8L, 0, 0};
  EXPECT_EQ(CountOperator(model.DrawPass(1), "l"), 1);

  TCad_Text& text = model.Add<TCad_Text>();
  text.Text = "A";
  text.HScale = 100;
  EXPECT_EQ(model.DrawPass(3), "");  // no height
  text.Height = 1;
  text.Position.X = kNaN;
  EXPECT_EQ(model.DrawPass(3), "");
  text.Position = {25.4L, 50.8L, 0};
  text.HScale = kNaN;  // drawn at normal width
  EXPECT_EQ(CountOperator(model.DrawPass(3), "Tz"), 0);
  for (const long double angle : {kNaN, kInfinity}) {  // written unturned
    text.Angle = angle;
    const std::vector<std::string> lines = ContentLines(model.DrawPass(3));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 0 0 1 72 144 Tm"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "(A) Tj"), lines.end());
  }
}

TEST(DamagedNumbers, BulgeThatCannotBePlacedDrawsStraight) {
  ModelFixture model;
  TCad_PolyLine& polyline = model.Add<TCad_PolyLine>("");
  AddVertex(polyline, 0, 0, kNaN);
  AddVertex(polyline, 10, 0);
  EXPECT_EQ(CountOperator(model.DrawPass(1), "l"), 1);
}

TEST(DamagedNumbers, SplineKnotsThatDoNotFitDrawNothing) {
  ModelFixture model;
  TCad_Spline& spline = model.Add<TCad_Spline>();
  spline.ControlPoints = {{0, 0, 0}, {1, 1, 0}};
  spline.Knots = {0, 1};  // order 0
  EXPECT_EQ(model.DrawPass(1), "");
  spline.Knots = std::vector<long double>(200, 0);  // order beyond the limit
  EXPECT_EQ(model.DrawPass(1), "");
  spline.Knots = {0, 0, 1e30L, 1e30L};  // an endless parameter range
  EXPECT_EQ(model.DrawPass(1), "");
  spline.Knots = {0, 5, 3, 1};  // a parameter range that runs backwards
  EXPECT_EQ(model.DrawPass(1), "");
}

TEST(HostileBlocks, BlocksThatInsertThemselvesAreDrawnOnce) {
  ModelFixture model;
  TCad_Block& self = model.NewBlock("self");
  model.LineIn(self);
  model.InsertOf(self, self);
  model.InsertOf(*model.layer, self);
  EXPECT_EQ(CountOperator(model.DrawPass(1), "S"), 1);

  TCad_Block& a = model.NewBlock("a");
  TCad_Block& b = model.NewBlock("b");
  model.LineIn(a);
  model.LineIn(b);
  model.InsertOf(a, b);
  model.InsertOf(b, a);
  model.InsertOf(*model.layer, a);
  EXPECT_EQ(CountOperator(model.DrawPass(1), "S"), 3);  // once each: self, a and b
  // The two inserts within themselves are counted once each, however often they are met.
  model.DrawPass(1);
  EXPECT_EQ(model.page.Notices.CutInserts, 2);
  model.page.Clear();
  EXPECT_EQ(model.page.Notices.CutInserts, 0);
}

TEST(HostileBlocks, ChainsHoldAtMost99Inserts) {
  ModelFixture model;
  std::vector<TCad_Block*> blocks;
  for (int i = 0; i < 120; ++i) {
    blocks.push_back(&model.NewBlock(std::to_string(i)));
    model.LineIn(*blocks.back());
  }
  for (int i = 0; i + 1 < 120; ++i) model.InsertOf(*blocks[i], *blocks[i + 1]);
  model.InsertOf(*model.layer, *blocks[0]);
  EXPECT_EQ(CountOperator(model.DrawPass(1), "S"), TCad_Insert::kMaxChain);
  EXPECT_EQ(model.page.Notices.CutInserts, 1);
}

TEST(HostileBlocks, TenLevelsOfTenInsertsAreBounded) {
  ModelFixture model;
  model.page.InsertedDrawsPerPass = 100000;  // the bound, made small for the test
  TCad_Block* inner = &model.NewBlock("leaf");
  for (int i = 0; i < 10; ++i) model.LineIn(*inner);
  for (int level = 0; level < 10; ++level) {
    TCad_Block& outer = model.NewBlock("level" + std::to_string(level));
    for (int i = 0; i < 10; ++i) model.InsertOf(outer, *inner);
    inner = &outer;
  }
  model.InsertOf(*model.layer, *inner);
  const int lines = CountOperator(model.DrawPass(1), "S");
  EXPECT_GT(lines, 0);
  EXPECT_LE(lines, model.page.InsertedDrawsPerPass);
  EXPECT_GT(model.page.Notices.CutInserts, 0) << "the cut is reported";
}

// Ninety levels that each insert the one below twice: the inserts met, drawn or turned away,
// cost the same at every depth, so that the work of a page is the members its budget counts.
TEST(HostileBlocks, DeepNestingFollowsNoChainOfInserts) {
  ModelFixture model;
  model.page.InsertedDrawsPerPass = 100000;
  TCad_Block* inner = &model.NewBlock("leaf");
  model.LineIn(*inner);
  for (int level = 0; level < 90; ++level) {
    TCad_Block& outer = model.NewBlock("level" + std::to_string(level));
    model.InsertOf(outer, *inner);
    model.InsertOf(outer, *inner).Position = {0.5L, 0, 0};
    inner = &outer;
  }
  model.InsertOf(*model.layer, *inner);
  const int lines = CountOperator(model.DrawPass(1), "S");
  EXPECT_GT(lines, 0);
  EXPECT_LE(lines, model.page.InsertedDrawsPerPass);
  EXPECT_GT(model.page.Notices.CutInserts, 0);
  EXPECT_EQ(model.page.ChainLinksFollowed, 0);
}

TEST(HostilePages, PageSizesAndTileCountsAreBounded) {
  ModelFixture model;
  TempDir dir;
  const auto print = [&](int tiles) {
    return PdfInfoBoxes(model.Print(dir / ("out" + std::to_string(tiles) + ".pdf"), tiles));
  };
  model.page.PageWidth = 1000000000;
  model.page.PageHeight = -5;
  std::vector<PageBox> boxes = print(1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].width, TCad_Page::kMaxPageSize);
  EXPECT_EQ(boxes[0].height, TCad_Page::kMinPageSize);

  model.page.PageHeight = 1000000000;
  const auto sheets = static_cast<std::size_t>(TCad_Page::kMaxSheetsAcross);
  EXPECT_EQ(print(0).size(), sheets * sheets);
  model.page.PageWidth = model.page.PageHeight = 4;
  boxes = print(16);  // tiles of no size are still valid pages
  ASSERT_EQ(boxes.size(), 16u);
  EXPECT_EQ(boxes[0].width, TCad_Page::kMinPageSize);

  model.page.MarginX = kInfinity;
  EXPECT_EQ(print(1).size(), 1u);
}

// Bytes that make no Shift-JIS character are drawn as middle dots, half-width for one byte and
// full-width for a pair, so the characters around them keep their place; every reader shows
// the page and gives the text back without a word.
TEST(HostileTexts, BytesThatMakeNoCharacterAreDrawnAsMiddleDots) {
  using namespace std::string_literals;
  ModelFixture model;
  model.page.Output.DefaultFontName = "Gothic";
  const std::string texts[] = {
      "KL\x81\x00M\x81 N\x85\x40P"s,  // lead bytes with bytes that make no character of them
      "K\x01L\x1FM\x7FN\x80P\xFDQ\xFER\xFFS\x81",  // and a lead byte at the very end
      "KL\x01",  // paper-sized: the last byte is no dot to spread over the gaps
  };
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    TCad_Text& text = model.Add<TCad_Text>();
    text.Text = texts[i];
    text.Position = {25.4L, 50.8L + 10.0L * static_cast<long double>(i), 0};
    text.Height = PtToMm(12);
    text.HScale = 100;
    text.PaperSized = i == 2 ? 1 : 0;
  }
  TempDir dir;
  const std::filesystem::path pdf = model.Print(dir / "texts.pdf", 1);
  const std::string page = PageContents(ReadFile(pdf)).at(0);
  for (const char* shown :
       {"1 0 0 1 78 144 Tm\n(L) Tj\n<8145> Tj\n(M) Tj\n<8145> Tj\n(N) Tj\n<8145> Tj\n(P) Tj\n",
        "1 0 0 1 78 172.346 Tm\n(\xA5L\xA5M\xA5N\xA5P\xA5Q\xA5R\xA5S\xA5) Tj\n",
        "1 0 0 1 78 200.693 Tm\n(L\xA5) Tj\n"}) {
    EXPECT_NE(page.find(shown), std::string::npos) << shown;
  }
  EXPECT_EQ(CountOperator(page, "Tc"), 0);
  for (const auto& [reader, typed] : ExpectReadersGiveBackTheText(pdf)) {
    for (const char* line : {"KL・M・N・P", "K･L･M･N･P･Q･R･S･", "KL･"}) {
      EXPECT_NE(typed.find(line), std::string::npos) << RendererName(reader) << ": " << line;
    }
  }
}

}  // namespace
}  // namespace kyrovane::test
