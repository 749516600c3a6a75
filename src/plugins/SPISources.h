#pragma once

// Where the decoder plug-ins read a picture from, and one attempt to decode it: the decoders
// are tried in turn, at the start of the data and, for pictures that carry a 128-byte
// MacBinary header, 128 bytes into it, until one of them hands over a picture that passes the
// checks of TakeDib. The plug-ins are always handed bytes in memory, never a file to open
// themselves: the program reads every file (see ReadPictureFile).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "plugins/DibImage.h"
#include "plugins/SPIs.h"

namespace kyrovane {

enum class TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent =
    std::function<void(TProgressStage AStage, int APercentDone, const std::string& AMessage)>;

class TInSPIAbleData {
 public:
  explicit TInSPIAbleData(std::string AFileName) : FileName(std::move(AFileName)) {}
  virtual ~TInSPIAbleData() = default;
  TInSPIAbleData(const TInSPIAbleData&) = delete;
  TInSPIAbleData& operator=(const TInSPIAbleData&) = delete;

  // Tries the decoders of the plug-in manager: the forced one alone when it is set, otherwise
  // every decoder, those whose filters name the file's extension first. Leaves the picture of
  // the first that decodes it, or none.
  void LoadBySPIs();
  bool Empty() const { return !Dib; }
  void Release() { Dib.reset(); }

  std::string FileName;  // the picture's name; may be empty for data in memory
  std::optional<TDibImage> Dib;
  TProgressEvent OnProgress;

  // What the decoders report while they decode: a running report of 2 to 99 percent.
  void ReportProgress(int32_t ANum, int32_t ADenom);

 protected:
  static constexpr int64_t kMacBinaryHeader = 128;
  // The first bytes of the picture into ABuffer (zeros where there are none).
  virtual void ReadHeader(uint8_t* ABuffer, std::size_t ASize) = 0;
  // False when the data ends before AOffset: nothing to offer a decoder there.
  virtual bool HasDataAt(int64_t AOffset) const = 0;
  virtual void LoadInfo(const TInSPI& ASPI, int64_t AOffset, SpiPictureInfo& AInfo) = 0;
  // GetPreview (APreview) or GetPicture from AOffset on; the plug-in's result.
  virtual int32_t LoadPicture(const TInSPI& ASPI, int64_t AOffset, bool APreview, SpiHandle& AInfo,
                              SpiHandle& ABits) = 0;

 private:
  void Progress(TProgressStage AStage, int APercent, const std::string& AMessage) const;
  void TrySPI(const TInSPI& ASPI, const uint8_t* AHeader, int64_t AOffset);
  void TakePicture(const TInSPI& ASPI, int64_t AOffset, bool APreview);
};

// The plug-ins get the bytes, which must stay valid while LoadBySPIs runs.
class TInSPIAbleFromStream : public TInSPIAbleData {
 public:
  TInSPIAbleFromStream(std::string AFileName, std::string_view AData)
      : TInSPIAbleData(std::move(AFileName)), data_(AData) {}

 protected:
  void ReadHeader(uint8_t* ABuffer, std::size_t ASize) override;
  bool HasDataAt(int64_t AOffset) const override;
  void LoadInfo(const TInSPI& ASPI, int64_t AOffset, SpiPictureInfo& AInfo) override;
  int32_t LoadPicture(const TInSPI& ASPI, int64_t AOffset, bool APreview, SpiHandle& AInfo,
                      SpiHandle& ABits) override;

 private:
  std::string_view data_;
};

}  // namespace kyrovane
