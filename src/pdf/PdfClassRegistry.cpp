#include "pdf/PdfClassRegistry.h"

#include "pdf/PdfImages.h"
#include "pdf/PdfJpFonts.h"

namespace kyrovane {
namespace {

std::string NotFoundMessage(const std::string& name) {
  return "クラス " + name + " が見つかりません";
}

}  // namespace

EClassNotFound::EClassNotFound(const std::string& name)
    : std::runtime_error(NotFoundMessage(name)) {}

void TPdfClassRegistry::RegisterClass(const std::string& name, TPdfClass pdfClass) {
  std::lock_guard lock(mutex_);
  classes_[name] = std::move(pdfClass);
}

void TPdfClassRegistry::UnregisterClass(const std::string& name) {
  std::lock_guard lock(mutex_);
  classes_.erase(name);
}

TPdfClass TPdfClassRegistry::FindClass(const std::string& name) const {
  std::lock_guard lock(mutex_);
  auto found = classes_.find(name);
  if (found == classes_.end()) throw EClassNotFound(name);
  return found->second;
}

TPdfClassRegistry& PdfClassRegistry() {
  static TPdfClassRegistry registry;
  static std::once_flag filled;
  // Every class of the library, registered here once.
  std::call_once(filled, [] {
    RegisterType1Fonts(registry);
    RegisterJpFonts(registry);
    RegisterImageCreators(registry);
  });
  return registry;
}

std::unique_ptr<TPdfFont> CreatePdfFont(const std::string& name, TPdfXref& xref) {
  TPdfClass pdfClass = PdfClassRegistry().FindClass(name);
  auto* fontClass = std::get_if<TPdfFontClass>(&pdfClass);
  if (!fontClass) throw EClassNotFound(name);
  return (*fontClass)(xref, name);
}

std::unique_ptr<TPdfImageCreator> CreatePdfImageCreator(const std::string& name) {
  TPdfClass pdfClass = PdfClassRegistry().FindClass(name);
  auto* creatorClass = std::get_if<TPdfImageCreatorClass>(&pdfClass);
  if (!creatorClass) throw EClassNotFound(name);
  return (*creatorClass)();
}

}  // namespace kyrovane
