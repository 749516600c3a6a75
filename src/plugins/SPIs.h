#pragma once

// The picture plug-ins (see SpiPlugin.h for what a plug-in is). TSPI wraps one loaded plug-in,
// with a class for each kind of plug-in; TSPIs finds the plug-ins in their folders once at
// start, keeps them loaded and registers the picture formats of the decoders.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "plugins/PictureRegistry.h"
#include "plugins/SpiPlugin.h"

namespace kyrovane {

// A plug-in file that cannot be loaded.
class ESPIFOpenErrorSPI : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// A plug-in that lacks an entry point its kind requires, or one that is called.
class ESPIInvalidAPI : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// A second plug-in manager.
class ESPIDupCreateSPIs : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One loaded plug-in of any kind; the kinds below add the entry points they require.
class TSPI {
 public:
  // Loads the plug-in and reads its information. Throws ESPIFOpenErrorSPI when the file
  // cannot be loaded and ESPIInvalidAPI when it lacks GetPluginInfo.
  explicit TSPI(const std::filesystem::path& AFileName) : TSPI(AFileName, {}) {}
  virtual ~TSPI();
  TSPI(const TSPI&) = delete;
  TSPI& operator=(const TSPI&) = delete;

  // The entry point, called through its check (ESPIInvalidAPI when missing); its result.
  int32_t GetPluginInfo(int32_t InfoNo, char* Buf, int32_t BufLen) const;

  // True when one of the filters has the extension of AFileName (the extension of a filter
  // entry is that of its last pattern; ASCII case ignored; no extension matches nothing).
  bool FiltersExtensionOf(const std::filesystem::path& AFileName) const;

  std::filesystem::path FileName;    // the plug-in file, with links and dots resolved
  std::string APIVersion;            // information 0, as "00IN"
  std::string Description;           // information 1
  std::vector<std::string> Filters;  // file patterns, as "*.abc" or "*.abc;*.abd"
  std::vector<std::string> Names;    // the format name of each filter entry

 protected:
  // The entry points, in the order they are looked up.
  enum TEntry {
    eGetPluginInfo,
    eConfigurationDlg,
    eIsSupported,
    eGetPictureInfo,
    eGetPicture,
    eGetPreview,
    eGetArchiveInfo,
    eGetFileInfo,
    eGetFile,
    kEntryCount
  };
  using TEntries = std::vector<TEntry>;
  // Loads the plug-in, which must export GetPluginInfo and every entry point of ARequired.
  TSPI(const std::filesystem::path& AFileName, const TEntries& ARequired);

  // The entry point as a function of the type `F`; ESPIInvalidAPI when it is missing.
  template <class F>
  F Entry(TEntry AEntry) const {
    CheckAPI(AEntry);
    return reinterpret_cast<F>(entries_[AEntry]);
  }

 private:
  struct TModuleCloser {
    void operator()(void* module) const;
  };
  void CheckAPI(TEntry AEntry) const;
  void ReadInformation();

  std::unique_ptr<void, TModuleCloser> module_;
  std::array<void*, kEntryCount> entries_{};
};

// A plug-in that looks at files: a picture decoder or an archive.
class TLoaderSPI : public TSPI {
 public:
  int32_t IsSupported(const char* AFileName, const void* AHeader) const;

 protected:
  TLoaderSPI(const std::filesystem::path& AFileName, TEntries ARequired);

 private:
  static TEntries WithIsSupported(TEntries ARequired);
};

// A picture decoder ("00IN").
class TInSPI : public TLoaderSPI {
 public:
  explicit TInSPI(const std::filesystem::path& AFileName);
  int32_t GetPictureInfo(const char* Buf, int64_t Len, uint32_t Flag, SpiPictureInfo* Info) const;
  int32_t GetPicture(const char* Buf, int64_t Len, uint32_t Flag, SpiHandle* Info, SpiHandle* Bits,
                     SpiProgressCallback Progress, intptr_t Data) const;
  int32_t GetPreview(const char* Buf, int64_t Len, uint32_t Flag, SpiHandle* Info, SpiHandle* Bits,
                     SpiProgressCallback Progress, intptr_t Data) const;
};

// An archive ("00AM"): kept, but never used for pictures.
class TAmSPI : public TLoaderSPI {
 public:
  explicit TAmSPI(const std::filesystem::path& AFileName);
};

// An extension plug-in ("00XN"): kept, nothing of it is called.
class TXnSPI : public TSPI {
 public:
  explicit TXnSPI(const std::filesystem::path& AFileName) : TSPI(AFileName) {}
};

// Loads the plug-in as the class its kind asks for; none when the file cannot be loaded or
// lacks an entry point that class requires.
std::unique_ptr<TSPI> CreateSPI(const std::filesystem::path& AFileName);

// The folders TSPIs::Search looks in, in this order.
enum TSPISearchOption : unsigned {
  spsSusieDir = 1u << 0,    // the folder of the registry value (see SpiPlugin.h)
  spsAppDir = 1u << 1,      // the program's folder
  spsCurrentDir = 1u << 2,  // the current folder
};

// A plug-in file that a search found and did not load, and why, in words for the user.
struct TPassedOverSPI {
  std::filesystem::path FileName;
  std::string Reason;
};

// The one plug-in manager of the program.
class TSPIs {
 public:
  // Throws ESPIDupCreateSPIs when another one exists.
  TSPIs();
  ~TSPIs();
  TSPIs(const TSPIs&) = delete;
  TSPIs& operator=(const TSPIs&) = delete;

  // What the program calls once it has set the manager up: searches "*.spi" when AutoSearch.
  void Loaded();

  int Count() const { return static_cast<int>(list_.size()); }
  TSPI& Items(int I) const { return *list_.at(static_cast<std::size_t>(I)); }
  // The index of the plug-in loaded from that file (links and dots resolved), or -1.
  int IndexOfFileName(const std::filesystem::path& AName) const;
  void Delete(int I);
  void Clear();

  // Adds at the end, or at Index; a picture decoder's formats are registered.
  void Add(std::unique_ptr<TSPI> ASPI);
  void AddSPI(int Index, std::unique_ptr<TSPI> ASPI);

  // The plug-ins of class T in list order, those whose filters name the extension of
  // AFileName moved to the front (the last of them first).
  template <class T>
  std::vector<T*> CollectSPIs(const std::filesystem::path& AFileName) const {
    std::vector<T*> found;
    for (const std::unique_ptr<TSPI>& spi : list_) {
      T* match = dynamic_cast<T*>(spi.get());
      if (!match) continue;
      if (spi->FiltersExtensionOf(AFileName)) {
        found.insert(found.begin(), match);
      } else {
        found.push_back(match);
      }
    }
    return found;
  }

  // Loads the plug-ins that Mask names: in the folder of Mask when it has one, otherwise in
  // the folders of SearchOptions. A file already loaded, under whatever name and in whatever
  // folder, is not loaded again; files that are no plug-in are passed over. A plug-in runs
  // inside the program, so one that someone else than the user and root could have changed
  // (see UntrustedReason) is not loaded and is added to PassedOver.
  void Search(const std::string& Mask);
  void SearchFolder(const std::filesystem::path& Folder, const std::string& Mask);

  // The class that picture decoders' formats are registered with; the plug-in bitmap class
  // unless set otherwise.
  static void SetGraphicClass(TGraphicClass AClass);
  static TGraphicClass GraphicClass();

  // The plug-ins that searches did not load for the reason above, in the order found.
  std::vector<TPassedOverSPI> PassedOver;

  unsigned SearchOptions = spsSusieDir | spsAppDir;
  bool AutoSearch = true;
  bool MacBinary = true;                  // also try every decoder 128 bytes into the file
  bool GraphicPreview = false;            // ask for the preview first
  TInSPI* GraphicForcedLoader = nullptr;  // when set, the only decoder tried

  // Before a file is loaded; clearing Accept skips it.
  std::function<void(const std::filesystem::path& AFileName, bool& Accept)> OnSearching;
  // After a plug-in is loaded; clearing Accept unloads it.
  std::function<void(TSPI& ASPI, bool& Accept)> OnSearch;
  // Before a format is registered; clearing the class skips it, changing it registers another.
  std::function<void(TSPI& ASPI, const std::string& AExtension, const std::string& ADescription,
                     TGraphicClass& AGraphicClass)>
      OnPictureRegister;

 private:
  void RegisterFormats(TSPI& ASPI);

  std::vector<std::unique_ptr<TSPI>> list_;
};

// The plug-in manager, or none.
TSPIs* GetSPIs();

}  // namespace kyrovane
