#include "cad/CadImage.h"

#include <algorithm>
#include <any>
#include <cmath>
#include <string>

#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/Finite.h"
#include "pdf/PdfDoc.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

// The file name's extension from its last dot, upper-cased (ASCII), empty when it has none.
std::string UpperExtension(const std::filesystem::path& AFile) {
  const std::string name = AFile.filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext;
}

// The pixel size a bitmap of sourceW x sourceH is shrunk to when drawn on w x h points: the
// drawn size, at least one pixel each way. The drawn size may be larger than the source in one
// direction; when that would take the bitmap beyond the picture bounds, no direction grows.
struct TPixelSize {
  int Width, Height;
};
TPixelSize ResampledSize(long double w, long double h, int sourceW, int sourceH) {
  long double nw = std::max(1.0L, std::nearbyint(w));
  long double nh = std::max(1.0L, std::nearbyint(h));
  if (nw > kMaxPictureDimension || nh > kMaxPictureDimension || nw * nh > kMaxPicturePixels) {
    nw = std::min(nw, static_cast<long double>(sourceW));
    nh = std::min(nh, static_cast<long double>(sourceH));
  }
  return {static_cast<int>(nw), static_cast<int>(nh)};
}

}  // namespace

TCad_Image::TCad_Image(TCad_Object* AOwner, TCad_Layer& ALayer)
    : TCad_Entity(AOwner, ALayer), Serial(ALayer.Page.Output.ImageSerial++) {
  Pass = 1;
}

std::unique_ptr<TCad_Image> TCad_Image::CreatePass2(TCad_Object* AOwner, TCad_Layer& ALayer) {
  auto image = std::make_unique<TCad_Image>(AOwner, ALayer);
  image->Pass = 2;
  return image;
}

void TCad_Image::LoadFromFile(std::string_view AFileName,
                              const std::filesystem::path& ADrawingFolder) {
  FileName = AFileName;
  Path.clear();
  Jpeg.reset();
  DrawBitmap.reset();
  TCad_PictureStore& pictures = Page().Pictures;
  const std::optional<std::filesystem::path> file = pictures.Find(AFileName, ADrawingFolder);
  if (file) {
    Path = *file;
    const std::string ext = UpperExtension(Path);
    if (ext == ".JPG") {
      Jpeg = pictures.Jpeg(Path);
    } else {
      DrawBitmap = Sized(pictures.Bitmap(Path, ext != ".BMP"));
    }
  }
  if (!Jpeg && !DrawBitmap && !AFileName.empty()) {
    Page().Notices.AddPictureLeftOut(file ? file->string() : cp932::ToUtf8(AFileName));
  }
}

std::shared_ptr<const TBitmap> TCad_Image::Sized(std::shared_ptr<const TBitmap> ABitmap) {
  if (!ABitmap || Resample == 0 || ABitmap->Empty()) return ABitmap;
  const long double w = std::fabs(MmToPt(Width));
  const long double h = std::fabs(MmToPt(Height));
  if (!std::isfinite(w) || !std::isfinite(h) || (w >= ABitmap->Width() && h >= ABitmap->Height())) {
    return ABitmap;
  }
  const TPixelSize size = ResampledSize(w, h, ABitmap->Width(), ABitmap->Height());
  return Page().Pictures.Resampled(Path, ABitmap, size.Width, size.Height);
}

void TCad_Image::Draw(TCad_Insert* Insert, TPdfCanvas& /*Canvas*/, long double OffX,
                      long double OffY, std::uint8_t Pass) {
  SetParent(Insert);
  TPoint3 scale{Layer->Scale.X, Layer->Scale.Y, 0};
  if (const TCad_Insert* insert = CurrentInsert()) {
    const TPoint3 total = insert->TotalScale();
    scale = {total.X * Layer->Scale.X, total.Y * Layer->Scale.Y, 0};
  }
  if (!DrawsIn(Pass)) return;
  if (Jpeg && !Jpeg->Empty()) Place(*Jpeg, "Pdf-Jpeg", OffX, OffY, scale);
  if (DrawBitmap && !DrawBitmap->Empty()) Place(*DrawBitmap, "Pdf-Bitmap", OffX, OffY, scale);
}

void TCad_Image::Place(const TGraphic& APicture, const std::string& ACreator, long double OffX,
                       long double OffY, const TPoint3& AScale) {
  const TCad_Insert* insert = CurrentInsert();
  const long double degrees = Angle + Layer->Angle + (insert ? insert->TotalAngle() : 0);
  const long double a = cad::DegToRad(degrees);
  const TPoint3 p = TransformPoint(Position);
  const long double w = AScale.X * MmToPt(Width);
  const long double h = AScale.Y * MmToPt(Height);
  const long double x = OffX + p.X;
  const long double y = OffY + p.Y;
  // A picture without area shows nothing; its matrix would be singular.
  if (!cad::AllWritable({a, x, y, w, h}) || w == 0 || h == 0) return;

  // One image object per picture file and embedded size in each document; the path and the
  // size are joined with NUL bytes, which no path holds.
  std::string key = ACreator;
  key += '\0';
  key += Path.native();
  key += '\0';
  key += std::to_string(APicture.Width()) + 'x' + std::to_string(APicture.Height());
  const std::string name = Page().PictureNames.NameFor(key);

  TPdfDoc& doc = Printer().GetDoc();
  doc.AddXObject(name, &APicture, ACreator);
  TPdfCanvas& canvas = doc.GetCanvas();
  // The placement is undone by restoring the state: what is drawn next is drawn exactly as
  // if the picture had not been there.
  canvas.GSave();
  canvas.Concat(1, 0, 0, 1, x, y);
  canvas.Concat(std::cos(a), std::sin(a), -std::sin(a), std::cos(a), 0, 0);
  canvas.DrawXObject(name, 0, 0, w, h);
  canvas.GRestore();
}

}  // namespace kyrovane
