// Pictures: texts "^@BM" + path + "," + width + "," + height place a picture file.

#include <filesystem>

#include "cad/CadImage.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"

namespace kyrovane::jwwbuild {

void TJwwBuilder::AddPicture(const jwwunit::CDataMoji& rec, const TPictureText& picture,
                             const TTarget& target) {
  TCad_Image& image = head_.SolidsFirst != 0
                          ? Adopt(target, TCad_Image::CreatePass2(nullptr, *target.Layer))
                          : Create<TCad_Image>(target);
  image.Angle = DirectionAngle(rec.StartX, rec.StartY, rec.EndX, rec.EndY);
  image.Width = picture.Width;
  image.Height = picture.Height;
  image.Resample = env_.PictureCompression ? 1 : 0;
  // A relative path is the drawing's folder's.
  image.LoadFromFile(picture.Path, std::filesystem::path(context_.CurrentFileName).parent_path());
  image.Position = At(rec.StartX, rec.StartY, target.Offset);
}

}  // namespace kyrovane::jwwbuild
