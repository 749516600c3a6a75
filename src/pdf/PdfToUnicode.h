#pragma once

// The ToUnicode map of a Japanese font. Without one, readers find the Unicode characters of a
// text through the character collection's table, which gives "-" as U+2011 and a blank as
// U+00A0, so that copying and searching miss the drawing's own characters. This map sends
// every code that was shown with the font to the character code page 932 gives it.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfTypes.h"

namespace kyrovane {

class TPdfToUnicodeCMap : public TPdfStream {
 public:
  explicit TPdfToUnicodeCMap(TPdfObjectMgr* objectMgr);

  // Notes the characters of a CP932 text shown with the font.
  void AddText(std::string_view text);

  // The CMap of the characters noted so far, as it goes into the stream.
  std::string CMapText() const;

 protected:
  // The map is made when the file is written, from the characters shown until then.
  void InternalWriteStream(std::ostream& stream) override;

 private:
  std::vector<bool> shown_;  // by code: a byte, or lead byte * 256 + trail byte
};

}  // namespace kyrovane
