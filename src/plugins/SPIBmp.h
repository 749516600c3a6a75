#pragma once

// The picture classes that decode through the picture plug-ins. TSPIGraphic holds the bitmap
// a decoder hands over; TSPIBitmap is the one the rest of the program uses: it loads a file
// either as a plain BMP file or through the plug-ins and keeps the result as an ordinary
// bitmap, with nothing of the plug-in left.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "pdf/picture/Bitmap.h"
#include "plugins/SPISources.h"

namespace kyrovane {

class TSPIGraphic : public TGraphic {
 public:
  TSPIGraphic();
  ~TSPIGraphic() override;

  int Width() const override;
  int Height() const override;  // as the plug-in stored it: negative for rows from the top
  bool Empty() const override;

  // Decode through the plug-ins; EInvalidGraphic "Susie Plugins could not decode" when none
  // does. A file is read as ReadPictureFile reads it, and the plug-ins get its bytes. A stream
  // without a name offers no extension to choose the decoders by.
  void LoadFromFile(const std::filesystem::path& AFileName) override;
  void LoadFromStream(std::string_view ABytes) override;
  void LoadFromStreamWithName(std::string_view ABytes, const std::string& AFileName);

  // Hands the picture over as a BMP file image; the graphic is empty afterwards.
  std::string ReleaseToBmp();

  TProgressEvent OnProgress;

 private:
  void LoadBySPIs(std::unique_ptr<TInSPIAbleData> ASource);

  std::unique_ptr<TInSPIAbleData> source_;
};

class TSPIBitmap : public TBitmap {
 public:
  // A ".bmp" file is read as a plain BMP file first, and through the plug-ins when that fails;
  // any other file the other way round. EInvalidGraphic when neither reads it, or when the
  // file cannot be read (ReadPictureFile).
  void LoadFromFile(const std::filesystem::path& AFileName) override;
  // Data without a name: through the plug-ins first.
  void LoadFromStream(std::string_view ABytes) override;
  void LoadFromStreamWithName(std::string_view ABytes, const std::string& AFileName);

  // Takes the loaded picture over; EInvalidGraphic "Susie Plugins could not decode" for none.
  void LoadFromSPI(std::unique_ptr<TGraphic> AGraphic);

  // Every report of the plug-ins' decoding, and "Loaded Graphic" at the end of each load.
  TProgressEvent OnProgress;

 private:
  template <class LoadPlain, class LoadThroughPlugins>
  void LoadEither(bool APlainFirst, LoadPlain ALoadPlain, LoadThroughPlugins ALoadThroughPlugins);
};

// The plug-in bitmap class, as the picture registry keeps it.
std::unique_ptr<TGraphic> CreateSPIBitmap();

// Loads a picture file through TSPIBitmap, one picture at a time in the whole process, as
// the plug-ins expect. EInvalidGraphic when it cannot.
TBitmap LoadSPIBitmap(const std::filesystem::path& AFileName);

}  // namespace kyrovane
