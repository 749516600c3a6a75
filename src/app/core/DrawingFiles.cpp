#include "app/core/DrawingFiles.h"

#include <utility>

#include "app/core/FileErrors.h"
#include "app/core/UiPort.h"
#include "import/jwcunit.h"
#include "import/jwwunit.h"
#include "text/AsciiCase.h"

namespace kyrovane {
namespace {

constexpr std::string_view kJwwInvalid = "jww 2.30未満または無効なファイルです。";
// Versions are written as 230 for 2.30; a number of more than four digits is none.
constexpr uint32_t kLastJwwVersion = 9999;

std::string VersionName(uint32_t version) {
  return "jww " + std::to_string(version / 100) + "." +
         std::to_string(100 + version % 100).substr(1);
}

}  // namespace

TDrawingKind DrawingKindOf(const std::filesystem::path& Path) {
  const std::string extension = Path.extension().string();
  const std::pair<std::string_view, TDrawingKind> kinds[] = {{".jww", TDrawingKind::Jww},
                                                             {".jwc", TDrawingKind::Jwc},
                                                             {".jwk", TDrawingKind::Jwk},
                                                             {".lst", TDrawingKind::List}};
  for (const auto& [known, kind] : kinds) {
    if (EqualIgnoringAsciiCase(extension, known)) return kind;
  }
  return TDrawingKind::Other;
}

std::string ReadDrawingBytes(const std::filesystem::path& Path) {
  TFileBytes file = ReadRegularFile(Path, kMaxDrawingFileSize);
  switch (file.Failure) {
    case TFileReadFailure::None:
      return std::move(file.Bytes);
    case TFileReadFailure::TooLarge:
      throw EDrawingRefused(Path.string() + "\r\nは、大きすぎるため変換できません（上限 " +
                            std::to_string(kMaxDrawingFileSize >> 20) + " MB）。");
    default:
      throw EDrawingRefused(
          CannotReadText(Path, ReadFailureCause(file.Failure, file.Error, kMaxDrawingFileSize)));
  }
}

std::string InvalidDrawingText(const std::filesystem::path& Path, TDrawingKind Kind) {
  switch (Kind) {
    case TDrawingKind::Jwc:
      return Path.string() + "\r\nは、jwcファイルではないか、無効なファイルです。";
    case TDrawingKind::Jwk:
      return Path.string() + "\r\nは、jwkファイルではないか、無効なファイルです。";
    default:
      return Path.string() + "\r\nは、" + std::string(kJwwInvalid);
  }
}

std::string DamagedDrawingText(const std::filesystem::path& Path, std::string_view Reason) {
  return Path.string() + "\r\nは、壊れているため変換できません。\r\n" + std::string(Reason) + "。";
}

std::string JwwRefusedText(const std::filesystem::path& Path, const jwwunit::JwwReadResult& Result,
                           uint32_t Version) {
  if (Result.Status == jwwunit::JwwReadStatus::Damaged) {
    return DamagedDrawingText(Path, Result.Reason);
  }
  std::string text = Path.string() + "\r\nは、" + JwwRefusedMemo(Result, Version);
  if (Result.Status == jwwunit::JwwReadStatus::WrongVersion && Version < jwwunit::kJwwVersion) {
    text += "\r\nこのファイルのバージョンは " + VersionName(Version) + " です。";
  }
  return text;
}

std::string JwwRefusedMemo(const jwwunit::JwwReadResult& Result, uint32_t Version) {
  if (Result.Status != jwwunit::JwwReadStatus::WrongVersion || Version < jwwunit::kJwwVersion ||
      Version > kLastJwwVersion) {
    return std::string(kJwwInvalid);
  }
  return VersionName(Version) +
         " のファイルのため変換できません（変換できるのは jww 2.30 のファイルだけです）。";
}

void ShowDrawingMessage(UiPort& Ui, std::string_view Text) {
  Ui.MessageBox("Kyrovane", Text, TMessageIcon::None, TMessageButtons::Ok);
}

void ShowRepairNotice(UiPort& Ui, const JwcReadResult& Result) {
  if (Result.Notice.empty()) return;
  Ui.MessageBox("警告", Result.Notice, TMessageIcon::Warning, TMessageButtons::OkCancel);
}

}  // namespace kyrovane
