#include "pdf/PdfDoc.h"

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfImageCreator.h"

namespace kyrovane {
namespace {

// Cross-reference lines hold ten digits of offset.
constexpr std::int64_t kLargestOffset = 9999999999;

}  // namespace

TPdfDoc::TPdfDoc() : canvas_(this) {}

TPdfDoc::~TPdfDoc() {
  FreeDoc();
}

void TPdfDoc::NewDoc() {
  FreeDoc();
  header_ = std::make_unique<TPdfHeader>();
  xref_ = std::make_unique<TPdfXref>();
  trailer_ = std::make_unique<TPdfTrailer>(xref_.get());

  auto& catalog = xref_->Register(std::make_unique<TPdfDictionary>(xref_.get()));
  catalog.AddNameItem("Type", "Catalog");
  trailer_->Attributes().AddItem("Root", catalog);
  root_ = std::make_unique<TPdfCatalog>();
  root_->SetData(&catalog);
  root_->SetUseOutlines(true);

  auto& information = xref_->Register(std::make_unique<TPdfDictionary>(xref_.get()));
  information.AddItem("Producer", std::make_unique<TPdfText>("Orvesta"));
  trailer_->Attributes().AddItem("Info", information);
  info_ = std::make_unique<TPdfInfo>();
  info_->SetData(&information);
  info_->SetCreationDate(PdfNow());

  auto& pages = xref_->Register(std::make_unique<TPdfDictionary>(xref_.get()));
  pages.AddNameItem("Type", "Pages");
  pages.AddItem("Kids", std::make_unique<TPdfArray>(xref_.get()));
  pages.AddNumberItem("Count", 0);
  root_->SetPages(pages);
  currentPages_ = &pages;
  hasDoc_ = true;
}

void TPdfDoc::FreeDoc() {
  if (!hasDoc_) return;
  // The canvases point into the document; they forget it first.
  canvas_.Reset();
  pCanvas_.Reset();
  xObjectList_.clear();
  fontList_.clear();
  currentPages_ = nullptr;
  info_.reset();
  root_.reset();
  trailer_.reset();
  xref_.reset();
  header_.reset();
  hasDoc_ = false;
}

void TPdfDoc::AddPage() {
  if (!currentPages_) throw EPdfInvalidOperation("internal error. current pages null.");
  auto& page = xref_->Register(std::make_unique<TPdfDictionary>(xref_.get()));
  TPdfArray* kids = currentPages_->PdfArrayByName("Kids");
  kids->AddItem(page);
  currentPages_->PdfNumberByName("Count")->SetValue(kids->ItemCount());

  page.AddNameItem("Type", "Page");
  page.AddItem("Parent", *currentPages_);
  page.AddItem("MediaBox", TPdfArray::CreateNumArray(
                               xref_.get(), {0, 0, defaultPageWidth_, defaultPageHeight_}));
  auto resources = std::make_unique<TPdfDictionary>(xref_.get());
  resources->AddItem("Font", std::make_unique<TPdfDictionary>(xref_.get()));
  resources->AddItem("Pattern", std::make_unique<TPdfDictionary>(xref_.get()));
  resources->AddItem("XObject", std::make_unique<TPdfDictionary>(xref_.get()));
  auto procSet = std::make_unique<TPdfArray>(xref_.get());
  for (const char* name : {"PDF", "Text", "ImageC"}) {
    procSet->AddItem(std::make_unique<TPdfName>(name));
  }
  resources->AddItem("ProcSet", std::move(procSet));
  page.AddItem("Resources", std::move(resources));

  auto& contents = xref_->Register(std::make_unique<TPdfStream>(xref_.get()));
  if (compressionMethod_ == cmFlateDecode) contents.SetFlateDecode();
  page.AddItem("Contents", contents);
  canvas_.SetPage(page);
}

TPdfCanvas& TPdfDoc::GetCanvas() {
  if (!hasDoc_) throw EPdfInvalidOperation("Document is null");
  return canvas_;
}

TPdfInfo& TPdfDoc::GetInfo() {
  if (!hasDoc_) throw EPdfInvalidOperation("this method can not use this state..");
  return *info_;
}

TPdfCatalog& TPdfDoc::GetRoot() {
  if (!hasDoc_) throw EPdfInvalidOperation("this method can not use this state..");
  return *root_;
}

TPdfXref& TPdfDoc::GetXref() {
  if (!hasDoc_) throw EPdfInvalidOperation("document is null.");
  return *xref_;
}

TPdfFont& TPdfDoc::GetFont(const std::string& name) {
  if (!hasDoc_) throw EPdfInvalidOperation("document is null.");
  for (auto& font : fontList_) {
    if (font->Name() == name) return *font;
  }
  return CreateFont(name);
}

TPdfFont& TPdfDoc::CreateFont(const std::string& name) {
  std::unique_ptr<TPdfFont> font = CreatePdfFont(name, GetXref());
  font->Data()->AddNameItem("Name", "F" + std::to_string(fontList_.size()));
  fontList_.push_back(std::move(font));
  return *fontList_.back();
}

TPdfXObject* TPdfDoc::GetXObject(std::string_view name) const {
  for (TPdfXObject* object : xObjectList_) {
    TPdfName* objectName = object->Attributes().PdfNameByName("Name");
    if (objectName && objectName->Value() == name) return object;
  }
  return nullptr;
}

void TPdfDoc::RegisterXObject(std::unique_ptr<TPdfXObject> object, const std::string& name) {
  if (!object || object->Attributes().TypeOf() != "XObject") {
    throw EPdfInvalidValue("Error AObject is null");
  }
  // A refused name must not leave an orphan object in the file.
  if (!object->Attributes().ValueByName("Name") && GetXObject(name)) {
    throw EPdfInvalidValue("dupulicate name: " + name);
  }
  RegisterXObject(&GetXref().Register(std::move(object)), name);
}

void TPdfDoc::RegisterXObject(TPdfXObject* object, const std::string& name) {
  if (!object || object->Attributes().TypeOf() != "XObject") {
    throw EPdfInvalidValue("Error AObject is null");
  }
  if (object->ObjectType() != otIndirectObject) throw EPdfInvalidOperation("");
  if (object->Attributes().ValueByName("Name")) return;
  if (GetXObject(name)) throw EPdfInvalidValue("dupulicate name: " + name);
  xObjectList_.push_back(object);
  object->Attributes().AddNameItem("Name", name);
}

void TPdfDoc::AddXObject(const std::string& name, const std::any& picture,
                         const std::string& creatorName) {
  if (GetXObject(name)) return;
  std::unique_ptr<TPdfImageCreator> creator = CreatePdfImageCreator(creatorName);
  RegisterXObject(creator->CreateImage(GetXref(), picture), name);
}

void TPdfDoc::SaveToStream(std::ostream& stream) {
  if (!hasDoc_) throw EPdfInvalidOperation("there is no document to save.");
  info_->SetModDate(PdfNow());
  stream.seekp(0);
  auto position = [&stream] {
    std::int64_t offset = stream.tellp();
    if (offset < 0) throw EPdfInvalidOperation("the document could not be written.");
    if (offset > kLargestOffset) throw EPdfInvalidOperation("the document is too large.");
    return offset;
  };
  header_->WriteToStream(stream);
  for (int number = 1; number < xref_->ItemCount(); ++number) {
    TPdfXrefEntry& entry = xref_->Items(number);
    entry.ByteOffset = position();
    entry.Value->WriteValueToStream(stream);
  }
  trailer_->SetXrefAddress(position());
  xref_->WriteToStream(stream);
  trailer_->Attributes().PdfNumberByName("Size")->SetValue(xref_->ItemCount());
  trailer_->WriteToStream(stream);
  stream.flush();
  if (!stream) throw EPdfInvalidOperation("the document could not be written.");
}

}  // namespace kyrovane
