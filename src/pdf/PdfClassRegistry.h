#pragma once

// The process-wide registry of the library's font and image-creator classes: fonts and image
// creators are made by the name they are registered under.

#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <variant>

#include "pdf/PdfFonts.h"
#include "pdf/PdfImageCreator.h"

namespace kyrovane {

// No class is registered under the name (message "クラス %s が見つかりません").
class EClassNotFound : public std::runtime_error {
 public:
  explicit EClassNotFound(const std::string& name);
};

using TPdfFontClass =
    std::function<std::unique_ptr<TPdfFont>(TPdfXref& xref, const std::string& name)>;
using TPdfImageCreatorClass = std::function<std::unique_ptr<TPdfImageCreator>()>;
using TPdfClass = std::variant<TPdfFontClass, TPdfImageCreatorClass>;

// The class of a font type that is constructed with (cross-reference table, registered name).
template <class Font>
TPdfFontClass FontClass() {
  return [](TPdfXref& xref, const std::string& name) { return std::make_unique<Font>(xref, name); };
}

template <class Creator>
TPdfImageCreatorClass ImageCreatorClass() {
  return [] { return std::make_unique<Creator>(); };
}

// Names are compared exactly. Registering a name again replaces its class.
class TPdfClassRegistry {
 public:
  void RegisterClass(const std::string& name, TPdfClass pdfClass);
  void UnregisterClass(const std::string& name);
  TPdfClass FindClass(const std::string& name) const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::string, TPdfClass> classes_;
};

// The registry, holding every class of the library from its first use to the end of the process.
TPdfClassRegistry& PdfClassRegistry();

// Looks the name up and constructs the font; EClassNotFound when no font class has the name.
std::unique_ptr<TPdfFont> CreatePdfFont(const std::string& name, TPdfXref& xref);
// Looks the name up and constructs the creator; EClassNotFound when no creator has the name.
std::unique_ptr<TPdfImageCreator> CreatePdfImageCreator(const std::string& name);

}  // namespace kyrovane
