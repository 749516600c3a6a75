// Files written by the library, checked by real PDF readers: qpdf, poppler, mupdf and
// ghostscript must take them without complaint and show what was drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImageCreator.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

using test::CommandResult;
using test::ShellQuote;

class PdfReaders : public ::testing::Test {
 protected:
  test::ScopedTestImageCreator images_;
  test::TempDir dir_;
  test::ScopedPdfClock clock_;
};

TEST_F(PdfReaders, TheGoldenFilesAreValid) {
  test::ExpectReadersAccept(test::TestData("pdf/empty-page.pdf"));
  test::ExpectReadersAccept(test::TestData("pdf/empty-page-flate.pdf"));
}

// Every operator, every standard font, pictures with awkward names, pages of three sizes and
// the values that used to break files.
TEST_F(PdfReaders, ASamplerOfEverythingTheCanvasWrites) {
  TPdfDoc doc;
  doc.SetCompressionMethod(cmFlateDecode);
  doc.NewDoc();
  doc.GetRoot().SetPageMode(pmUseOutlines);
  doc.GetInfo().SetTitle("Sampler (1)");
  doc.GetInfo().SetAuthor("\x93\xFA\x96\x7B");
  doc.AddPage();
  TPdfCanvas& canvas = doc.GetCanvas();
  const std::vector<long double> dash{6, 2};
  canvas.SetLineCap(1);
  canvas.SetLineWidth(0.5);
  canvas.SetRGBStrokeColor(0x0000FF);
  canvas.SetDash(dash, 0);
  canvas.MoveTo(50, 50);
  canvas.LineTo(500, 50);
  canvas.CurveToC(520, 100, 520, 150, 500, 200);
  canvas.Stroke();
  canvas.SetRGBFillColor(0x00FF00);
  canvas.Rectangle(100, 300, 50, 40);
  canvas.FillStroke();
  canvas.Rectangle(200, 300, 50, 40);
  canvas.Fill();
  canvas.GSave();
  canvas.SetDash({}, 0);  // a dashed line to the end of the world would take readers forever
  canvas.Concat(0.866, 0.5, -0.5, 0.866, 300, 400);
  canvas.MoveTo(std::nanl(""), INFINITY);
  canvas.LineTo(1e30L, -1e30L);
  canvas.Stroke();
  canvas.GRestore();

  canvas.SetRGBFillColor(0);
  long double y = 800;
  for (const test::TStandardFont& standard : test::kStandardFonts) {
    const char* font = standard.name;
    canvas.BeginText();
    canvas.SetFont(font, 11);
    canvas.SetCharSpace(0.5);
    canvas.SetHorizontalScaling(font[0] == 'T' ? 450 : 100);
    canvas.SetTextRise(1);
    canvas.SetTextMatrix(1, 0, 0, 1, 40, y);
    canvas.ShowText(std::string(font) + " (a\\b) \xE9\xFC");
    canvas.MoveToNextLine();
    canvas.EndText();
    y -= 20;
  }
  canvas.SetFont("Arial", -14);

  const std::string awkward[] = {"plain", "a b(1).bmp", "50% [x] <y> {z} #/",
                                 "\x93\xFA\x96\x7B.jpg"};
  long double x = 50;
  for (const std::string& name : awkward) {
    doc.AddXObject(name, 0, "Test-Image");
    canvas.DrawXObject(name, x, 420, 40, 20);
    canvas.DrawXObject(name, x, 450, 20, 10);
    x += 60;
  }

  doc.AddPage();
  doc.GetCanvas().SetPageWidth(842);
  doc.GetCanvas().SetPageHeight(595);
  doc.AddPage();
  doc.GetCanvas().SetPageWidth(2384);
  doc.GetCanvas().SetPageHeight(1684);
  doc.GetCanvas().DrawXObject("plain", 0, 0, 2384, 1684);

  auto path = dir_ / "sampler.pdf";
  test::SaveToFile(doc, path);
  test::ExpectReadersAccept(path);

  // Every standard font once, in any order, as a standard Type 1 font that is not embedded.
  CommandResult fonts = test::Run("pdffonts " + ShellQuote(path.string()));
  ASSERT_EQ(fonts.exitCode, 0);
  std::vector<std::string> listed;
  std::istringstream lines(fonts.out);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string name, type1, type2, encoding, embedded;
    words >> name >> type1 >> type2 >> encoding >> embedded;
    EXPECT_EQ(type1 + " " + type2, "Type 1") << line;
    EXPECT_EQ(encoding, "WinAnsi") << line;
    EXPECT_EQ(embedded, "no") << line;
    listed.push_back(name);
  }
  std::vector<std::string> faces;
  for (const test::TStandardFont& standard : test::kStandardFonts) faces.push_back(standard.face);
  std::sort(faces.begin(), faces.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, faces);

  CommandResult info = test::Run("pdfinfo -f 1 -l 3 " + ShellQuote(path.string()));
  EXPECT_NE(info.out.find("Page    1 size:  596 x 842 pts (A4)"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Page    2 size:  842 x 595 pts"), std::string::npos);
  EXPECT_NE(info.out.find("Page    3 size:  2384 x 1684 pts"), std::string::npos);
  EXPECT_NE(info.out.find("Producer:        Orvesta"), std::string::npos);
  // The text keeps its Japanese characters (behind the language mark, which poppler shows as
  // one more character).
  EXPECT_NE(info.out.find("日本\n"), std::string::npos) << info.out;
}

}  // namespace
}  // namespace kyrovane
