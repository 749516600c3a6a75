#include "plugins/SPISources.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace kyrovane {
namespace {

// The bytes every decoder is shown: 2048 from wherever it is tried, 128 bytes in at most.
constexpr std::size_t kHeaderSize = 2048 + 128;

// The source whose decoding runs on this thread: a plug-in's progress report counts only
// when it names that source, whatever value the plug-in hands back.
thread_local TInSPIAbleData* decoding = nullptr;

class TDecodingScope {
 public:
  explicit TDecodingScope(TInSPIAbleData* ASource) : outer_(decoding) { decoding = ASource; }
  ~TDecodingScope() { decoding = outer_; }
  TDecodingScope(const TDecodingScope&) = delete;
  TDecodingScope& operator=(const TDecodingScope&) = delete;

 private:
  TInSPIAbleData* outer_;
};

int32_t SPIProgressCallback(int32_t Num, int32_t Denom, intptr_t Data) {
  if (decoding && Data == reinterpret_cast<intptr_t>(decoding)) {
    decoding->ReportProgress(Num, Denom);
  }
  return 0;
}

std::span<const uint8_t> BlockOf(SpiHandle AHandle) {
  if (!AHandle || (!AHandle->data && AHandle->size != 0)) return {};
  return {static_cast<const uint8_t*>(AHandle->data), static_cast<std::size_t>(AHandle->size)};
}

// A block the plug-in handed over, freed the way the plug-in said.
struct TReleaseBlock {
  void operator()(SpiMemory* ABlock) const {
    if (ABlock->release) ABlock->release(ABlock);
  }
};
using TBlock = std::unique_ptr<SpiMemory, TReleaseBlock>;

}  // namespace

void TInSPIAbleData::Progress(TProgressStage AStage, int APercent,
                              const std::string& AMessage) const {
  if (OnProgress) OnProgress(AStage, APercent, AMessage);
}

void TInSPIAbleData::ReportProgress(int32_t ANum, int32_t ADenom) {
  // 2 to 99 percent, whatever the plug-in counts: no report of 0 of 0 divides by zero.
  int64_t percent = 2;
  if (ADenom > 0) percent += (int64_t{ANum} * 97 * 2 + ADenom) / (int64_t{ADenom} * 2);
  try {
    Progress(TProgressStage::psRunning, static_cast<int>(std::clamp<int64_t>(percent, 2, 99)), "");
  } catch (...) {
    // Nothing may unwind through the plug-in's code.
  }
}

void TInSPIAbleData::LoadBySPIs() {
  const TSPIs* spis = GetSPIs();
  std::vector<int64_t> offsets = {0};
  if (spis && spis->MacBinary) offsets.push_back(kMacBinaryHeader);
  Progress(TProgressStage::psStarting, 0, "Loading Graphic by Susie Plugin");
  try {
    Release();
    Progress(TProgressStage::psRunning, 1, "Seeking enabled Susie Plugins");
    std::vector<TInSPI*> candidates;
    if (spis && spis->GraphicForcedLoader) {
      candidates.push_back(spis->GraphicForcedLoader);
    } else if (spis) {
      candidates = spis->CollectSPIs<TInSPI>(FileName);
    }
    std::vector<uint8_t> header(kHeaderSize, 0);
    ReadHeader(header.data(), header.size());
    for (const TInSPI* spi : candidates) {
      for (const int64_t offset : offsets) {
        if (!HasDataAt(offset)) continue;
        Progress(TProgressStage::psRunning, 1,
                 "Loading by [" + spi->FileName.filename().string() + "]");
        TrySPI(*spi, header.data(), offset);
        if (!Empty()) break;
      }
      if (!Empty()) break;
    }
  } catch (...) {
    Progress(TProgressStage::psEnding, 100, "Loaded Graphic by Susie Plugin");
    throw;
  }
  Progress(TProgressStage::psEnding, 100, "Loaded Graphic by Susie Plugin");
}

void TInSPIAbleData::TrySPI(const TInSPI& ASPI, const uint8_t* AHeader, int64_t AOffset) {
  if (ASPI.IsSupported(FileName.c_str(), AHeader + AOffset) == 0) return;
  // Nothing of the information decides anything; the record starts zeroed so that only a
  // handle the plug-in stored is freed.
  SpiPictureInfo info{};
  LoadInfo(ASPI, AOffset, info);
  const TBlock text(info.text);
  const TSPIs* spis = GetSPIs();
  if (spis && spis->GraphicPreview) {
    TakePicture(ASPI, AOffset, true);
    if (!Empty()) return;
  }
  TakePicture(ASPI, AOffset, false);
}

void TInSPIAbleData::TakePicture(const TInSPI& ASPI, int64_t AOffset, bool APreview) {
  SpiHandle info = nullptr;
  SpiHandle bits = nullptr;
  int32_t result = -1;
  try {
    const TDecodingScope scope(this);
    result = LoadPicture(ASPI, AOffset, APreview, info, bits);
  } catch (const ESPIInvalidAPI&) {
    // A decoder without a preview: no picture from it.
    return;
  }
  // Whatever the result, the blocks the plug-in stored are its to hand over, and freed here
  // (once each) when the picture has been copied out of them.
  const TBlock infoBlock(info);
  const TBlock bitsBlock(bits != info ? bits : nullptr);
  if (result == SPI_SUCCESS && info && bits) Dib = TakeDib(BlockOf(info), BlockOf(bits));
}

void TInSPIAbleFromStream::ReadHeader(uint8_t* ABuffer, std::size_t ASize) {
  std::copy_n(data_.data(), std::min(ASize, data_.size()), ABuffer);
}

bool TInSPIAbleFromStream::HasDataAt(int64_t AOffset) const {
  return AOffset <= static_cast<int64_t>(data_.size());
}

void TInSPIAbleFromStream::LoadInfo(const TInSPI& ASPI, int64_t AOffset, SpiPictureInfo& AInfo) {
  ASPI.GetPictureInfo(data_.data() + AOffset, static_cast<int64_t>(data_.size()) - AOffset,
                      SPI_SOURCE_MEMORY, &AInfo);
}

int32_t TInSPIAbleFromStream::LoadPicture(const TInSPI& ASPI, int64_t AOffset, bool APreview,
                                          SpiHandle& AInfo, SpiHandle& ABits) {
  const char* data = data_.data() + AOffset;
  const int64_t size = static_cast<int64_t>(data_.size()) - AOffset;
  const intptr_t self = reinterpret_cast<intptr_t>(this);
  return APreview ? ASPI.GetPreview(data, size, SPI_SOURCE_MEMORY, &AInfo, &ABits,
                                    SPIProgressCallback, self)
                  : ASPI.GetPicture(data, size, SPI_SOURCE_MEMORY, &AInfo, &ABits,
                                    SPIProgressCallback, self);
}

}  // namespace kyrovane
