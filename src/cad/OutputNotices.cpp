#include "cad/OutputNotices.h"

#include <algorithm>

namespace kyrovane {

void TCad_OutputNotices::AddPictureLeftOut(const std::string& APath) {
  if (std::find(PicturesLeftOut.begin(), PicturesLeftOut.end(), APath) == PicturesLeftOut.end()) {
    PicturesLeftOut.push_back(APath);
  }
}

}  // namespace kyrovane
