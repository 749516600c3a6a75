#include "pdf/PdfTypes.h"

#include <algorithm>

#include "pdf/PdfDeflatedData.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfText.h"

namespace kyrovane {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::unique_ptr<TPdfObject> Placeholder(const TPdfObject& object) {
  return TPdfVirtualObject::CreateVirtual(object.ObjectNumber());
}

// Keeps direct objects and placeholders as they are and stands a placeholder in for anything
// else.
std::unique_ptr<TPdfObject> Storable(std::unique_ptr<TPdfObject> object) {
  if (object->ObjectType() == otIndirectObject) return Placeholder(*object);
  return object;
}

TPdfObject* Resolve(TPdfObject* object, TPdfObjectMgr* objectMgr) {
  if (object && object->ObjectType() == otVirtualObject && objectMgr) {
    return objectMgr->GetObject(object->ObjectNumber());
  }
  return object;
}

}  // namespace

void TPdfObject::SetObjectNumber(int number) {
  objectNumber_ = number;
  objectType_ = number < 1 ? otDirectObject : otIndirectObject;
}

void TPdfObject::WriteToStream(std::ostream& stream) {
  if (objectType_ == otDirectObject) {
    InternalWriteStream(stream);
  } else {
    stream << std::to_string(objectNumber_) << ' ' << std::to_string(generationNumber_) << " R";
  }
}

void TPdfObject::WriteValueToStream(std::ostream& stream) {
  if (objectType_ != otIndirectObject) throw EPdfInvalidOperation("");
  stream << std::to_string(objectNumber_) << ' ' << std::to_string(generationNumber_) << " obj"
         << kCrLf;
  InternalWriteStream(stream);
  stream << kCrLf << "endobj" << kCrLf;
}

std::unique_ptr<TPdfVirtualObject> TPdfVirtualObject::CreateVirtual(int objectNumber) {
  std::unique_ptr<TPdfVirtualObject> object(new TPdfVirtualObject);
  object->objectNumber_ = objectNumber;
  object->objectType_ = otVirtualObject;
  return object;
}

const std::shared_ptr<TPdfStreamStore>& TPdfObjectMgr::StreamStore() {
  if (!streamStore_) streamStore_ = std::make_shared<TPdfStreamStore>();
  return streamStore_;
}

void TPdfNumber::InternalWriteStream(std::ostream& stream) {
  stream << FloatToStrR(value_);
}

void TPdfReal::InternalWriteStream(std::ostream& stream) {
  stream << FloatToStrGeneral(value_, 15);
}

void TPdfText::InternalWriteStream(std::ostream& stream) {
  // Text with any byte above ASCII goes out as UTF-16, so that readers do not take single-byte
  // katakana for PDFDocEncoding characters.
  bool plain = std::all_of(value_.begin(), value_.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (plain && !HasMultiByteChars(value_)) {
    stream << '(' << EscapeText(value_) << ')';
  } else {
    stream << "<FEFF001B6A61001B" << StrToUnicodeHex(value_) << '>';
  }
}

void TPdfName::InternalWriteStream(std::ostream& stream) {
  stream << '/' << EscapeName(value_);
}

std::unique_ptr<TPdfArray> TPdfArray::CreateNumArray(TPdfObjectMgr* objectMgr,
                                                     std::span<const int> values) {
  auto array = std::make_unique<TPdfArray>(objectMgr);
  for (int value : values) array->AddItem(std::make_unique<TPdfNumber>(value));
  return array;
}

std::unique_ptr<TPdfArray> TPdfArray::CreateNumArray(TPdfObjectMgr* objectMgr,
                                                     std::initializer_list<int> values) {
  return CreateNumArray(objectMgr, std::span<const int>(values.begin(), values.size()));
}

void TPdfArray::AddItem(std::unique_ptr<TPdfObject> item) {
  if (!item) throw EPdfInvalidValue("");
  items_.push_back(Storable(std::move(item)));
}

void TPdfArray::AddItem(const TPdfObject& indirectObject) {
  if (indirectObject.ObjectType() == otDirectObject) throw EPdfInvalidOperation("");
  items_.push_back(Placeholder(indirectObject));
}

TPdfObject* TPdfArray::Items(std::size_t index) const {
  return Resolve(items_.at(index).get(), objectMgr_);
}

TPdfName* TPdfArray::FindName(std::string_view value) const {
  for (const auto& item : items_) {
    auto* name = dynamic_cast<TPdfName*>(item.get());
    if (name && name->Value() == value) return name;
  }
  return nullptr;
}

void TPdfArray::InternalWriteStream(std::ostream& stream) {
  stream << '[';
  for (auto& item : items_) {
    item->WriteToStream(stream);
    stream << ' ';
  }
  stream << ']';
}

void TPdfDictionary::Add(std::string_view key, std::unique_ptr<TPdfObject> value, bool isInternal) {
  if (!value) throw EPdfInvalidValue("");
  RemoveItem(key);
  elements_.push_back(
      {std::make_unique<TPdfName>(std::string(key)), Storable(std::move(value)), isInternal});
}

void TPdfDictionary::AddItem(std::string_view key, std::unique_ptr<TPdfObject> value) {
  Add(key, std::move(value), false);
}

void TPdfDictionary::AddItem(std::string_view key, const TPdfObject& indirectObject) {
  if (indirectObject.ObjectType() == otDirectObject) throw EPdfInvalidOperation("");
  Add(key, Placeholder(indirectObject), false);
}

void TPdfDictionary::AddNumberItem(std::string_view key, long double value) {
  AddItem(key, std::make_unique<TPdfNumber>(value));
}

void TPdfDictionary::AddNameItem(std::string_view key, std::string_view name) {
  AddItem(key, std::make_unique<TPdfName>(std::string(name)));
}

void TPdfDictionary::AddInternalItem(std::string_view key, std::unique_ptr<TPdfObject> value) {
  Add(key, std::move(value), true);
}

void TPdfDictionary::RemoveItem(std::string_view key) {
  auto found = std::find_if(elements_.begin(), elements_.end(),
                            [key](const auto& element) { return element.Key->Value() == key; });
  if (found != elements_.end()) elements_.erase(found);
}

TPdfObject* TPdfDictionary::ValueByName(std::string_view key) const {
  for (const auto& element : elements_) {
    if (element.Key->Value() == key) return Resolve(element.Value.get(), objectMgr_);
  }
  return nullptr;
}

TPdfNumber* TPdfDictionary::PdfNumberByName(std::string_view key) const {
  return dynamic_cast<TPdfNumber*>(ValueByName(key));
}

TPdfReal* TPdfDictionary::PdfRealByName(std::string_view key) const {
  return dynamic_cast<TPdfReal*>(ValueByName(key));
}

TPdfName* TPdfDictionary::PdfNameByName(std::string_view key) const {
  return dynamic_cast<TPdfName*>(ValueByName(key));
}

TPdfText* TPdfDictionary::PdfTextByName(std::string_view key) const {
  return dynamic_cast<TPdfText*>(ValueByName(key));
}

TPdfDictionary* TPdfDictionary::PdfDictionaryByName(std::string_view key) const {
  return dynamic_cast<TPdfDictionary*>(ValueByName(key));
}

TPdfArray* TPdfDictionary::PdfArrayByName(std::string_view key) const {
  return dynamic_cast<TPdfArray*>(ValueByName(key));
}

std::string TPdfDictionary::TypeOf() const {
  TPdfName* type = PdfNameByName("Type");
  return type ? type->Value() : std::string();
}

void TPdfDictionary::InternalWriteStream(std::ostream& stream) {
  stream << "<<" << kCrLf;
  for (auto& element : elements_) {
    if (element.IsInternal) continue;
    element.Key->WriteToStream(stream);
    stream << ' ';
    element.Value->WriteToStream(stream);
    stream << kCrLf;
  }
  stream << ">>";
}

TPdfStream::TPdfStream(TPdfObjectMgr* objectMgr)
    : attributes_(objectMgr),
      data_(objectMgr ? objectMgr->StreamStore() : std::make_shared<TPdfStreamStore>()) {
  attributes_.AddNumberItem("Length", 0);
  attributes_.AddItem("Filter", std::make_unique<TPdfArray>(objectMgr));
}

void TPdfStream::SetFlateDecode() {
  if (!IsFlateDecoded()) {
    attributes_.PdfArrayByName("Filter")->AddItem(std::make_unique<TPdfName>("FlateDecode"));
  }
  data_.Deflated();
}

bool TPdfStream::IsFlateDecoded() const {
  TPdfArray* filter = attributes_.PdfArrayByName("Filter");
  return filter && filter->FindName("FlateDecode");
}

std::string TPdfStream::EncodedData() {
  std::string encoded;
  const auto sink = [&encoded](const char* bytes, std::size_t size) {
    encoded.append(bytes, size);
  };
  if (IsFlateDecoded()) {
    data_.Deflated().Finish().WriteTo(sink);
  } else {
    ReadData(sink);
  }
  return encoded;
}

void TPdfStream::ReadData(const TZWriteFunc& sink) {
  TPdfStreamData::TReader reader(data_);
  std::string block(kStreamReadBlockSize, '\0');
  while (const std::size_t count = reader.Read(block.data(), block.size())) {
    sink(block.data(), count);
  }
}

void TPdfStream::InternalWriteStream(std::ostream& stream) {
  const auto sink = [&stream](const char* bytes, std::size_t size) {
    stream.write(bytes, static_cast<std::streamsize>(size));
  };
  if (IsFlateDecoded()) {
    const TPdfDeflatedData::TStream deflated = data_.Deflated().Finish();
    WriteHead(stream, deflated.Size());
    deflated.WriteTo(sink);
  } else {
    WriteHead(stream, data_.Size());
    ReadData(sink);
  }
  stream << "\nendstream";
}

void TPdfStream::WriteHead(std::ostream& stream, std::uint64_t length) {
  if (TPdfNumber* number = attributes_.PdfNumberByName("Length")) {
    number->SetValue(length);
  } else {
    attributes_.AddNumberItem("Length", length);
  }
  attributes_.WriteToStream(stream);
  stream << kCrLf << "stream" << kCrLf;
}

}  // namespace kyrovane
