#include "app/core/ListFiles.h"

#include <cstdio>

#include "app/core/DrawingFiles.h"
#include "app/core/FileErrors.h"
#include "app/core/IniFile.h"
#include "app/core/OutputFile.h"
#include "app/core/SettingsFiles.h"
#include "app/core/UiPort.h"
#include "files/RegularFile.h"
#include "import/jwcunit.h"
#include "import/jwwunit.h"
#include "text/AsciiCase.h"
#include "text/TextLines.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaskTextSize = 68;  // 17 fields of 4 digits
constexpr std::string_view kPartsMemo = "図形";
constexpr std::string_view kSameAsCompanion =
    "\r\nは、設定ファイル（.kvs）と同じファイルになるため、リストを保存できません。";

bool IsMaskText(std::string_view text) {
  return text.size() == kMaskTextSize &&
         text.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

TLayerMasks ParseMasks(std::string_view text) {
  std::string lower(text.substr(0, kMaskTextSize));
  for (char& c : lower) c = AsciiLower(c);
  const auto field = [&](std::size_t n) {
    const std::size_t first = 4 * n;
    return static_cast<uint16_t>(first < lower.size() ? HexToWord(lower.substr(first, 4)) : 0);
  };
  TLayerMasks masks;
  masks.GroupMask = field(0);
  for (std::size_t g = 0; g < 16; ++g) masks.LayerMask[g] = field(g + 1);
  return masks;
}

void SetMasks(TParam& param, const TLayerMasks& masks) {
  param.GroupMask = masks.GroupMask;
  param.LayerMask = masks.LayerMask;
}

// A bare path: the drawing's own layer states.
void TakeJwwStates(TParam& param, const jwwunit::JWWHead& head) {
  for (std::size_t g = 0; g < 16; ++g) {
    if (head.Groups[g].State != 0) param.GroupMask |= 1u << g;
    for (std::size_t l = 0; l < 16; ++l) {
      if (head.Groups[g].Layers[l].State != 0) param.LayerMask[g] |= 1u << l;
    }
  }
}

void TakeJwcStates(TParam& param, const JwcData& jwc) {
  for (std::size_t g = 0; g < 16; ++g) {
    if (jwc.JwcGroups[g].StateB != 0) param.GroupMask |= 1u << g;
    for (std::size_t l = 0; l < 16; ++l) {
      if (jwc.JwcLayers[g * 16 + l].StateB != 0) param.LayerMask[g] |= 1u << l;
    }
  }
}

TParam MakeEntry(const TListLine& line, UiPort& ui) {
  const fs::path path = line.Path;
  const TDrawingKind kind = DrawingKindOf(path);
  TParam param;
  if (line.Masks) SetMasks(param, *line.Masks);
  if (kind != TDrawingKind::Jww && kind != TDrawingKind::Jwc) {
    if (!line.Masks) SetMasks(param, TLayerMasks::AllOn());
    param.Memo = kPartsMemo;
    return param;
  }
  if (IsAbsent(path)) return param;
  std::string bytes;
  try {
    bytes = ReadDrawingBytes(path);
  } catch (const EDrawingRefused& refused) {
    // A bare path is told here, as its conversion would tell it; a scan would only say it again.
    if (!line.Masks) {
      ShowDrawingMessage(ui, refused.what());
      param.Scanned = true;
    }
    return param;
  }
  if (kind == TDrawingKind::Jwc) {
    JwcData jwc;
    ShowRepairNotice(ui, ReadJwcData(bytes, jwc));
    if (!line.Masks) TakeJwcStates(param, jwc);
    param.Memo = cp932::ToUtf8(jwc.JwcHeader.Memo);
    return param;
  }
  jwwunit::JwwData jww;
  if (const jwwunit::JwwReadResult header = jwwunit::ParseJwwHeader(bytes, jww); header) {
    if (!line.Masks) TakeJwwStates(param, jww.JwwHeader);
    param.Memo = cp932::ToUtf8(jww.JwwHeader.Memo);
  } else if (!line.Masks) {
    ShowDrawingMessage(ui, JwwRefusedText(path, header, jww.JwwHeader.Version));
    param.Memo = JwwRefusedMemo(header, jww.JwwHeader.Version);
  }
  return param;
}

}  // namespace

TLayerMasks TLayerMasks::AllOn() {
  TLayerMasks masks;
  masks.GroupMask = 0xFFFF;
  masks.LayerMask.fill(0xFFFF);
  return masks;
}

int HexDigitValue(char C) {
  if (C >= '1' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return 0;
}

int HexToWord(std::string_view Text) {
  unsigned value = 0;
  for (char c : Text) value = value * 16 + static_cast<unsigned>(HexDigitValue(c));
  return static_cast<int>(value);
}

TListLine ParseListLine(std::string_view Line) {
  std::size_t comma = Line.find(',');
  if (comma == std::string_view::npos) return {std::string(Line), std::nullopt};
  if (const std::size_t last = Line.rfind(','); IsMaskText(Line.substr(last + 1))) comma = last;
  return {std::string(Line.substr(0, comma)), ParseMasks(Line.substr(comma + 1))};
}

std::string ListLineText(const TListEntry& Entry) {
  std::string line = Entry.Path + ",";
  char field[8];
  const auto append = [&](uint16_t mask) {
    std::snprintf(field, sizeof field, "%04X", static_cast<unsigned>(mask));
    line += field;
  };
  append(Entry.Param.GroupMask);
  for (uint16_t mask : Entry.Param.LayerMask) append(mask);
  return line;
}

TParam MakeListEntry(std::string_view Line, UiPort& Ui) {
  return MakeEntry(ParseListLine(Line), Ui);
}

TParam MakeDrawingEntry(const fs::path& Path, UiPort& Ui) {
  return MakeEntry({Path.string(), std::nullopt}, Ui);
}

fs::path CompanionSettingsPath(const fs::path& ListPath) {
  return fs::path(ListPath).replace_extension(".kvs");
}

std::vector<std::string> ReadListLines(const fs::path& Path) {
  const TFileBytes file = ReadRegularFile(Path, kMaxListFileSize);
  if (file.Failure != TFileReadFailure::None) {
    throw EFileReadError(Path, ReadFailureCause(file.Failure, file.Error, kMaxListFileSize));
  }
  std::vector<std::string> lines;
  std::string_view text = WithoutByteOrderMark(file.Bytes);
  for (std::string_view line; TakeLine(text, line);) {
    if (lines.size() == kMaxListLines) {
      throw EFileReadError(Path,
                           "行が多すぎます（上限 " + std::to_string(kMaxListLines) + " 行）。");
    }
    lines.emplace_back(line);
  }
  return lines;
}

std::vector<TListEntry> LoadListFile(const fs::path& Path, Settings& Settings, UiPort& Ui) {
  std::vector<TListEntry> entries;
  for (const std::string& line : ReadListLines(Path)) {
    entries.push_back({ParseListLine(line).Path, MakeListEntry(line, Ui)});
  }
  // A list named like its settings file has none. One that cannot be read (a link loop, a
  // folder that may not be entered) is told.
  const fs::path companion = CompanionSettingsPath(Path);
  std::error_code error;
  if (!IsAbsent(companion) && !fs::equivalent(Path, companion, error)) {
    try {
      ReadSettingsFile(companion, Settings.ListEnv, Ui);
      Settings.Env = Settings.ListEnv;
    } catch (const EIniFileError& unreadable) {
      ReportError(Ui, unreadable.what());  // the list itself is loaded
    }
  }
  return entries;
}

void SaveListFile(const fs::path& Path, const std::vector<TListEntry>& Entries,
                  Settings& Settings) {
  std::string text;
  for (const TListEntry& entry : Entries) {
    if (HasLineBreak(entry.Path)) {
      throw EIniFileError(entry.Path + "\r\nは、名前に改行を含むため、リストに保存できません。");
    }
    text += ListLineText(entry) + "\r\n";
  }
  if (Entries.size() > kMaxListLines || text.size() > kMaxListFileSize) {
    throw EIniFileError(Path.string() + "\r\nは、大きすぎるため保存できません（上限 " +
                        std::to_string(kMaxListLines) + " 行、" +
                        std::to_string(kMaxListFileSize >> 20) + " MB）。");
  }
  const fs::path companion = CompanionSettingsPath(Path);
  try {
    if (WriteToSameFile(Path, companion))
      throw EIniFileError(Path.string() + std::string(kSameAsCompanion));
    WriteFileSafely(Path, text);
  } catch (const EFileWriteError& error) {
    throw EIniFileError(CannotWriteText(error.Path(), error.what()));
  }
  Settings.ListEnv = Settings.Env;
  WriteListSettingsFile(companion, Settings.ListEnv);
}

}  // namespace kyrovane
