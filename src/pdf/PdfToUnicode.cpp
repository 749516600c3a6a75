#include "pdf/PdfToUnicode.h"

#include <cstdio>

#include "pdf/ZLibEx.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

// The code space of the Shift-JIS CMaps the fonts use.
constexpr std::string_view kHeader =
    "/CIDInit /ProcSet findresource begin\n"
    "12 dict begin\n"
    "begincmap\n"
    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
    "/CMapName /90ms-RKSJ-UCS2 def\n"
    "/CMapType 2 def\n"
    "4 begincodespacerange\n"
    "<00> <80>\n"
    "<8140> <9FFC>\n"
    "<A0> <DF>\n"
    "<E040> <FCFC>\n"
    "endcodespacerange\n";
constexpr std::string_view kTrailer =
    "endcmap\n"
    "CMapName currentdict /CMap defineresource pop\n"
    "end\n"
    "end\n";

// Readers take at most 100 entries in one block.
constexpr int kBlockSize = 100;

bool InCodeSpace(unsigned code) {
  return (code >= 0x20 && code <= 0x80) || (code >= 0xA0 && code <= 0xDF) ||
         (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xFCFC);
}

std::string CodeBytes(unsigned code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string Hex(unsigned code) {
  char text[8];
  std::snprintf(text, sizeof text, code < 0x100 ? "<%02X>" : "<%04X>", code);
  return text;
}

}  // namespace

TPdfToUnicodeCMap::TPdfToUnicodeCMap(TPdfObjectMgr* objectMgr)
    : TPdfStream(objectMgr), shown_(0x10000) {
  Attributes().PdfArrayByName("Filter")->AddItem(std::make_unique<TPdfName>("FlateDecode"));
}

void TPdfToUnicodeCMap::AddText(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += cp932::CharLength(text, pos)) {
    const auto first = static_cast<unsigned char>(text[pos]);
    shown_[cp932::CharLength(text, pos) == 2
               ? first * 256u + static_cast<unsigned char>(text[pos + 1])
               : first] = true;
  }
}

std::string TPdfToUnicodeCMap::CMapText() const {
  std::vector<std::string> entries;
  for (unsigned code = 0; code < shown_.size(); ++code) {
    if (!shown_[code] || !InCodeSpace(code)) continue;
    const std::u16string unicode = cp932::ToUtf16(CodeBytes(code));
    if (unicode.size() != 1) continue;
    char destination[8];
    std::snprintf(destination, sizeof destination, "<%04X>", static_cast<unsigned>(unicode[0]));
    entries.push_back(Hex(code) + ' ' + destination + '\n');
  }
  std::string text(kHeader);
  for (std::size_t first = 0; first < entries.size(); first += kBlockSize) {
    const std::size_t count = std::min<std::size_t>(kBlockSize, entries.size() - first);
    text += std::to_string(count) + " beginbfchar\n";
    for (std::size_t i = first; i < first + count; ++i) text += entries[i];
    text += "endbfchar\n";
  }
  text += kTrailer;
  return text;
}

void TPdfToUnicodeCMap::InternalWriteStream(std::ostream& stream) {
  const std::string text = CMapText();
  std::size_t read = 0;
  std::string encoded;
  ZCompressStream(
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, text.size() - read);
        text.copy(buffer, n, read);
        read += n;
        return n;
      },
      [&](const char* bytes, std::size_t size) { encoded.append(bytes, size); }, zcMax);
  WriteEncoded(stream, encoded);
}

}  // namespace kyrovane
