#pragma once

// A document with one plain layer (scale 1, no origin, no angle) and ways to draw it or a
// printer call onto the first page of a fresh PDF and read back what was written.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "cad/CadPage.h"
#include "pdf/PDFPrinter.h"

namespace kyrovane::test {

// The contents of the first page after the line that every new page begins with (the
// default font selection of the page switch).
std::string FirstPageBody(const std::string& pdf);

// What one printer call writes onto the first page of a fresh document.
std::string PrinterWrites(const std::function<void(TPDFPrinter&, TPdfCanvas&)>& draw);

class ModelFixture {
 public:
  ModelFixture();

  template <class T, class... Args>
  T& Add(Args&&... args) {
    return AddTo<T>(*layer, std::forward<Args>(args)...);
  }
  template <class T, class... Args>
  T& AddTo(TCad_Container& container, Args&&... args) {
    auto entity = std::make_unique<T>(nullptr, *layer, std::forward<Args>(args)...);
    T& result = *entity;
    container.Add(std::move(entity));
    return result;
  }
  TCad_Block& NewBlock(const std::string& name) {
    return *page.GetBlock(page.AddBlock(name, layer));
  }

  // Draws one pass of every layer onto the first page of a fresh document.
  std::string DrawPass(std::uint8_t pass, long double offX = 0, long double offY = 0);

  TCad_Page page;
  TCad_Layer* layer;
};

}  // namespace kyrovane::test
