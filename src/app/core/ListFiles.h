#pragma once

// List files (.lst): one drawing per line, "path,GGGGLLLL…" with the group mask and the sixteen
// layer masks as 17 four-digit hexadecimal numbers, lines ended by CRLF; beside each list a
// settings file of the same name with the extension ".kvs" holds the list's settings.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/Environment.h"

namespace kyrovane {

class UiPort;

// Bit n (0..15) of a group or layer mask.
constexpr uint16_t MaskBit(int Number) {
  return static_cast<uint16_t>(1u << Number);
}

// The layer selection of one drawing: bit g of GroupMask outputs layer group g, bit l of
// LayerMask[g] layer l of that group; 0xFFFF is "all on".
struct TLayerMasks {
  uint16_t GroupMask = 0;
  std::array<uint16_t, 16> LayerMask{};

  static TLayerMasks AllOn();
  bool operator==(const TLayerMasks&) const = default;
};

// One entry of the list window. Only the masks are stored in the list file; the used and text
// masks show which groups and layers hold graphics or text (filled by a scan of the drawing).
struct TParam {
  uint16_t GroupMask = 0;
  std::array<uint16_t, 16> LayerMask{};
  std::string Memo;  // the drawing's memo, UTF-8
  uint16_t UsedGroupMask = 0;
  std::array<uint16_t, 16> UsedLayerMask{};
  uint16_t TextGroupMask = 0;
  std::array<uint16_t, 16> TextLayerMask{};
  bool Scanned = false;

  TLayerMasks Masks() const { return {GroupMask, LayerMask}; }
};

// An entry with the path its line in the list shows.
struct TListEntry {
  std::string Path;
  TParam Param;
};

inline constexpr std::string_view kListFilter = "リストファイル(*.lst)|*.lst";

// The digit value of "1".."9" and "a".."f"; every other character, "0" and upper-case letters
// included, is 0.
int HexDigitValue(char C);
// The value of a lower-case hexadecimal text, each character weighted by a power of 16 from
// the right.
int HexToWord(std::string_view Text);

// A line of a list file: the drawing path and, when the line has a comma, the masks. The path
// ends at the first comma, or at the last one when exactly 68 hexadecimal digits follow it, so
// that paths holding commas survive a save and a load. Mask text beyond 68 characters is
// ignored, fields it does not reach read 0, and either case of digits reads the same.
struct TListLine {
  std::string Path;
  std::optional<TLayerMasks> Masks;
};
TListLine ParseListLine(std::string_view Line);

// The line of an entry as the list file stores it, without its line end.
std::string ListLineText(const TListEntry& Entry);

// The entry of a list-file line or of a bare drawing path. With masks in the line the memo
// comes from the drawing (a JWC file read whole, a JWW header; "図形" for other kinds). A bare
// path takes its masks from the drawing's own layer states; a JWW drawing that is not valid
// shows the invalid-file message, a JWK path or any other kind is all on with memo "図形".
// A missing drawing gives an empty memo and, for a bare JWW or JWC path, zero masks; so does
// one that cannot be read, which for a bare path is told as its conversion tells it and marked
// scanned, with nothing found.
TParam MakeListEntry(std::string_view Line, UiPort& Ui);
// The entry of a drawing chosen by the user: as a bare path, commas and all.
TParam MakeDrawingEntry(const std::filesystem::path& Path, UiPort& Ui);

// The settings file beside a list file.
std::filesystem::path CompanionSettingsPath(const std::filesystem::path& ListPath);

// What a list file may hold, and so what reading one may cost.
inline constexpr std::uintmax_t kMaxListFileSize = 16u << 20;
inline constexpr std::size_t kMaxListLines = 65536;

// The lines of a list file, ended by CRLF or LF, a leading byte-order mark dropped. A file that
// cannot be read, is no regular file or exceeds the limits raises EFileReadError.
std::vector<std::string> ReadListLines(const std::filesystem::path& Path);

// Reads a list file, one entry per line (an empty line too), and the companion settings file
// when there is one into Settings.ListEnv, then Settings.Env := Settings.ListEnv. A list file
// that cannot be read raises EFileReadError; a companion file that cannot be read is reported
// and the settings stay.
std::vector<TListEntry> LoadListFile(const std::filesystem::path& Path, Settings& Settings,
                                     UiPort& Ui);

// Writes the list file and then, after Settings.ListEnv := Settings.Env, its companion
// settings file. Raises EIniFileError when either cannot be written; before anything is
// written, when the list would not read back as it is (a path holding a line break, more than
// the limits) or when the list and its companion would be one file.
void SaveListFile(const std::filesystem::path& Path, const std::vector<TListEntry>& Entries,
                  Settings& Settings);

}  // namespace kyrovane
