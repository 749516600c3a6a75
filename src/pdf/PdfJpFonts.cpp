#include "pdf/PdfJpFonts.h"

#include <memory>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfJpWidths.h"
#include "pdf/PdfTypes.h"
#include "pdf/PdfWrappers.h"
#include "pdf/PdfXref.h"

namespace kyrovane {
namespace {

// Descriptor flags: symbolic 4, fixed pitch 1, serif 2, force bold 262144.
constexpr int kSymbolic = 4;
constexpr int kFixedPitch = 1;
constexpr int kSerif = 2;
constexpr int kForceBold = 262144;

constexpr int kItalicAngle = -11;
constexpr int kStemV = 78;
constexpr int kBoldStemV = 156;

constexpr TPdfJpFace Face(std::string_view name, int flags, bool bold, bool italic) {
  return {name, bold ? flags + kForceBold : flags, italic ? kItalicAngle : 0,
          bold ? kBoldStemV : kStemV};
}

constexpr int kGothic = kSymbolic + kFixedPitch;
constexpr int kMincyo = kSymbolic + kFixedPitch + kSerif;
constexpr int kPGothic = kSymbolic;
constexpr int kPMincyo = kSymbolic + kSerif;

std::unique_ptr<TPdfArray> FixedWidthArray(TPdfObjectMgr* mgr) {
  return TPdfArray::CreateNumArray(mgr, {kHalfWidthFirstCID, kHalfWidthLastCID, kHalfWidth});
}

std::unique_ptr<TPdfArray> ProportionalWidthArray(TPdfObjectMgr* mgr) {
  auto w = std::make_unique<TPdfArray>(mgr);
  for (const TJpWidthRun& run : ProportionalWidthRuns()) {
    w->AddItem(std::make_unique<TPdfNumber>(run.StartCID));
    auto widths = std::make_unique<TPdfArray>(mgr);
    for (std::uint16_t width : run.Widths) widths->AddItem(std::make_unique<TPdfNumber>(width));
    w->AddItem(std::move(widths));
  }
  return w;
}

}  // namespace

TPdfJpFont::TPdfJpFont(TPdfXref& xref, std::string name, const TPdfJpFace& face, TPitch pitch)
    : TPdfType0Font(xref, std::move(name)), face_(face), pitch_(pitch) {
  auto& font = xref.Register(std::make_unique<TPdfDictionary>(&xref));
  font.AddNameItem("BaseFont", GetFontName());

  auto& descendant = xref.Register(std::make_unique<TPdfDictionary>(&xref));
  auto descendants = std::make_unique<TPdfArray>(&xref);
  descendants->AddItem(descendant);
  font.AddItem("DescendantFonts", std::move(descendants));

  static constexpr TPDF_STR_TBL kDescendantNames[] = {
      {"Type", "Font"}, {"Subtype", "CIDFontType2"}, {"WinCharSet", "128"}};
  AddStrElements(descendant, kDescendantNames);
  descendant.AddNameItem("BaseFont", GetFontName());
  auto systemInfo = std::make_unique<TPdfDictionary>(&xref);
  systemInfo->AddItem("Registry", std::make_unique<TPdfText>("Adobe"));
  systemInfo->AddItem("Ordering", std::make_unique<TPdfText>("Japan1"));
  systemInfo->AddNumberItem("Supplement", 2);
  descendant.AddItem("CIDSystemInfo", std::move(systemInfo));
  descendant.AddNumberItem("DW", 1000);
  AddWidthItems(descendant);

  auto& descriptor = xref.Register(std::make_unique<TPdfDictionary>(&xref));
  descriptor.AddNameItem("Type", "FontDescriptor");
  descriptor.AddNameItem("FontName", GetFontName());
  static constexpr TPDF_INT_TBL kMetrics[] = {
      {"Ascent", 859}, {"CapHeight", 859}, {"Descent", -141}, {"MissingWidth", 500}};
  AddIntElements(descriptor, kMetrics);
  AddDescriptorItems(descriptor);
  descriptor.AddItem("FontBBox", TPdfArray::CreateNumArray(&xref, {0, -141, 1000, 859}));
  descendant.AddItem("FontDescriptor", descriptor);

  SetData(&font);
}

void TPdfJpFont::AddDescriptorItems(TPdfDictionary& descriptor) const {
  const TPDF_INT_TBL items[] = {
      {"Flags", face_.Flags}, {"ItalicAngle", face_.ItalicAngle}, {"StemV", face_.StemV}};
  AddIntElements(descriptor, items);
}

void TPdfJpFont::AddWidthItems(TPdfDictionary& descendant) const {
  TPdfObjectMgr* mgr = descendant.ObjectMgr();
  descendant.AddItem("W",
                     pitch_ == TPitch::Fixed ? FixedWidthArray(mgr) : ProportionalWidthArray(mgr));
}

void TPdfJpFont::AddEncoding(std::string_view cmap) {
  const TPDF_STR_TBL names[] = {{"Type", "Font"}, {"Subtype", "Type0"}, {"Encoding", cmap}};
  AddStrElements(*Data(), names);
}

namespace {

bool IsVertical(std::string_view name) {
  return !name.empty() && name.back() == 'V';
}

// Without a vertical metrics entry, readers advance every vertical character by 1000.
constexpr int kVerticalAdvance = 1000;

}  // namespace

TPdfJpFixedFont::TPdfJpFixedFont(TPdfXref& xref, std::string name, const TPdfJpFace& face)
    : TPdfJpFont(xref, std::move(name), face, TPitch::Fixed) {
  AddEncoding(IsVertical(Name()) ? "90ms-RKSJ-V" : "90ms-RKSJ-H");
  SetCharToCID(CharToCID90ms);
}

std::optional<TPdfFont::TBlankMove> TPdfJpFixedFont::BlankMove() const {
  if (IsVertical(Name())) return TBlankMove{kVerticalAdvance, true};
  return TBlankMove{GetCharWidth(" ", 0), false};
}

TPdfJpProportionalFont::TPdfJpProportionalFont(TPdfXref& xref, std::string name,
                                               const TPdfJpFace& face)
    : TPdfJpFont(xref, std::move(name), face, TPitch::Proportional) {
  AddEncoding("90msp-RKSJ-H");
  SetCharToCID(CharToCID90msp);
}

TPdfGothic::TPdfGothic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Gothic", kGothic, false, false)) {}
TPdfGothicV::TPdfGothicV(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("GothicV", kGothic, false, false)) {}
TPdfGothicBold::TPdfGothicBold(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Gothic,Bold", kGothic, true, false)) {}
TPdfGothicItalic::TPdfGothicItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Gothic,Italic", kGothic, false, true)) {}
TPdfGothicBoldItalic::TPdfGothicBoldItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Gothic,BoldItalic", kGothic, true, true)) {}
TPdfMincyo::TPdfMincyo(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Mincyo", kMincyo, false, false)) {}
TPdfMincyoV::TPdfMincyoV(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("MincyoV", kMincyo, false, false)) {}
TPdfMincyoBold::TPdfMincyoBold(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Mincyo,Bold", kMincyo, true, false)) {}
TPdfMincyoItalic::TPdfMincyoItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Mincyo,Italic", kMincyo, false, true)) {}
TPdfMincyoBoldItalic::TPdfMincyoBoldItalic(TPdfXref& xref, std::string name)
    : TPdfJpFixedFont(xref, std::move(name), Face("Mincyo,BoldItalic", kMincyo, true, true)) {}

TPdfPGothic::TPdfPGothic(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), Face("PGothic", kPGothic, false, false)) {}
TPdfPGothic::TPdfPGothic(TPdfXref& xref, std::string name, const TPdfJpFace& face)
    : TPdfJpProportionalFont(xref, std::move(name), face) {}
TPdfPGothicBold::TPdfPGothicBold(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), Face("PGothic,Bold", kPGothic, true, false)) {}
TPdfPGothicItalic::TPdfPGothicItalic(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), Face("PGothic,Italic", kPGothic, false, true)) {}
TPdfPGothicBoldItalic::TPdfPGothicBoldItalic(TPdfXref& xref, std::string name)
    : TPdfPGothic(xref, std::move(name), Face("PGothic,BoldItalic", kPGothic, true, true)) {}

TPdfPMincyo::TPdfPMincyo(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), Face("PMincyo", kPMincyo, false, false)) {}
TPdfPMincyo::TPdfPMincyo(TPdfXref& xref, std::string name, const TPdfJpFace& face)
    : TPdfJpProportionalFont(xref, std::move(name), face) {}
TPdfPMincyoBold::TPdfPMincyoBold(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), Face("PMincyo,Bold", kPMincyo, true, false)) {}
TPdfPMincyoItalic::TPdfPMincyoItalic(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), Face("PMincyo,Italic", kPMincyo, false, true)) {}
TPdfPMincyoBoldItalic::TPdfPMincyoBoldItalic(TPdfXref& xref, std::string name)
    : TPdfPMincyo(xref, std::move(name), Face("PMincyo,BoldItalic", kPMincyo, true, true)) {}

void RegisterJpFonts(TPdfClassRegistry& registry) {
  registry.RegisterClass("Gothic", FontClass<TPdfGothic>());
  registry.RegisterClass("GothicV", FontClass<TPdfGothicV>());
  registry.RegisterClass("Gothic,Bold", FontClass<TPdfGothicBold>());
  registry.RegisterClass("Gothic,Italic", FontClass<TPdfGothicItalic>());
  registry.RegisterClass("Gothic,BoldItalic", FontClass<TPdfGothicBoldItalic>());
  registry.RegisterClass("Mincyo", FontClass<TPdfMincyo>());
  registry.RegisterClass("MincyoV", FontClass<TPdfMincyoV>());
  registry.RegisterClass("Mincyo,Bold", FontClass<TPdfMincyoBold>());
  registry.RegisterClass("Mincyo,Italic", FontClass<TPdfMincyoItalic>());
  registry.RegisterClass("Mincyo,BoldItalic", FontClass<TPdfMincyoBoldItalic>());
  registry.RegisterClass("PGothic", FontClass<TPdfPGothic>());
  registry.RegisterClass("PGothic,Bold", FontClass<TPdfPGothicBold>());
  registry.RegisterClass("PGothic,Italic", FontClass<TPdfPGothicItalic>());
  registry.RegisterClass("PGothic,BoldItalic", FontClass<TPdfPGothicBoldItalic>());
  registry.RegisterClass("PMincyo", FontClass<TPdfPMincyo>());
  registry.RegisterClass("PMincyo,Bold", FontClass<TPdfPMincyoBold>());
  registry.RegisterClass("PMincyo,Italic", FontClass<TPdfPMincyoItalic>());
  registry.RegisterClass("PMincyo,BoldItalic", FontClass<TPdfPMincyoBoldItalic>());
}

}  // namespace kyrovane
