// The test sheet against a render that was looked at and found right.

#include <gtest/gtest.h>

#include <fstream>

#include "pdf_inspection.h"
#include "printer_fixture.h"
#include "raster_image.h"
#include "test_sheet.h"

namespace kyrovane::test {
namespace {

// Renders of one page differ between versions of the renderer and its substitute fonts in
// edges and glyph shapes; a wrong or missing drawing changes far more.
constexpr int kColourThreshold = 64;
constexpr double kAllowedShare = 0.001;

TEST(TestSheet, RendersLikeTheReviewedReference) {
  ScopedPdfClock clock;
  TPDFPrinter printer;
  DrawTestSheet(printer);
  TempDir dir;
  const auto pdf = dir / "sheet.pdf";
  {
    std::ofstream out(pdf, std::ios::binary);
    printer.EndDoc(out);
  }
  ExpectReadersAccept(pdf);

  CommandResult render = test::Run("pdftoppm -r 50 -singlefile " + ShellQuote(pdf.string()) + " " +
                                   ShellQuote((dir / "sheet").string()));
  ASSERT_EQ(render.exitCode, 0) << render.err;
  EXPECT_EQ(render.err, "");
  const RasterImage rendered = ReadPpm(dir / "sheet.ppm");
  const RasterImage reference = ReadPng(TestData("pdf/printer_test_sheet.png"));
  const double share = DifferingPixelShare(rendered, reference, kColourThreshold);
  if (share > kAllowedShare) {
    // Kept beside the test for a reviewer to look at and, if right, to take as the reference.
    const auto kept = std::filesystem::current_path() / "printer_test_sheet.png";
    WritePng(rendered, kept);
    ADD_FAILURE() << share * 100 << "% of the pixels differ; the render is in " << kept;
  }
}

}  // namespace
}  // namespace kyrovane::test
