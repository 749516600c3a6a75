#pragma once

// Helpers of the PDF test suites: a fixed clock, saving to bytes, and the real PDF readers.

#include <array>
#include <filesystem>
#include <string>

#include "pdf/PdfDate.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImageCreator.h"
#include "support/test_support.h"

namespace kyrovane::test {

// The standard fonts by their names in the program, each with the standard face it names.
struct TStandardFont {
  const char* name;
  const char* face;
};
inline constexpr TStandardFont kStandardFonts[] = {{"FixedWidth", "Courier"},
                                                   {"FixedWidth-Bold", "Courier-Bold"},
                                                   {"FixedWidth-Italic", "Courier-Oblique"},
                                                   {"FixedWidth-BoldItalic", "Courier-BoldOblique"},
                                                   {"Arial", "Helvetica"},
                                                   {"Arial-Bold", "Helvetica-Bold"},
                                                   {"Arial-Italic", "Helvetica-Oblique"},
                                                   {"Arial-BoldItalic", "Helvetica-BoldOblique"},
                                                   {"Times-Roman", "Times-Roman"},
                                                   {"Times-Bold", "Times-Bold"},
                                                   {"Times-Italic", "Times-Italic"},
                                                   {"Times-BoldItalic", "Times-BoldItalic"}};

// Fixes the PDF clock for its lifetime: the first reading is 2025-01-02 03:04:05 and every
// reading after it one second later, so a new document saved at once has the creation date
// ...05 and the modification date ...06.
class ScopedPdfClock {
 public:
  ScopedPdfClock();
  ~ScopedPdfClock();
  ScopedPdfClock(const ScopedPdfClock&) = delete;
  ScopedPdfClock& operator=(const ScopedPdfClock&) = delete;
};

void SaveToFile(TPdfDoc& doc, const std::filesystem::path& path);
// Saves the document to a file, lets the readers check it (ExpectReadersAccept) and returns
// its bytes.
std::string SaveChecked(TPdfDoc& doc);

// The operators written so far on the current page of an uncompressed document.
std::string PageContents(TPdfDoc& doc);

// What an object writes where it is used ("4 0 R" for an indirect one), and the definition
// ("4 0 obj" ... "endobj") of an indirect object.
std::string Body(TPdfObject& object);
std::string Definition(TPdfObject& object);

// Registered as "Test-Image" for its lifetime: an image creator that makes a 2 × 1 image of a
// red and a blue pixel, stored as it is, from a picture given as an int (nothing from any other
// picture), and counts how often it was asked.
class ScopedTestImageCreator {
 public:
  ScopedTestImageCreator();
  ~ScopedTestImageCreator();
  ScopedTestImageCreator(const ScopedTestImageCreator&) = delete;
  ScopedTestImageCreator& operator=(const ScopedTestImageCreator&) = delete;
  static inline int calls = 0;
};

// Points TMPDIR at a fresh folder of its own for its lifetime, so a test can see what the
// library leaves in the temp folder.
class ScopedTempFolder {
 public:
  const std::filesystem::path& path() const { return dir_.path(); }
  bool IsEmpty() const { return std::filesystem::is_empty(path()); }

 private:
  TempDir dir_;
  ScopedEnvironment tmpdir_{"TMPDIR", dir_.path().string()};
};

// Descriptors of this process open on files in the folder (named or already removed).
int OpenFilesIn(const std::filesystem::path& folder);

// Checks the file with qpdf, poppler (pdftoppm), mupdf and ghostscript: each must accept it
// without a word on standard error. `pages` limits rendering to the first pages of long files.
void ExpectReadersAccept(const std::filesystem::path& path, int pages = 0);

enum class TRenderer { Poppler, Mupdf, Ghostscript };
inline constexpr TRenderer kRenderers[] = {TRenderer::Poppler, TRenderer::Mupdf,
                                           TRenderer::Ghostscript};
const char* RendererName(TRenderer renderer);

// The first page of a file rendered at 72 dpi, one pixel per point, as RGB rows from the top;
// empty (with a test failure) when the renderer fails.
struct TRaster {
  int width = 0;
  int height = 0;
  std::string pixels;

  std::array<int, 3> Pixel(int x, int y) const;
};
TRaster RenderFirstPage(const std::filesystem::path& path, TRenderer renderer);

}  // namespace kyrovane::test
