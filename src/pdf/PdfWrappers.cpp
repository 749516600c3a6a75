#include "pdf/PdfWrappers.h"

#include "pdf/PdfErrors.h"

namespace kyrovane {
namespace {

void SetText(TPdfDictionary* data, std::string_view key, std::string_view value) {
  data->AddItem(key, std::make_unique<TPdfText>(std::string(value)));
}

const char* PageModeName(TPdfPageMode mode) {
  switch (mode) {
    case pmUseNone:
      return "UseNone";
    case pmUseOutlines:
      return "UseOutlines";
    case pmUseThumbs:
      return "UseThumbs";
    case pmFullScreen:
      return "FullScreen";
  }
  return "UseNone";
}

}  // namespace

void TPdfInfo::SetAuthor(std::string_view value) {
  SetText(Data(), "Author", value);
}
void TPdfInfo::SetCreator(std::string_view value) {
  SetText(Data(), "Creator", value);
}
void TPdfInfo::SetTitle(std::string_view value) {
  SetText(Data(), "Title", value);
}
void TPdfInfo::SetSubject(std::string_view value) {
  SetText(Data(), "Subject", value);
}
void TPdfInfo::SetKeywords(std::string_view value) {
  SetText(Data(), "Keywords", value);
}

void TPdfInfo::SetCreationDate(TDateTime value) {
  SetText(Data(), "CreationDate", DateTimeToPdfDate(value));
}

void TPdfInfo::SetModDate(TDateTime value) {
  SetText(Data(), "ModDate", DateTimeToPdfDate(value));
}

void TPdfCatalog::SetPageMode(TPdfPageMode mode) {
  // The mode keeps its place in the catalog when it changes.
  if (TPdfName* current = Data()->PdfNameByName("PageMode")) {
    current->SetValue(PageModeName(mode));
  } else {
    Data()->AddNameItem("PageMode", PageModeName(mode));
  }
}

void TPdfCatalog::SetUseOutlines(bool on) {
  if (on) {
    if (!GetUseOutlines()) CreateOutlines();
  } else {
    Data()->RemoveItem("Outlines");
  }
}

bool TPdfCatalog::GetUseOutlines() const {
  return Data()->ValueByName("Outlines") != nullptr;
}

void TPdfCatalog::SetPages(TPdfDictionary& pages) {
  if (pages.TypeOf() != "Pages") return;
  Data()->AddItem("Pages", pages);
  pages_ = &pages;
}

void TPdfCatalog::CreateOutlines() {
  TPdfObjectMgr* objectMgr = Data()->ObjectMgr();
  if (!objectMgr) throw EPdfInvalidOperation("");
  auto& outlines = objectMgr->Register(std::make_unique<TPdfOutlines>(objectMgr));
  outlines.AddNameItem("Type", "Outlines");
  outlines.AddNumberItem("Count", 0);
  outlines.AddInternalItem("Opened", std::make_unique<TPdfNumber>(1));
  Data()->AddItem("Outlines", outlines);
}

void AddStrElements(TPdfDictionary& dictionary, std::span<const TPDF_STR_TBL> table) {
  for (const TPDF_STR_TBL& row : table) dictionary.AddNameItem(row.KEY, row.VAL);
}

void AddIntElements(TPdfDictionary& dictionary, std::span<const TPDF_INT_TBL> table) {
  for (const TPDF_INT_TBL& row : table) dictionary.AddNumberItem(row.KEY, row.VAL);
}

}  // namespace kyrovane
