#pragma once

// Pictures for the image entity's tests: BMP files made on the spot, a small drawing whose
// pictures live in a scratch folder, and what the PDF readers list of the images in a file.

#include <filesystem>
#include <string>
#include <vector>

#include "cad/CadImage.h"
#include "cad/CadPage.h"
#include "pdf/picture/Bitmap.h"
#include "support/test_support.h"

namespace kyrovane::test {

// A 24-bit BMP file of one colour.
std::string Bmp24(int width, int height, TRGB color);

// A drawing of one plain layer on a page of 400 x 300 points; its pictures are written into
// a scratch folder that is also the drawing's folder.
class ImageScene {
 public:
  ImageScene();

  // Writes a picture file under the scratch folder (a relative UTF-8 path) and returns it.
  std::filesystem::path WritePicture(const std::string& relative, const std::string& bytes);

  // An image on the layer (or in `into`), loaded from `fileName` (CP932, as a drawing holds
  // it) at (x, y) mm with the size w x h mm.
  TCad_Image& AddImage(const std::string& fileName, long double x, long double y, long double w,
                       long double h, std::uint8_t resample = 0, TCad_Container* into = nullptr);

  // A line on the layer from p1 to p2 (mm), `width` points wide.
  void AddLine(const TPoint3& p1, const TPoint3& p2, long double width);

  // The whole drawing as a PDF (one page, background painted), also saved as pdfPath.
  std::string Print();
  // The contents of the printed page.
  std::string PageBody();

  TempDir dir;
  std::filesystem::path pdfPath;
  TCad_Page page;
  TCad_Layer* layer;
};

// One row of pdfimages -list: an image drawn on a page.
struct ListedImage {
  int width = 0;
  int height = 0;
  std::string color;     // "rgb", "gray", "cmyk"
  std::string encoding;  // "image" (Flate), "jpeg"
  int object = 0;
};
std::vector<ListedImage> PdfImagesList(const std::filesystem::path& pdf);

}  // namespace kyrovane::test
