#include "cad/model_fixture.h"

#include <sstream>

#include "cad/pdf_probe.h"

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

}  // namespace kyrovane::test
