#pragma once

// The Japanese fonts: composite fonts over a CIDFontType2 font of the Adobe-Japan1 collection,
// addressed with the predefined Shift-JIS CMaps, so that text goes into the page as its CP932
// bytes. No font program is embedded: the dictionaries name the face and give its metrics,
// and the viewer substitutes a Japanese font of its own.
//
// A font is three consecutive indirect objects: the Type0 font dictionary, its descendant CID
// font and that font's descriptor. The fixed-pitch faces ("Gothic", "Mincyo" and their
// styles) use "90ms-RKSJ-H", or "90ms-RKSJ-V" for the vertical "GothicV" and "MincyoV"; the
// proportional faces ("PGothic", "PMincyo" and their styles) use "90msp-RKSJ-H".
//
// The fonts carry no ToUnicode map: readers then take each character from the collection's
// own table. mupdf 1.21 re-keys a ToUnicode map by CID and keeps only the CIDs that fall inside
// the byte code space of the font's CMap, which leaves it no character of the fixed faces and
// no double-byte character at all.

#include <string>
#include <string_view>

#include "pdf/PdfType0Font.h"

namespace kyrovane {

class TPdfClassRegistry;

// What one face writes into its descriptor, and the name it goes by ("BaseFont" and
// "FontName").
struct TPdfJpFace {
  std::string_view FontName;
  int Flags;
  int ItalicAngle;
  int StemV;
};

class TPdfJpFont : public TPdfType0Font {
 protected:
  enum class TPitch { Fixed, Proportional };

  // Registers the font dictionary, the descendant and the descriptor, in this order, and reads
  // the widths back from them.
  TPdfJpFont(TPdfXref& xref, std::string name, const TPdfJpFace& face, TPitch pitch);

  // "Flags", "ItalicAngle" and "StemV" of the face.
  void AddDescriptorItems(TPdfDictionary& descriptor) const;
  // The "W" array of the pitch.
  void AddWidthItems(TPdfDictionary& descendant) const;
  std::string_view GetFontName() const { return face_.FontName; }
  // Adds "Type", "Subtype" and "Encoding" with the CMap to the font dictionary.
  void AddEncoding(std::string_view cmap);

 private:
  TPdfJpFace face_;
  TPitch pitch_;
};

class TPdfJpFixedFont : public TPdfJpFont {
 public:
  // Blanks are moves: poppler maps the half-width blank through U+2002, which the common IPA
  // faces lack, and shows their crossed box in its place. Horizontally a blank advances by its
  // width; vertically every character advances by the full default height.
  std::optional<TBlankMove> BlankMove() const override;

 protected:
  TPdfJpFixedFont(TPdfXref& xref, std::string name, const TPdfJpFace& face);
};

class TPdfJpProportionalFont : public TPdfJpFont {
 protected:
  TPdfJpProportionalFont(TPdfXref& xref, std::string name, const TPdfJpFace& face);
};

// The fixed-pitch faces.
class TPdfGothic : public TPdfJpFixedFont {
 public:
  TPdfGothic(TPdfXref& xref, std::string name);
};
class TPdfGothicV : public TPdfJpFixedFont {
 public:
  TPdfGothicV(TPdfXref& xref, std::string name);
};
class TPdfGothicBold : public TPdfJpFixedFont {
 public:
  TPdfGothicBold(TPdfXref& xref, std::string name);
};
class TPdfGothicItalic : public TPdfJpFixedFont {
 public:
  TPdfGothicItalic(TPdfXref& xref, std::string name);
};
class TPdfGothicBoldItalic : public TPdfJpFixedFont {
 public:
  TPdfGothicBoldItalic(TPdfXref& xref, std::string name);
};
class TPdfMincyo : public TPdfJpFixedFont {
 public:
  TPdfMincyo(TPdfXref& xref, std::string name);
};
class TPdfMincyoV : public TPdfJpFixedFont {
 public:
  TPdfMincyoV(TPdfXref& xref, std::string name);
};
class TPdfMincyoBold : public TPdfJpFixedFont {
 public:
  TPdfMincyoBold(TPdfXref& xref, std::string name);
};
class TPdfMincyoItalic : public TPdfJpFixedFont {
 public:
  TPdfMincyoItalic(TPdfXref& xref, std::string name);
};
class TPdfMincyoBoldItalic : public TPdfJpFixedFont {
 public:
  TPdfMincyoBoldItalic(TPdfXref& xref, std::string name);
};

// The proportional faces: each style derives from its family's regular face.
class TPdfPGothic : public TPdfJpProportionalFont {
 public:
  TPdfPGothic(TPdfXref& xref, std::string name);

 protected:
  TPdfPGothic(TPdfXref& xref, std::string name, const TPdfJpFace& face);
};

class TPdfPMincyo : public TPdfJpProportionalFont {
 public:
  TPdfPMincyo(TPdfXref& xref, std::string name);

 protected:
  TPdfPMincyo(TPdfXref& xref, std::string name, const TPdfJpFace& face);
};

class TPdfPGothicBold : public TPdfPGothic {
 public:
  TPdfPGothicBold(TPdfXref& xref, std::string name);
};
class TPdfPGothicItalic : public TPdfPGothic {
 public:
  TPdfPGothicItalic(TPdfXref& xref, std::string name);
};
class TPdfPGothicBoldItalic : public TPdfPGothic {
 public:
  TPdfPGothicBoldItalic(TPdfXref& xref, std::string name);
};
class TPdfPMincyoBold : public TPdfPMincyo {
 public:
  TPdfPMincyoBold(TPdfXref& xref, std::string name);
};
class TPdfPMincyoItalic : public TPdfPMincyo {
 public:
  TPdfPMincyoItalic(TPdfXref& xref, std::string name);
};
class TPdfPMincyoBoldItalic : public TPdfPMincyo {
 public:
  TPdfPMincyoBoldItalic(TPdfXref& xref, std::string name);
};

// Registers the eighteen classes under their face names, "Gothic" first and
// "PMincyo,BoldItalic" last.
void RegisterJpFonts(TPdfClassRegistry& registry);

}  // namespace kyrovane
