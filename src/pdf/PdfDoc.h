#pragma once

// The document: the fixed objects of a PDF 1.2 file (catalog, outlines, information, page
// tree), its pages, the fonts and image objects it uses, the page canvas, and the writing of
// the whole file. It owns every object of the document through its cross-reference table.

#include <any>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfCanvas.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfTypes.h"
#include "pdf/PdfWrappers.h"
#include "pdf/PdfXref.h"

namespace kyrovane {

enum TPdfCompressionMethod { cmNone, cmFlateDecode };

class TPdfDoc {
 public:
  TPdfDoc();
  ~TPdfDoc();
  TPdfDoc(const TPdfDoc&) = delete;
  TPdfDoc& operator=(const TPdfDoc&) = delete;

  // Discards any open document and starts a new one at object 1 with the creation date.
  void NewDoc();
  // Frees the open document, if any, with every object and buffered stream of it.
  void FreeDoc();
  bool HasDoc() const { return hasDoc_; }

  // Appends a page of the default size and makes it the canvas's page.
  void AddPage();

  TPdfCanvas& GetCanvas();
  TPdfPCanvas& GetPCanvas() { return pCanvas_; }
  TPdfInfo& GetInfo();
  TPdfCatalog& GetRoot();
  // The document's table of objects, for classes that add objects of their own.
  TPdfXref& GetXref();

  // The font created under the name in this document, created now when there is none yet.
  TPdfFont& GetFont(const std::string& name);
  // Creates the font class registered under the name and gives it the resource name "F<n>".
  TPdfFont& CreateFont(const std::string& name);

  // The image object registered under the name, or nullptr.
  TPdfXObject* GetXObject(std::string_view name) const;
  // Registers an image object under a name: a direct object with the table first. An object
  // that already has a "Name" is left as it is.
  void RegisterXObject(std::unique_ptr<TPdfXObject> object, const std::string& name);
  void RegisterXObject(TPdfXObject* object, const std::string& name);
  // Makes an image object from the picture with the creator class registered under
  // `creatorName`, unless the name is taken already (then the picture is not looked at).
  void AddXObject(const std::string& name, const std::any& picture, const std::string& creatorName);

  // Writes the file from the stream's position 0 with a new modification date. Saving does
  // not close the document.
  void SaveToStream(std::ostream& stream);

  std::uint16_t DefaultPageWidth() const { return defaultPageWidth_; }
  void SetDefaultPageWidth(std::uint16_t width) { defaultPageWidth_ = width; }
  std::uint16_t DefaultPageHeight() const { return defaultPageHeight_; }
  void SetDefaultPageHeight(std::uint16_t height) { defaultPageHeight_ = height; }
  TPdfCompressionMethod CompressionMethod() const { return compressionMethod_; }
  void SetCompressionMethod(TPdfCompressionMethod method) { compressionMethod_ = method; }

 private:
  TPdfCanvas canvas_;
  TPdfPCanvas pCanvas_;
  std::unique_ptr<TPdfHeader> header_;
  std::unique_ptr<TPdfXref> xref_;
  std::unique_ptr<TPdfTrailer> trailer_;
  std::unique_ptr<TPdfCatalog> root_;
  std::unique_ptr<TPdfInfo> info_;
  TPdfDictionary* currentPages_ = nullptr;
  std::vector<std::unique_ptr<TPdfFont>> fontList_;
  std::vector<TPdfXObject*> xObjectList_;
  bool hasDoc_ = false;
  std::uint16_t defaultPageWidth_ = 596;
  std::uint16_t defaultPageHeight_ = 842;
  TPdfCompressionMethod compressionMethod_ = cmNone;
};

}  // namespace kyrovane
