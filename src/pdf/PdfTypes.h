#pragma once

// The PDF object model: numbers, texts, names, arrays, dictionaries, references and streams,
// and their exact bytes. Object syntax ends its lines with CR LF.
//
// Ownership: every object has one owner. Containers own their direct items; an object that was
// registered with an object manager (and so became indirect) is owned by that manager, and a
// container that receives it stores a new placeholder (a virtual object) holding its number.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfStreamStore.h"
#include "pdf/ZLibEx.h"

namespace kyrovane {

enum TPdfObjectType : std::uint8_t { otDirectObject, otIndirectObject, otVirtualObject };

class TPdfObjectMgr;

class TPdfObject {
 public:
  TPdfObject() = default;
  virtual ~TPdfObject() = default;
  TPdfObject(const TPdfObject&) = delete;
  TPdfObject& operator=(const TPdfObject&) = delete;

  TPdfObjectType ObjectType() const { return objectType_; }
  int ObjectNumber() const { return objectNumber_; }
  int GenerationNumber() const { return generationNumber_; }
  // A number of 1 or more makes the object indirect, anything below makes it direct.
  void SetObjectNumber(int number);

  // The object as it is written where it is referenced: "n g R" for indirect and virtual
  // objects, the body for direct ones.
  void WriteToStream(std::ostream& stream);
  // The definition of an indirect object: "n g obj", the body, "endobj".
  void WriteValueToStream(std::ostream& stream);

 protected:
  virtual void InternalWriteStream(std::ostream& /*stream*/) {}
  TPdfObjectType objectType_ = otDirectObject;
  int objectNumber_ = -1;

 private:
  int generationNumber_ = 0;
};

// Stands for the indirect object with the same number.
class TPdfVirtualObject : public TPdfObject {
 public:
  static std::unique_ptr<TPdfVirtualObject> CreateVirtual(int objectNumber);

 private:
  TPdfVirtualObject() = default;
};

// The object manager gives objects their numbers and finds them again by number. It also
// holds the buffer file that the streams made with it share.
class TPdfObjectMgr {
 public:
  virtual ~TPdfObjectMgr() = default;
  // Registers a direct object as the next indirect object; the manager owns it from then on.
  virtual void AddObject(std::unique_ptr<TPdfObject> object) = 0;
  // The object with that number, or nullptr.
  virtual TPdfObject* GetObject(int objectNumber) = 0;

  // AddObject for a freshly made object that the caller goes on using.
  template <class T>
  T& Register(std::unique_ptr<T> object) {
    T& registered = *object;
    AddObject(std::move(object));
    return registered;
  }

  const std::shared_ptr<TPdfStreamStore>& StreamStore();

 private:
  std::shared_ptr<TPdfStreamStore> streamStore_;
};

class TPdfNumber : public TPdfObject {
 public:
  explicit TPdfNumber(long double value) : value_(value) {}
  long double Value() const { return value_; }
  void SetValue(long double value) { value_ = value; }

 protected:
  void InternalWriteStream(std::ostream& stream) override;

 private:
  long double value_;
};

// Kept for internal state only; written with 15 significant digits, unrounded.
class TPdfReal : public TPdfObject {
 public:
  explicit TPdfReal(double value) : value_(value) {}
  double Value() const { return value_; }

 protected:
  void InternalWriteStream(std::ostream& stream) override;

 private:
  double value_;
};

// A text string of CP932 bytes.
class TPdfText : public TPdfObject {
 public:
  explicit TPdfText(std::string value) : value_(std::move(value)) {}
  const std::string& Value() const { return value_; }

 protected:
  void InternalWriteStream(std::ostream& stream) override;

 private:
  std::string value_;
};

// A name, held without its leading slash.
class TPdfName : public TPdfObject {
 public:
  explicit TPdfName(std::string value) : value_(std::move(value)) {}
  const std::string& Value() const { return value_; }
  void SetValue(std::string value) { value_ = std::move(value); }

 protected:
  void InternalWriteStream(std::ostream& stream) override;

 private:
  std::string value_;
};

class TPdfArray : public TPdfObject {
 public:
  explicit TPdfArray(TPdfObjectMgr* objectMgr) : objectMgr_(objectMgr) {}
  // An array of one number per value.
  static std::unique_ptr<TPdfArray> CreateNumArray(TPdfObjectMgr* objectMgr,
                                                   std::span<const int> values);
  static std::unique_ptr<TPdfArray> CreateNumArray(TPdfObjectMgr* objectMgr,
                                                   std::initializer_list<int> values);

  // Appends a direct value (or a placeholder), which the array then owns.
  void AddItem(std::unique_ptr<TPdfObject> item);
  // Appends a reference to an indirect object.
  void AddItem(const TPdfObject& indirectObject);

  // The item, with a placeholder resolved to its object.
  TPdfObject* Items(std::size_t index) const;
  std::size_t ItemCount() const { return items_.size(); }
  // The first item that is a name with exactly this value.
  TPdfName* FindName(std::string_view value) const;
  TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }

 protected:
  void InternalWriteStream(std::ostream& stream) override;

 private:
  std::vector<std::unique_ptr<TPdfObject>> items_;
  TPdfObjectMgr* objectMgr_;
};

struct TPdfDictionaryElement {
  std::unique_ptr<TPdfName> Key;
  std::unique_ptr<TPdfObject> Value;
  // Internal elements can be looked up but are never written.
  bool IsInternal = false;
};

class TPdfDictionary : public TPdfObject {
 public:
  explicit TPdfDictionary(TPdfObjectMgr* objectMgr) : objectMgr_(objectMgr) {}

  // Replaces any element with that key and appends the new one last. A value that is not
  // direct is stored as a placeholder; a missing value raises EPdfInvalidValue.
  void AddItem(std::string_view key, std::unique_ptr<TPdfObject> value);
  // Appends a reference to an indirect object under the key.
  void AddItem(std::string_view key, const TPdfObject& indirectObject);
  void AddNumberItem(std::string_view key, long double value);
  void AddNameItem(std::string_view key, std::string_view name);
  void AddInternalItem(std::string_view key, std::unique_ptr<TPdfObject> value);
  void RemoveItem(std::string_view key);

  // The value under the key (internal elements included), with a placeholder resolved.
  TPdfObject* ValueByName(std::string_view key) const;
  // The same lookups for a value of a known class; nullptr when it is absent or of another class.
  TPdfNumber* PdfNumberByName(std::string_view key) const;
  TPdfReal* PdfRealByName(std::string_view key) const;
  TPdfName* PdfNameByName(std::string_view key) const;
  TPdfText* PdfTextByName(std::string_view key) const;
  TPdfDictionary* PdfDictionaryByName(std::string_view key) const;
  TPdfArray* PdfArrayByName(std::string_view key) const;

  // The value of the "Type" name, or the empty text.
  std::string TypeOf() const;
  std::size_t ItemCount() const { return elements_.size(); }
  TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }

 protected:
  void InternalWriteStream(std::ostream& stream) override;

 private:
  void Add(std::string_view key, std::unique_ptr<TPdfObject> value, bool isInternal);

  std::vector<TPdfDictionaryElement> elements_;
  TPdfObjectMgr* objectMgr_;
};

// Attributes and data; the data waits in the object manager's buffer file until it is
// written, deflated when the "Filter" array holds /FlateDecode.
class TPdfStream : public TPdfObject {
 public:
  explicit TPdfStream(TPdfObjectMgr* objectMgr);

  TPdfDictionary& Attributes() { return attributes_; }
  TPdfStreamData& Data() { return data_; }

  // Adds /FlateDecode to the filters and compresses the data from now on while it is written.
  void SetFlateDecode();

  // The bytes that go between "stream" and "endstream": the data, compressed when the filter
  // asks for it. Works on this stream alone, so different streams may be encoded at once.
  std::string EncodedData();

 protected:
  // The attributes with the length of the encoded bytes, then the bytes between "stream" and
  // "endstream", block by block.
  void InternalWriteStream(std::ostream& stream) override;

 private:
  bool IsFlateDecoded() const;
  void WriteHead(std::ostream& stream, std::uint64_t length);
  // Hands the data as it was written to the sink, block by block.
  void ReadData(const TZWriteFunc& sink);

  TPdfDictionary attributes_;
  TPdfStreamData data_;
};

// The class of image objects.
class TPdfXObject : public TPdfStream {
 public:
  using TPdfStream::TPdfStream;
};

// The class of the outlines dictionary.
class TPdfOutlines : public TPdfDictionary {
 public:
  using TPdfDictionary::TPdfDictionary;
};

}  // namespace kyrovane
