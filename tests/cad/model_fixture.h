#pragma once

// A document with one plain layer (scale 1, no origin, no angle) and ways to draw it or a
// printer call onto the first page of a fresh PDF and read back what was written.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/CadPolyLine.h"
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

  // An insert of `block` into `into` at scale 1.
  TCad_Insert& InsertOf(TCad_Container& into, TCad_Block& block);
  // A line from (10, 10) to (20, 20) mm in `into`.
  TCad_Line& LineIn(TCad_Container& into);

  // Draws one pass of every layer onto the first page of a fresh document.
  std::string DrawPass(std::uint8_t pass, long double offX = 0, long double offY = 0);
  // Writes the document with PrintToPdf to `path`, which every PDF reader must accept.
  std::filesystem::path Print(const std::filesystem::path& path, int tiles, int rotation = 0,
                              bool swap = false);

  TCad_Page page;
  TCad_Layer* layer;
};

// Appends a vertex at (x, y) mm to a polyline or a curve.
template <class T>
void AddVertex(T& owner, long double x, long double y, long double bulge = 0) {
  auto vertex = std::make_unique<TCad_Vertex>(&owner);
  vertex->Point = {x, y, 0};
  vertex->Bulge = bulge;
  owner.AddVertex(std::move(vertex));
}

}  // namespace kyrovane::test
