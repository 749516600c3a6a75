#include "cad/image/image_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cad/CadGeometry.h"
#include "cad/pdf_probe.h"
#include "pdf/PDFPrinter.h"
#include "pdf/picture/bmp_builder.h"

namespace kyrovane::test {

std::string Bmp24(int width, int height, TRGB color) {
  TBmpRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  std::string row(static_cast<std::size_t>(width) * 3, '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(color.B);
    row[x * 3 + 1] = static_cast<char>(color.G);
    row[x * 3 + 2] = static_cast<char>(color.R);
  }
  row.resize((row.size() + 3) / 4 * 4, '\0');  // rows are padded to four bytes
  for (int y = 0; y < height; ++y) recipe.pixels += row;
  return BuildBmp(recipe);
}

ImageScene::ImageScene() : pdfPath(dir / "scene.pdf"), layer(page.GetLayer(page.AddLayer("0"))) {
  layer->Scale = {1, 1, 1};
  page.PageWidth = 400;
  page.PageHeight = 300;
}

std::filesystem::path ImageScene::WritePicture(const std::string& relative,
                                               const std::string& bytes) {
  const std::filesystem::path file = dir.path() / relative;
  std::filesystem::create_directories(file.parent_path());
  WriteFile(file, bytes);
  return file;
}

TCad_Image& ImageScene::AddImage(const std::string& fileName, long double x, long double y,
                                 long double w, long double h, std::uint8_t resample,
                                 TCad_Container* into) {
  auto image = std::make_unique<TCad_Image>(nullptr, *layer);
  image->Width = w;
  image->Height = h;
  image->Resample = resample;
  image->LoadFromFile(fileName, dir.path());
  image->Position = {x, y, 0};
  TCad_Image& result = *image;
  (into ? *into : *layer).Add(std::move(image));
  return result;
}

void ImageScene::AddLine(const TPoint3& p1, const TPoint3& p2, long double width) {
  auto line = std::make_unique<TCad_Line>(nullptr, *layer);
  line->P1 = p1;
  line->P2 = p2;
  line->LineWidth = width;
  layer->Add(std::move(line));
}

std::string ImageScene::Print() {
  std::ostringstream out;
  page.PrintToPdf(out, 1, false, 0);
  WriteFile(pdfPath, out.str());
  return out.str();
}

std::string ImageScene::PageBody() {
  return PageContents(Print()).at(0);
}

std::vector<ListedImage> PdfImagesList(const std::filesystem::path& pdf) {
  const CommandResult result = Run("pdfimages -list " + ShellQuote(pdf.string()));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  std::vector<ListedImage> images;
  std::istringstream lines(result.out);
  std::string line;
  std::getline(lines, line);  // column names
  std::getline(lines, line);  // rule
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string page, num, type, interp, bpc, comp;
    ListedImage image;
    fields >> page >> num >> type >> image.width >> image.height >> image.color >> comp >> bpc >>
        image.encoding >> interp >> image.object;
    images.push_back(image);
  }
  return images;
}

}  // namespace kyrovane::test
