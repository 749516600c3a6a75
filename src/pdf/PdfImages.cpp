#include "pdf/PdfImages.h"

#include <string_view>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfTypes.h"
#include "pdf/picture/Bitmap.h"
#include "pdf/picture/Graphic.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane {
namespace {

// The picture a pointer in the std::any points to, or nullptr.
const TGraphic* PictureOf(const std::any& picture) {
  if (auto p = std::any_cast<const TGraphic*>(&picture)) return *p;
  if (auto p = std::any_cast<TGraphic*>(&picture)) return *p;
  if (auto p = std::any_cast<const TBitmap*>(&picture)) return *p;
  if (auto p = std::any_cast<TBitmap*>(&picture)) return *p;
  if (auto p = std::any_cast<const TJPEGImage*>(&picture)) return *p;
  if (auto p = std::any_cast<TJPEGImage*>(&picture)) return *p;
  return nullptr;
}

std::unique_ptr<TPdfXObject> NewImage(TPdfObjectMgr& objectMgr) {
  auto image = std::make_unique<TPdfXObject>(&objectMgr);
  image->Attributes().AddNameItem("Type", "XObject");
  image->Attributes().AddNameItem("Subtype", "Image");
  return image;
}

void AddFilter(TPdfXObject& image, std::string_view filter) {
  image.Attributes().PdfArrayByName("Filter")->AddItem(
      std::make_unique<TPdfName>(std::string(filter)));
}

std::string_view ColorSpaceName(TJpegColorSpace colorSpace) {
  switch (colorSpace) {
    case TJpegColorSpace::Gray:
      return "DeviceGray";
    case TJpegColorSpace::CMYK:
      return "DeviceCMYK";
    case TJpegColorSpace::RGB:
      break;
  }
  return "DeviceRGB";
}

}  // namespace

std::unique_ptr<TPdfXObject> TPdfBitmapImage::CreateImage(TPdfObjectMgr& objectMgr,
                                                          const std::any& picture) {
  const auto* bitmap = dynamic_cast<const TBitmap*>(PictureOf(picture));
  if (!bitmap) throw EPdfInvalidValue("only bitmap is allowed.");
  if (bitmap->Empty()) throw EPdfInvalidValue("empty bitmap is not allowed.");

  auto image = NewImage(objectMgr);
  TPdfDictionary& attributes = image->Attributes();
  attributes.AddNumberItem("Width", 0);
  attributes.AddNumberItem("Height", 0);
  attributes.AddNumberItem("BitsPerComponent", 0);
  attributes.AddNameItem("ColorSpace", "DeviceRGB");

  // Compressed while the rows are written. Bitmap rows are already red, green, blue without
  // padding: one write per row.
  image->SetFlateDecode();
  const auto rowSize = static_cast<std::size_t>(bitmap->Width()) * 3;
  for (int y = 0; y < bitmap->Height(); ++y) {
    image->Data().Write({reinterpret_cast<const char*>(bitmap->ScanLine(y)), rowSize});
  }

  attributes.PdfNumberByName("Width")->SetValue(bitmap->Width());
  attributes.PdfNumberByName("Height")->SetValue(bitmap->Height());
  attributes.PdfNumberByName("BitsPerComponent")->SetValue(8);
  return image;
}

std::unique_ptr<TPdfXObject> TPdfJpegImage::CreateImage(TPdfObjectMgr& objectMgr,
                                                        const std::any& picture) {
  const auto* jpeg = dynamic_cast<const TJPEGImage*>(PictureOf(picture));
  if (!jpeg) throw EPdfInvalidValue("only jpeg image is allowed.");
  if (jpeg->Empty()) throw EPdfInvalidValue("empty jpeg image is not allowed.");

  auto image = NewImage(objectMgr);
  image->Data().Write(jpeg->Data());
  const TJpegInfo& info = jpeg->Info();
  TPdfDictionary& attributes = image->Attributes();
  attributes.AddNameItem("ColorSpace", ColorSpaceName(info.ColorSpace));
  attributes.AddNumberItem("Width", info.Width);
  attributes.AddNumberItem("Height", info.Height);
  attributes.AddNumberItem("BitsPerComponent", 8);
  if (info.AdobeInverted) {
    attributes.AddItem("Decode", TPdfArray::CreateNumArray(&objectMgr, {1, 0, 1, 0, 1, 0, 1, 0}));
  }
  AddFilter(*image, "DCTDecode");
  return image;
}

void RegisterImageCreators(TPdfClassRegistry& registry) {
  registry.RegisterClass("Pdf-Bitmap", ImageCreatorClass<TPdfBitmapImage>());
  registry.RegisterClass("Pdf-Jpeg", ImageCreatorClass<TPdfJpegImage>());
}

}  // namespace kyrovane
