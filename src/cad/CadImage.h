#pragma once

// A raster picture that a drawing names by file: placed with its lower-left corner at a model
// point, drawn at a size in millimetres and turned by an angle. BMP files are read directly,
// ".JPG" files are embedded as they are, other formats go through the picture plug-ins.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "cad/CadEntity.h"
#include "pdf/picture/Bitmap.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane {

class TCad_Image : public TCad_Entity {
 public:
  TCad_Image(TCad_Object* AOwner, TCad_Layer& ALayer);
  // A picture drawn in pass 2, under the ordinary entities.
  static std::unique_ptr<TCad_Image> CreatePass2(TCad_Object* AOwner, TCad_Layer& ALayer);

  // Loads the picture that a drawing names AFileName (CP932 bytes, a Windows path as the
  // drawing holds it; relative paths and pictures not found as written are looked up in
  // ADrawingFolder, see FindPictureFile). Set Width, Height and Resample first: with Resample
  // on, a bitmap with more pixels than the points it is drawn on is shrunk to its drawn size.
  // The picture comes from the page's picture store, shared with the other images that place
  // it. A picture that is missing, cannot be read or decoded, or is not kept within the
  // store's memory bound leaves the image empty and is named in the page's notices; an empty
  // image draws nothing, and nothing is raised.
  void LoadFromFile(std::string_view AFileName, const std::filesystem::path& ADrawingFolder = {});

  // Places the picture on the document's page canvas, between q and Q. No page test.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  TPoint3 Position;  // lower-left corner before rotation, millimetres
  // The data of a ".JPG" file, embedded unchanged; null when there is none.
  std::shared_ptr<const TJPEGImage> Jpeg;
  // The bitmap as embedded: the picture as loaded, or its resampled version; null when none.
  std::shared_ptr<const TBitmap> DrawBitmap;
  long double Height = 0;      // millimetres
  long double Width = 0;       // millimetres
  std::string FileName;        // as passed to LoadFromFile
  std::filesystem::path Path;  // the file found for FileName; empty when none
  int Serial;                  // the page's ImageSerial when the image was made
  long double Angle = 0;       // degrees
  std::uint8_t Resample = 0;   // non-zero: shrink to the drawn size when loading

 private:
  // The embedded bitmap of a decoded picture: itself, or shrunk to the drawn size.
  std::shared_ptr<const TBitmap> Sized(std::shared_ptr<const TBitmap> ABitmap);
  void Place(const TGraphic& APicture, const std::string& ACreator, long double OffX,
             long double OffY, const TPoint3& AScale);
};

}  // namespace kyrovane
