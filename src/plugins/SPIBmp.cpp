#include "plugins/SPIBmp.h"

#include <mutex>

#include "pdf/picture/BmpReader.h"
#include "text/AsciiCase.h"

namespace kyrovane {
namespace {

const char* const kCouldNotDecode = "Susie Plugins could not decode";

}  // namespace

TSPIGraphic::TSPIGraphic() = default;
TSPIGraphic::~TSPIGraphic() = default;

int TSPIGraphic::Width() const {
  return Empty() ? 0 : source_->Dib->Width;
}

int TSPIGraphic::Height() const {
  return Empty() ? 0 : source_->Dib->Height;
}

bool TSPIGraphic::Empty() const {
  return !source_ || source_->Empty();
}

void TSPIGraphic::LoadFromFile(const std::filesystem::path& AFileName) {
  const std::string bytes = ReadPictureFile(AFileName);
  LoadFromStreamWithName(bytes, AFileName.string());
}

void TSPIGraphic::LoadFromStream(std::string_view ABytes) {
  LoadFromStreamWithName(ABytes, "");
}

void TSPIGraphic::LoadFromStreamWithName(std::string_view ABytes, const std::string& AFileName) {
  LoadBySPIs(std::make_unique<TInSPIAbleFromStream>(AFileName, ABytes));
}

void TSPIGraphic::LoadBySPIs(std::unique_ptr<TInSPIAbleData> ASource) {
  source_ = std::move(ASource);
  source_->OnProgress = OnProgress;
  source_->LoadBySPIs();
  if (source_->Empty()) throw EInvalidGraphic(kCouldNotDecode);
}

std::string TSPIGraphic::ReleaseToBmp() {
  if (Empty()) return {};
  std::string bmp = std::move(source_->Dib->Bmp);
  source_->Release();
  return bmp;
}

template <class LoadPlain, class LoadThroughPlugins>
void TSPIBitmap::LoadEither(bool APlainFirst, LoadPlain ALoadPlain,
                            LoadThroughPlugins ALoadThroughPlugins) {
  std::unique_ptr<TGraphic> taken;
  for (const bool plain : {APlainFirst, !APlainFirst}) {
    try {
      if (plain) {
        auto bitmap = std::make_unique<TBitmap>();
        ALoadPlain(*bitmap);
        taken = std::move(bitmap);
      } else {
        auto graphic = std::make_unique<TSPIGraphic>();
        graphic->OnProgress = [this](TProgressStage stage, int percent, const std::string& text) {
          if (stage != TProgressStage::psEnding && OnProgress) OnProgress(stage, percent, text);
        };
        ALoadThroughPlugins(*graphic);
        taken = std::move(graphic);
      }
      break;
    } catch (const std::exception&) {
      // The other class may read it.
    }
  }
  try {
    LoadFromSPI(std::move(taken));
  } catch (...) {
    if (OnProgress) OnProgress(TProgressStage::psEnding, 100, "Loaded Graphic");
    throw;
  }
  if (OnProgress) OnProgress(TProgressStage::psEnding, 100, "Loaded Graphic");
}

void TSPIBitmap::LoadFromFile(const std::filesystem::path& AFileName) {
  // Read once, for both classes.
  const std::string bytes = ReadPictureFile(AFileName);
  LoadFromStreamWithName(bytes, AFileName.string());
}

void TSPIBitmap::LoadFromStream(std::string_view ABytes) {
  LoadFromStreamWithName(ABytes, "");
}

void TSPIBitmap::LoadFromStreamWithName(std::string_view ABytes, const std::string& AFileName) {
  LoadEither(
      EqualIgnoringAsciiCase(std::filesystem::path(AFileName).extension().string(), ".bmp"),
      [ABytes](TBitmap& bitmap) { bitmap.LoadFromStream(ABytes); },
      [ABytes, &AFileName](TSPIGraphic& graphic) {
        graphic.LoadFromStreamWithName(ABytes, AFileName);
      });
}

void TSPIBitmap::LoadFromSPI(std::unique_ptr<TGraphic> AGraphic) {
  if (!AGraphic) throw EInvalidGraphic(kCouldNotDecode);
  if (auto* graphic = dynamic_cast<TSPIGraphic*>(AGraphic.get())) {
    const std::string bmp = graphic->ReleaseToBmp();
    AGraphic.reset();
    static_cast<TBitmap&>(*this) = ReadBmp(bmp);
  } else {
    static_cast<TBitmap&>(*this) = std::move(static_cast<TBitmap&>(*AGraphic));
  }
}

std::unique_ptr<TGraphic> CreateSPIBitmap() {
  return std::make_unique<TSPIBitmap>();
}

TBitmap LoadSPIBitmap(const std::filesystem::path& AFileName) {
  static std::mutex oneAtATime;
  std::lock_guard lock(oneAtATime);
  TSPIBitmap bitmap;
  bitmap.LoadFromFile(AFileName);
  return std::move(static_cast<TBitmap&>(bitmap));
}

}  // namespace kyrovane
