// Whole pages of a drawing: tiles, rotation, margins, background, line caps, the order of the
// passes and of the layers, and lists of drawings in one document.

#include <gtest/gtest.h>

#include <fstream>

#include "cad/CadGeometry.h"
#include "cad/CadPolyLine.h"
#include "cad/CadText.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"
#include "pdf/pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

class PageOutput : public ::testing::Test {
 protected:
  std::filesystem::path Print(int tiles, int rotation, bool swap = false) {
    return model.Print(dir / ("out" + std::to_string(++files) + ".pdf"), tiles, rotation, swap);
  }
  std::vector<std::string> Pages(const std::filesystem::path& path) {
    return PageContents(ReadFile(path));
  }
  TCad_Point& PointAt(long double xPt, long double yPt, TCad_Layer* layer = nullptr) {
    TCad_Point& point = model.AddTo<TCad_Point>(layer ? *layer : *model.layer);
    point.Position = {PtToMm(xPt), PtToMm(yPt), 0};
    return point;
  }

  ModelFixture model;
  TempDir dir;
  int files = 0;
};

struct Tiling {
  int tiles;
  int rotation;
  bool swap;
  std::size_t pages;
  double width, height;
};

TEST_F(PageOutput, PageCountsAndSizesOfEveryMode) {
  PointAt(100, 100);
  const Tiling modes[] = {
      {1, 0, false, 1, 2384, 1684},   {2, 0, false, 2, 1192, 1684},  {4, 0, false, 4, 1192, 842},
      {8, 0, false, 8, 596, 842},     {16, 0, false, 16, 596, 421},  {0, 0, false, 9, 1031, 729},
      {3, 0, false, 1, 2384, 1684},   {1, 90, false, 1, 1684, 2384}, {1, 180, false, 1, 2384, 1684},
      {1, 270, false, 1, 1684, 2384}, {3, 90, false, 1, 1684, 2384}, {2, 90, false, 2, 1192, 1684},
      {1, 45, false, 1, 2384, 1684},  {1, 0, true, 1, 1684, 2384},
  };
  for (const Tiling& mode : modes) {
    SCOPED_TRACE("tiles " + std::to_string(mode.tiles) + " rotation " +
                 std::to_string(mode.rotation) + " swap " + std::to_string(mode.swap));
    const std::vector<PageBox> boxes = PdfInfoBoxes(Print(mode.tiles, mode.rotation, mode.swap));
    ASSERT_EQ(boxes.size(), mode.pages);
    for (const PageBox& box : boxes) {
      EXPECT_EQ(box.width, mode.width);
      EXPECT_EQ(box.height, mode.height);
    }
  }
}

TEST_F(PageOutput, TilesShowTheirPartOfTheDrawing) {
  PointAt(1200, 100);
  std::vector<std::string> pages = Pages(Print(2, 0));
  EXPECT_EQ(CountOperator(pages[0], "f"), 0);
  EXPECT_NE(pages[1].find("\n8.283 100 m\n"), std::string::npos);  // OffX = -1192

  pages = Pages(Print(0, 0));  // sheets: the bottom row first
  ASSERT_EQ(pages.size(), 9u);
  EXPECT_NE(pages[1].find("\n169.283 100 m\n"), std::string::npos);

  model.layer->GetItem(0)->Visible = 0;
  PointAt(100, 1000);
  pages = Pages(Print(8, 0));
  for (int k = 0; k < 8; ++k) EXPECT_EQ(CountOperator(pages[k], "f"), k == 4 ? 1 : 0);
  EXPECT_NE(pages[4].find("\n100.283 158 m\n"), std::string::npos);

  PointAt(1000, 1000);
  pages = Pages(Print(16, 0));  // tiles of 596 x 421: column 1, row 2
  EXPECT_NE(pages[9].find("\n404.283 158 m\n"), std::string::npos);
}

// Tiles are cut from the whole page: their sizes round up so that together they cover it, the
// top edge of an A3 sheet in 16 tiles included, and a drawing larger than the largest page is
// cut into tiles of its own size, each page bounded on its own.
TEST_F(PageOutput, TilesCoverTheWholeDrawing) {
  model.page.PageWidth = 1192;
  model.page.PageHeight = 842;
  PointAt(1190, 841);
  std::filesystem::path path = Print(16, 0);
  EXPECT_EQ(PdfInfoBoxes(path)[0].height, 211);  // 842 / 4 = 210.5
  EXPECT_NE(Pages(path)[15].find("\n296.283 208 m\n"), std::string::npos);

  model.layer->GetItem(0)->Visible = 0;
  model.page.PageWidth = 20000;
  model.page.PageHeight = 1000;
  PointAt(19000, 600);
  path = Print(2, 0);
  EXPECT_EQ(PdfInfoBoxes(path)[1].width, 10000);
  EXPECT_NE(Pages(path)[1].find("\n9000.283 600 m\n"), std::string::npos);
  EXPECT_NE(Pages(Print(4, 0))[3].find("\n9000.283 100 m\n"), std::string::npos);
}

TEST_F(PageOutput, EveryPageSetsRoundCapsAndPaintsTheBackground) {
  model.page.Output.BackgroundColor = 0x3366CC;
  model.page.Output.PaintBackground = 0;  // PrintToPdf always paints it
  PointAt(10, 10);
  const std::vector<std::string> pages = Pages(Print(4, 0));
  ASSERT_EQ(pages.size(), 4u);
  for (const std::string& page : pages) {
    const std::vector<std::string> lines = ContentLines(page);
    const std::size_t cap = lines[0] == "1 J" ? 0 : 1;  // after the font of the page switch
    ASSERT_GE(lines.size(), cap + 7);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + cap, lines.begin() + cap + 7),
              (std::vector<std::string>{"1 J", "0.8 0.4 0.2 RG", "0.8 0.4 0.2 rg",
                                        "0 0 1192 842 re", "B", "0 0 0 rg", "0 0 0 RG"}));
    EXPECT_EQ(CountOperator(page, "J"), 1);
  }
  EXPECT_EQ(model.page.Output.PaintBackground, 1);
}

TEST_F(PageOutput, MarginsShiftTheDrawingButNotTheBackground) {
  model.page.MarginX = 10;  // 28.35 points, drawn as 28
  model.page.MarginY = 5;   // 14.17 points, drawn as 14
  TCad_Line& line = model.Add<TCad_Line>();
  line.P1 = {10, 0, 0};
  PointAt(-20, 0);  // off the page without the margin, on it with the margin
  const std::string page = Pages(Print(1, 0))[0];
  EXPECT_NE(page.find("\n0 0 2384 1684 re\n"), std::string::npos);
  EXPECT_NE(page.find("\n28 14 m\n56.346 14 l\n"), std::string::npos);
  EXPECT_NE(page.find("\n8.283 14 m\n"), std::string::npos);
}

TEST_F(PageOutput, PassesTwoOneThreeInThatOrder) {
  TCad_Text& text = model.Add<TCad_Text>();
  text.Text = "T";
  text.Height = 5;
  TCad_Layer& later = *model.page.GetLayer(model.page.AddLayer("1"));
  later.Scale = {1, 1, 1};
  TCad_Line& line = model.AddTo<TCad_Line>(later);
  line.P2 = {10, 10, 0};
  std::unique_ptr<TCad_PolyLine> solid = TCad_PolyLine::CreatePass2(nullptr, later, "Solid");
  for (int i = 0; i < 3; ++i) AddVertex(*solid, i * 10.0L, i * i * 5.0L);
  solid->Filled = 1;
  later.Add(std::move(solid));
  const std::string page = Pages(Print(1, 0))[0];
  const std::size_t filled = page.find("\nB\n", page.find(" re\n") + 4);
  const std::size_t stroked = page.find("\nS\n");
  const std::size_t texts = page.find("\nBT\n");
  ASSERT_NE(texts, std::string::npos);
  EXPECT_LT(filled, stroked);
  EXPECT_LT(stroked, texts);
}

TEST_F(PageOutput, LayersMarkedFirstAndReverseOrder) {
  PointAt(1, 1);
  for (int i = 2; i <= 3; ++i) {
    TCad_Layer& layer = *model.page.GetLayer(model.page.AddLayer(std::to_string(i)));
    layer.Scale = {1, 1, 1};
    PointAt(i, i, &layer);
  }
  PointAt(4, 4);  // a second child of the first layer
  const auto order = [&] {
    std::vector<std::string> starts;
    for (const std::string& line : ContentLines(Pages(Print(1, 0))[0])) {
      if (line.ends_with(" m")) starts.push_back(line.substr(0, line.find(' ')));
    }
    return starts;
  };
  EXPECT_EQ(order(), (std::vector<std::string>{"1.283", "4.283", "2.283", "3.283"}));
  model.page.Output.LayerDrawFirst[2] = 1;
  EXPECT_EQ(order(), (std::vector<std::string>{"3.283", "1.283", "4.283", "2.283"}));
  model.page.Output.LayerDrawFirst[1] = 1;
  model.page.Output.ReverseOrder = 1;
  EXPECT_EQ(order(), (std::vector<std::string>{"3.283", "2.283", "4.283", "1.283"}));
}

TEST_F(PageOutput, ListOfDrawingsInOneDocument) {
  PointAt(10, 10);
  model.page.Output.PaintBackground = 0;
  model.page.Printer->BeginDoc();
  model.page.PrintPages(0, 2);
  model.page.Clear();
  model.page.PageWidth = 400;
  model.page.PageHeight = 300;
  model.layer = model.page.GetLayer(model.page.AddLayer("0"));  // the old one is gone
  model.layer->Scale = {1, 1, 1};
  PointAt(20, 10);
  model.page.Printer->NewPage();
  model.page.PrintPages(90, 1);
  const std::filesystem::path path = dir / "list.pdf";
  {
    std::ofstream out(path, std::ios::binary);
    model.page.Printer->EndDoc(out);
  }
  ExpectReadersAccept(path);
  const std::vector<PageBox> boxes = PdfInfoBoxes(path);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].width, 300);
  EXPECT_EQ(boxes[2].height, 400);
  for (const std::string& page : Pages(path)) {
    EXPECT_EQ(CountOperator(page, "J"), 1);
    EXPECT_EQ(CountOperator(page, "re"), 0);
  }
  EXPECT_NE(Pages(path)[2].find("\n290.283 20 m\n"), std::string::npos);  // turned by 90
}

// A red dot at a known point of the drawing, rendered at one pixel per point, lands where
// the turned page puts it. On a page sized to the drawing the margin turns with it and every
// side keeps it; on a sheet the margins are the paper's and shift the turned sheet up and
// to the right.
TEST_F(PageOutput, MarkerLandsOnTheExpectedPixelForEveryRotation) {
  constexpr int kDrawingWidth = 300;
  constexpr int kDrawingHeight = 200;
  model.page.Output.BackgroundColor = 0x3366CC;
  TCad_Point& marker = PointAt(141.732L, 56.693L);
  marker.LineWidth = 3;
  marker.Color = 0x0000FF;
  for (const auto& [marginMm, sized] : {std::pair{0.0L, true}, {10.0L, true}, {10.0L, false}}) {
    const int m = marginMm == 0 ? 0 : 28;
    const int grown = sized ? m : 0;
    model.page.MarginX = model.page.MarginY = marginMm;
    model.page.SizedToDrawing = sized;
    model.page.PageWidth = kDrawingWidth + 2 * grown;
    model.page.PageHeight = kDrawingHeight + 2 * grown;
    const double W = model.page.PageWidth;
    const double H = model.page.PageHeight;
    const double u = 141.732 + grown;  // on the unturned page
    const double v = 56.693 + grown;
    for (const int rotation : {0, 90, 180, 270}) {
      SCOPED_TRACE("margin " + std::to_string(m) + (sized ? " drawing" : " sheet") + " rotation " +
                   std::to_string(rotation));
      double x = u, y = v, pageHeight = H;
      if (rotation == 90) x = H - v, y = u, pageHeight = W;
      if (rotation == 180) x = W - u, y = H - v;
      if (rotation == 270) x = v, y = W - u, pageHeight = W;
      if (!sized) x += m, y += m;
      const TRaster raster = RenderFirstPage(Print(1, rotation), TRenderer::Poppler);
      double sumX = 0, sumY = 0;
      int count = 0;
      for (int row = 0; row < raster.height; ++row) {
        for (int col = 0; col < raster.width; ++col) {
          const auto [r, g, b] = raster.Pixel(col, row);
          if (r <= 200 || g >= 40 || b >= 40) continue;
          sumX += col + 0.5;
          sumY += row + 0.5;
          ++count;
        }
      }
      ASSERT_GT(count, 0);
      EXPECT_NEAR(sumX / count, x, 1.0);
      EXPECT_NEAR(pageHeight - sumY / count, y, 1.0);
      for (const auto& [cx, cy] :
           {std::pair{0, 0}, std::pair{raster.width - 1, 0}, std::pair{0, raster.height - 1},
            std::pair{raster.width - 1, raster.height - 1}}) {
        const auto [r, g, b] = raster.Pixel(cx, cy);
        EXPECT_NEAR(r, 204, 1);
        EXPECT_NEAR(g, 102, 1);
        EXPECT_NEAR(b, 51, 1);
      }
    }
  }
}

}  // namespace
}  // namespace kyrovane::test
