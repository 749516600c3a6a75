#pragma once

// Base of the classes that turn a picture into an image object; they are registered by name
// in the class registry and created by the document for each new picture.

#include <any>
#include <memory>

#include "pdf/PdfTypes.h"

namespace kyrovane {

class TPdfImageCreator {
 public:
  virtual ~TPdfImageCreator() = default;
  // A new direct image object made from the picture, or nullptr when this creator makes none.
  // The picture is passed as it is; each creator accepts the picture classes it knows.
  virtual std::unique_ptr<TPdfXObject> CreateImage(TPdfObjectMgr& /*objectMgr*/,
                                                   const std::any& /*picture*/) {
    return nullptr;
  }
};

}  // namespace kyrovane
