#include "cad/CadPage.h"

#include "cad/CadEntity.h"
#include "pdf/PDFPrinter.h"

namespace kyrovane {
namespace {

template <class T>
int IndexOf(const std::vector<std::unique_ptr<T>>& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->Name == name) return static_cast<int>(i);
  }
  return -1;
}

template <class T>
T* Find(const std::vector<std::unique_ptr<T>>& list, std::string_view name) {
  const int i = IndexOf(list, name);
  return i < 0 ? nullptr : list[static_cast<std::size_t>(i)].get();
}

}  // namespace

TCad_Page::TCad_Page() : Printer(std::make_unique<TPDFPrinter>()) {}

TCad_Page::~TCad_Page() = default;

void TCad_Page::Clear() {
  Layers.clear();
  LineTypes.clear();
  Blocks.clear();
  PageWidth = 2384;
  PageHeight = 1684;
  MarginX = 0;
  MarginY = 0;
  SizedToDrawing = false;
  Output.LayerDrawFirst.fill(0);
  Notices = {};
  cutInserts_.clear();
  ChainLinksFollowed = 0;
}

void TCad_Page::Reset() {
  Clear();
  // The text rise is a setting of the conversion, not of one printer.
  const long double rise = Printer->PdfTextRise;
  Printer = std::make_unique<TPDFPrinter>();
  // No document of the old printer is open any more.
  PictureNames.Clear();
  Pictures.Clear();
  Printer->PdfTextRise = rise;
}

int TCad_Page::AddLayer(std::string_view AName) {
  if (const int i = IndexOf(Layers, AName); i >= 0) return i;
  Layers.push_back(std::make_unique<TCad_Layer>(nullptr, AName, *this));
  Layers.back()->Index = LayerCount() - 1;
  return LayerCount() - 1;
}

int TCad_Page::AddLineType(std::string_view AName) {
  if (const int i = IndexOf(LineTypes, AName); i >= 0) return i;
  LineTypes.push_back(std::make_unique<TCad_Line_Type>(nullptr));
  LineTypes.back()->Name = std::string(AName);
  return static_cast<int>(LineTypes.size()) - 1;
}

int TCad_Page::AddBlock(std::string_view AName, TCad_Layer* ALayer) {
  if (const int i = IndexOf(Blocks, AName); i >= 0) return i;
  Blocks.push_back(std::make_unique<TCad_Block>(nullptr, AName, ALayer, *this));
  return static_cast<int>(Blocks.size()) - 1;
}

TCad_Layer* TCad_Page::FindLayer(std::string_view AName) const {
  return Find(Layers, AName);
}

TCad_Line_Type* TCad_Page::FindLineType(std::string_view AName) const {
  return Find(LineTypes, AName);
}

TCad_Block* TCad_Page::FindBlock(std::string_view AName) const {
  return Find(Blocks, AName);
}

void TCad_Page::NoteCutInsert(const TCad_Insert& AInsert) {
  if (cutInserts_.insert(&AInsert).second) ++Notices.CutInserts;
}

bool TCad_Page::ChargeInsertedDraws(int AMembers) {
  if (AMembers > insertedDrawsLeft_) return false;
  insertedDrawsLeft_ -= AMembers;
  return true;
}

}  // namespace kyrovane
