#include "cad/model_fixture.h"

#include <fstream>
#include <sstream>

#include "cad/pdf_probe.h"
#include "pdf/pdf_test_support.h"

namespace kyrovane::test {

std::string FirstPageBody(const std::string& pdf) {
  const std::string contents = PageContents(pdf).at(0);
  return contents.substr(contents.find('\n') + 1);
}

std::string PrinterWrites(const std::function<void(TPDFPrinter&, TPdfCanvas&)>& draw) {
  TPDFPrinter printer;
  printer.BeginDoc();
  draw(printer, printer.GetCanvas());
  std::ostringstream out;
  printer.EndDoc(out);
  return FirstPageBody(out.str());
}

ModelFixture::ModelFixture() : layer(page.GetLayer(page.AddLayer("0"))) {
  layer->Scale = {1, 1, 1};
  page.Output.DefaultFontName = "Times-Roman";
}

std::string ModelFixture::DrawPass(std::uint8_t pass, long double offX, long double offY) {
  page.Printer->BeginDoc();
  page.DrawLayers(page.Printer->GetCanvas(), pass, offX, offY);
  std::ostringstream out;
  page.Printer->EndDoc(out);
  return FirstPageBody(out.str());
}

TCad_Insert& ModelFixture::InsertOf(TCad_Container& into, TCad_Block& block) {
  TCad_Insert& insert = AddTo<TCad_Insert>(into);
  insert.SetBlock(&block);
  insert.Scale = {1, 1, 1};
  return insert;
}

TCad_Line& ModelFixture::LineIn(TCad_Container& into) {
  TCad_Line& line = AddTo<TCad_Line>(into);
  line.P1 = {10, 10, 0};
  line.P2 = {20, 20, 0};
  return line;
}

std::filesystem::path ModelFixture::Print(const std::filesystem::path& path, int tiles,
                                          int rotation, bool swap) {
  {
    std::ofstream out(path, std::ios::binary);
    page.PrintToPdf(out, tiles, swap, rotation);
  }
  ExpectReadersAccept(path);
  return path;
}

}  // namespace kyrovane::test
