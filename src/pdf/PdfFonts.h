#pragma once

// Fonts: a font dictionary of the document together with the widths of its characters. The
// twelve standard Type1 fonts are named after the faces they stand for ("Arial" writes
// Helvetica) and use WinAnsiEncoding; no font program is embedded.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pdf/PdfWrappers.h"

namespace kyrovane {

class TPdfClassRegistry;
class TPdfXref;

class TPdfFont : public TPdfDictionaryWrapper {
 public:
  // Every font class is constructed with (cross-reference table, registered name).
  TPdfFont(TPdfXref& xref, std::string name);

  // The name the font was created under, for example "Arial".
  const std::string& Name() const { return name_; }

  // Width of the character at byte index `pos` (0-based) of the text, in thousandths of the
  // font size. The base font measures nothing.
  virtual int GetCharWidth(std::string_view text, std::size_t pos) const;

  // A blank written as a move of its advance instead of as its glyph, for faces whose blank
  // glyph some readers cannot find: the advance in thousandths of the font size along the
  // writing direction, which runs downwards for vertical writing.
  struct TBlankMove {
    int Advance;
    bool Vertical;
  };
  // The move of the font's blanks; nothing when blanks are written as glyphs (the base font).
  virtual std::optional<TBlankMove> BlankMove() const;

  // The text as it goes onto the page: every character the font cannot show replaced by one it
  // can, of the same byte length. The base font shows every byte.
  virtual std::string ShowableText(std::string_view text) const;

 private:
  std::string name_;
};

// Advance widths of the character codes 32 to 255.
using TType1WidthTable = std::array<int, 224>;

class TPdfType1Font : public TPdfFont {
 public:
  // Reads "MissingWidth", "FirstChar", "LastChar" and the internal "Widths" array.
  void SetData(TPdfDictionary* data) override;
  int GetCharWidth(std::string_view text, std::size_t pos) const override;

 protected:
  // Registers the font dictionary with the table and binds it.
  TPdfType1Font(TPdfXref& xref, std::string name, std::string_view baseFont,
                const TType1WidthTable& widths);

 private:
  std::uint8_t firstChar_ = 0;
  std::uint8_t lastChar_ = 0;
  std::array<long double, 256> widths_{};
};

class TPdfFixedWidth : public TPdfType1Font {
 public:
  TPdfFixedWidth(TPdfXref& xref, std::string name);
};
class TPdfFixedWidthBold : public TPdfType1Font {
 public:
  TPdfFixedWidthBold(TPdfXref& xref, std::string name);
};
class TPdfFixedWidthItalic : public TPdfType1Font {
 public:
  TPdfFixedWidthItalic(TPdfXref& xref, std::string name);
};
class TPdfFixedWidthBoldItalic : public TPdfType1Font {
 public:
  TPdfFixedWidthBoldItalic(TPdfXref& xref, std::string name);
};
class TPdfArial : public TPdfType1Font {
 public:
  TPdfArial(TPdfXref& xref, std::string name);
};
class TPdfArialBold : public TPdfType1Font {
 public:
  TPdfArialBold(TPdfXref& xref, std::string name);
};
class TPdfArialItalic : public TPdfType1Font {
 public:
  TPdfArialItalic(TPdfXref& xref, std::string name);
};
class TPdfArialBoldItalic : public TPdfType1Font {
 public:
  TPdfArialBoldItalic(TPdfXref& xref, std::string name);
};
class TPdfTimesRoman : public TPdfType1Font {
 public:
  TPdfTimesRoman(TPdfXref& xref, std::string name);
};
class TPdfTimesBold : public TPdfType1Font {
 public:
  TPdfTimesBold(TPdfXref& xref, std::string name);
};
class TPdfTimesItalic : public TPdfType1Font {
 public:
  TPdfTimesItalic(TPdfXref& xref, std::string name);
};
class TPdfTimesBoldItalic : public TPdfType1Font {
 public:
  TPdfTimesBoldItalic(TPdfXref& xref, std::string name);
};

// Registers the twelve classes under "FixedWidth", "Arial", "Times-Roman" and their styles.
void RegisterType1Fonts(TPdfClassRegistry& registry);

}  // namespace kyrovane
