#pragma once

// The image creators: they turn a picture into an image object of the document. "Pdf-Bitmap"
// stores a bitmap as rows of 8-bit red, green and blue samples, deflated when the document is
// saved; "Pdf-Jpeg" embeds a JPEG picture's data unchanged, decoded by the reader.
//
// The picture reaches a creator through TPdfDoc::AddXObject as a pointer to the picture
// object (TGraphic, TBitmap or TJPEGImage, const or not); the creator takes only its own class
// and raises EPdfInvalidValue for anything else.

#include <any>
#include <memory>

#include "pdf/PdfImageCreator.h"

namespace kyrovane {

class TPdfClassRegistry;

class TPdfBitmapImage : public TPdfImageCreator {
 public:
  // "only bitmap is allowed." for another picture, "empty bitmap is not allowed." for a
  // bitmap without pixels.
  std::unique_ptr<TPdfXObject> CreateImage(TPdfObjectMgr& objectMgr,
                                           const std::any& picture) override;
};

class TPdfJpegImage : public TPdfImageCreator {
 public:
  // The colour space follows the picture's components: gray, RGB or CMYK; CMYK data inverted
  // the way Adobe's programs store it gets a Decode array that inverts it back. "only jpeg
  // image is allowed." for another picture, "empty jpeg image is not allowed." for a JPEG
  // picture that holds no data.
  std::unique_ptr<TPdfXObject> CreateImage(TPdfObjectMgr& objectMgr,
                                           const std::any& picture) override;
};

// Registers "Pdf-Bitmap" and "Pdf-Jpeg".
void RegisterImageCreators(TPdfClassRegistry& registry);

}  // namespace kyrovane
