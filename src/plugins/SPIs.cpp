#include "plugins/SPIs.h"

#include <dlfcn.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <set>
#include <sstream>

#include "files/RegularFile.h"
#include "plugins/KeyValueFile.h"
#include "plugins/PluginTrust.h"
#include "plugins/SPIBmp.h"
#include "plugins/UserPaths.h"
#include "text/AsciiCase.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryNames[] = {
    "GetPluginInfo", "ConfigurationDlg", "IsSupported", "GetPictureInfo", "GetPicture",
    "GetPreview",    "GetArchiveInfo",   "GetFileInfo", "GetFile",
};

// The registry value that names the folder of the user's plug-ins.
constexpr const char* kPluginFolderValue = "Software\\Pellatro\\Susie\\Plug-in\\Path";

// Information texts are read into a zeroed buffer one byte longer than the plug-in is told,
// so a plug-in that fills it still leaves a terminated text.
constexpr int32_t kInfoLength = 255;
// A plug-in whose list of formats never ends is read no further than this.
constexpr int32_t kMaxFormats = 1024;

TSPIs* instance = nullptr;
TGraphicClass graphicClass = &CreateSPIBitmap;

fs::path ResolvedOrAsGiven(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::canonical(path, error);
  return error ? path : resolved;
}

// The system's loader opens the file by its name and would wait on a pipe put in its place: it
// is handed only what the reader, which never waits, finds to be a regular file.
void* LoadModule(const fs::path& path) {
  if (ReadRegularFileStart(path, 0).Failure != TFileReadFailure::None) return nullptr;
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// The identity of the file a name leads to, links followed; none when it cannot be told.
std::optional<std::pair<dev_t, ino_t>> FileIdentity(const fs::path& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return std::pair{info.st_dev, info.st_ino};
}

// The extension from the last dot of the last path element, without the dot.
std::string_view ExtensionOf(std::string_view name) {
  const std::size_t slash = name.find_last_of("/\\:");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return name.substr(dot + 1);
}

}  // namespace

void TSPI::TModuleCloser::operator()(void* module) const {
  dlclose(module);
}

TSPI::TSPI(const fs::path& AFileName, const TEntries& ARequired) : module_(LoadModule(AFileName)) {
  if (!module_) {
    throw ESPIFOpenErrorSPI(AFileName.string() + ":Susie Pluginがロードできませんでした");
  }
  FileName = ResolvedOrAsGiven(AFileName);
  for (int entry = 0; entry < kEntryCount; ++entry) {
    entries_[entry] = dlsym(module_.get(), kEntryNames[entry]);
  }
  CheckAPI(eGetPluginInfo);
  for (TEntry entry : ARequired) CheckAPI(entry);
  ReadInformation();
}

TSPI::~TSPI() = default;

void TSPI::CheckAPI(TEntry AEntry) const {
  if (!entries_[AEntry]) {
    throw ESPIInvalidAPI(std::string(kEntryNames[AEntry]) + "は[" + FileName.string() +
                         "]では使えないSusie Plugin APIです");
  }
}

void TSPI::ReadInformation() {
  const auto info = [this](int32_t number, std::string& text) {
    char buffer[kInfoLength + 1] = {};
    const int32_t length = GetPluginInfo(number, buffer, kInfoLength);
    if (length > 0) text = buffer;
    return length;
  };
  info(0, APIVersion);
  info(1, Description);
  for (int32_t format = 0; format < kMaxFormats; ++format) {
    std::string filter, name;
    if (info(2 * format + 2, filter) < 1 || info(2 * format + 3, name) < 1) break;
    Filters.push_back(std::move(filter));
    Names.push_back(std::move(name));
  }
}

int32_t TSPI::GetPluginInfo(int32_t InfoNo, char* Buf, int32_t BufLen) const {
  return Entry<decltype(&::GetPluginInfo)>(eGetPluginInfo)(InfoNo, Buf, BufLen);
}

bool TSPI::FiltersExtensionOf(const fs::path& AFileName) const {
  const std::string name = AFileName.filename().string();
  const std::string_view extension = ExtensionOf(name);
  if (extension.empty()) return false;
  return std::ranges::any_of(Filters, [extension](const std::string& filter) {
    return EqualIgnoringAsciiCase(ExtensionOf(filter), extension);
  });
}

TLoaderSPI::TLoaderSPI(const fs::path& AFileName, TEntries ARequired)
    : TSPI(AFileName, WithIsSupported(std::move(ARequired))) {}

TSPI::TEntries TLoaderSPI::WithIsSupported(TEntries ARequired) {
  ARequired.insert(ARequired.begin(), eIsSupported);
  return ARequired;
}

int32_t TLoaderSPI::IsSupported(const char* AFileName, const void* AHeader) const {
  return Entry<decltype(&::IsSupported)>(eIsSupported)(AFileName, AHeader);
}

TInSPI::TInSPI(const fs::path& AFileName) : TLoaderSPI(AFileName, {eGetPictureInfo, eGetPicture}) {}

int32_t TInSPI::GetPictureInfo(const char* Buf, int64_t Len, uint32_t Flag,
                               SpiPictureInfo* Info) const {
  return Entry<decltype(&::GetPictureInfo)>(eGetPictureInfo)(Buf, Len, Flag, Info);
}

int32_t TInSPI::GetPicture(const char* Buf, int64_t Len, uint32_t Flag, SpiHandle* Info,
                           SpiHandle* Bits, SpiProgressCallback Progress, intptr_t Data) const {
  return Entry<decltype(&::GetPicture)>(eGetPicture)(Buf, Len, Flag, Info, Bits, Progress, Data);
}

int32_t TInSPI::GetPreview(const char* Buf, int64_t Len, uint32_t Flag, SpiHandle* Info,
                           SpiHandle* Bits, SpiProgressCallback Progress, intptr_t Data) const {
  return Entry<decltype(&::GetPreview)>(eGetPreview)(Buf, Len, Flag, Info, Bits, Progress, Data);
}

TAmSPI::TAmSPI(const fs::path& AFileName)
    : TLoaderSPI(AFileName, {eGetArchiveInfo, eGetFileInfo, eGetFile}) {}

std::unique_ptr<TSPI> CreateSPI(const fs::path& AFileName) {
  try {
    // The probe stays loaded until the plug-in is loaded again as its class.
    const TSPI probe(AFileName);
    const std::string& version = probe.APIVersion;
    if (version == "00IN") return std::make_unique<TInSPI>(AFileName);
    if (version == "00AM") return std::make_unique<TAmSPI>(AFileName);
    if (version == "00XN") return std::make_unique<TXnSPI>(AFileName);
    return std::make_unique<TSPI>(AFileName);
  } catch (const ESPIFOpenErrorSPI&) {
  } catch (const ESPIInvalidAPI&) {
  }
  return nullptr;
}

TSPIs::TSPIs() {
  if (instance) throw ESPIDupCreateSPIs("TSPIs は複数生成できません");
  instance = this;
}

TSPIs::~TSPIs() {
  if (instance == this) instance = nullptr;
  Clear();
  // The formats of the plug-ins leave the registry with them.
  UnregisterGraphicClass(graphicClass);
}

void TSPIs::Loaded() {
  if (AutoSearch) Search("*.spi");
}

int TSPIs::IndexOfFileName(const fs::path& AName) const {
  const fs::path wanted = ResolvedOrAsGiven(AName);
  for (std::size_t i = 0; i < list_.size(); ++i) {
    if (list_[i]->FileName == wanted) return static_cast<int>(i);
  }
  return -1;
}

void TSPIs::Delete(int I) {
  list_.erase(list_.begin() + I);
}

void TSPIs::Clear() {
  while (!list_.empty()) Delete(0);
}

void TSPIs::Add(std::unique_ptr<TSPI> ASPI) {
  AddSPI(Count(), std::move(ASPI));
}

void TSPIs::AddSPI(int Index, std::unique_ptr<TSPI> ASPI) {
  TSPI& spi = *ASPI;
  list_.insert(list_.begin() + Index, std::move(ASPI));
  if (dynamic_cast<TInSPI*>(&spi)) RegisterFormats(spi);
}

void TSPIs::RegisterFormats(TSPI& ASPI) {
  for (std::size_t i = 0; i < ASPI.Filters.size(); ++i) {
    // A change the event makes holds for the entry's remaining patterns.
    TGraphicClass registered = graphicClass;
    std::vector<std::string> patterns;
    std::istringstream filter(ASPI.Filters[i]);
    for (std::string pattern; std::getline(filter, pattern, ';');) patterns.push_back(pattern);
    if (ASPI.Filters[i].ends_with(';')) patterns.emplace_back();
    for (auto pattern = patterns.rbegin(); pattern != patterns.rend(); ++pattern) {
      const std::size_t dot = pattern->find('.');
      const std::string extension = dot == std::string::npos ? *pattern : pattern->substr(dot + 1);
      if (OnPictureRegister) OnPictureRegister(ASPI, extension, ASPI.Names[i], registered);
      if (registered) RegisterFileFormat(extension, ASPI.Names[i], registered);
    }
  }
}

void TSPIs::Search(const std::string& Mask) {
  const fs::path mask(Mask);
  if (mask.has_parent_path()) {
    SearchFolder(mask.parent_path(), mask.filename().string());
    return;
  }
  if (SearchOptions & spsSusieDir) {
    const std::optional<std::string> folder =
        TKeyValueFile(RegistryFile()).Read(kPluginFolderValue);
    if (folder && !folder->empty()) SearchFolder(*folder, Mask);
  }
  if (SearchOptions & spsAppDir) {
    if (const fs::path folder = ProgramFolder(); !folder.empty()) SearchFolder(folder, Mask);
  }
  if (SearchOptions & spsCurrentDir) {
    std::error_code error;
    if (const fs::path folder = fs::current_path(error); !error) SearchFolder(folder, Mask);
  }
}

void TSPIs::SearchFolder(const fs::path& Folder, const std::string& Mask) {
  // One name per file, whatever names and folders lead to it: a file loaded or passed over
  // before is neither loaded nor told again.
  std::set<std::pair<dev_t, ino_t>> taken;
  for (const std::unique_ptr<TSPI>& spi : list_) {
    if (const auto identity = FileIdentity(spi->FileName)) taken.insert(*identity);
  }
  for (const TPassedOverSPI& passed : PassedOver) {
    if (const auto identity = FileIdentity(passed.FileName)) taken.insert(*identity);
  }
  // Plain files that match the mask as the other system matches it, ignoring case; hidden
  // files are passed over. The folder's order is made stable by sorting the names, and the
  // first name of a file in that order is the one used.
  std::vector<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator it(Folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code notFile;
    if (name.starts_with('.') || fnmatch(Mask.c_str(), name.c_str(), FNM_CASEFOLD) != 0 ||
        !it->is_regular_file(notFile)) {
      continue;
    }
    found.push_back(it->path());
  }
  std::ranges::sort(found);
  for (const fs::path& file : found) {
    const auto identity = FileIdentity(file);
    if (!identity || !taken.insert(*identity).second) continue;
    if (std::string reason = UntrustedReason(file); !reason.empty()) {
      PassedOver.push_back({file, std::move(reason)});
      continue;
    }
    bool accept = true;
    if (OnSearching) OnSearching(file, accept);
    if (!accept) continue;
    std::unique_ptr<TSPI> spi = CreateSPI(file);
    if (!spi) continue;
    accept = true;
    if (OnSearch) OnSearch(*spi, accept);
    if (accept) Add(std::move(spi));
  }
}

void TSPIs::SetGraphicClass(TGraphicClass AClass) {
  graphicClass = AClass;
}

TGraphicClass TSPIs::GraphicClass() {
  return graphicClass;
}

TSPIs* GetSPIs() {
  return instance;
}

}  // namespace kyrovane
