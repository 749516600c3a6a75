#pragma once

// What the drawing of a document had to leave out, for the conversion to tell the user.

#include <string>
#include <vector>

namespace kyrovane {

struct TCad_OutputNotices {
  // Inserts not drawn: a block within itself, a chain of inserts deeper than the model draws,
  // or blocks fanning out beyond what one pass draws. Each insert counts once.
  int CutInserts = 0;
  // Pictures that could not be read or decoded, or not kept within the memory that pictures
  // may hold: their paths in UTF-8, each once.
  std::vector<std::string> PicturesLeftOut;

  void AddPictureLeftOut(const std::string& APath);
};

}  // namespace kyrovane
