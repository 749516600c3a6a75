#pragma once

// Objects that give meaning to a dictionary they wrap: the document information, the catalog
// (and the fonts, which derive from the same base). Helpers that fill dictionaries from tables.

#include <span>
#include <string>
#include <string_view>

#include "pdf/PdfDate.h"
#include "pdf/PdfTypes.h"

namespace kyrovane {

class TPdfDictionaryWrapper {
 public:
  virtual ~TPdfDictionaryWrapper() = default;
  // The wrapped dictionary; not owned (indirect dictionaries belong to the cross-reference
  // table).
  TPdfDictionary* Data() const { return data_; }
  // Binds the wrapper; subclasses read what they need from the dictionary.
  virtual void SetData(TPdfDictionary* data) { data_ = data; }

 private:
  TPdfDictionary* data_ = nullptr;
};

// Each setter adds its key anew, so a key set again moves to the end.
class TPdfInfo : public TPdfDictionaryWrapper {
 public:
  void SetAuthor(std::string_view value);
  void SetCreationDate(TDateTime value);
  void SetModDate(TDateTime value);
  void SetCreator(std::string_view value);
  void SetTitle(std::string_view value);
  void SetSubject(std::string_view value);
  void SetKeywords(std::string_view value);
};

enum TPdfPageMode { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };

class TPdfCatalog : public TPdfDictionaryWrapper {
 public:
  // Replaces the name of an existing "PageMode" in place, otherwise appends it.
  void SetPageMode(TPdfPageMode mode);
  // On: adds an outlines dictionary when there is none. Off: removes "Outlines".
  void SetUseOutlines(bool on);
  bool GetUseOutlines() const;
  // Takes only a dictionary whose type is "Pages".
  void SetPages(TPdfDictionary& pages);
  TPdfDictionary* Pages() const { return pages_; }

 private:
  void CreateOutlines();

  TPdfDictionary* pages_ = nullptr;
};

struct TPDF_STR_TBL {
  std::string_view KEY;
  std::string_view VAL;
};

struct TPDF_INT_TBL {
  std::string_view KEY;
  int VAL;
};

// Adds each pair as key -> name, in table order.
void AddStrElements(TPdfDictionary& dictionary, std::span<const TPDF_STR_TBL> table);
// Adds each pair as key -> number, in table order.
void AddIntElements(TPdfDictionary& dictionary, std::span<const TPDF_INT_TBL> table);

}  // namespace kyrovane
