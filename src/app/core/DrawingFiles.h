#pragma once

// What the converter knows of drawing files before their readers: the kind by extension, the
// one read of a file from disk, and the messages about drawings that cannot be converted.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kyrovane {

class UiPort;
struct JwcReadResult;
namespace jwwunit {
struct JwwReadResult;
}

enum class TDrawingKind { Jww, Jwc, Jwk, List, Other };

// By the extension, in any case: ".jww", ".jwc", ".jwk", ".lst".
TDrawingKind DrawingKindOf(const std::filesystem::path& Path);

// A drawing that is not converted; what() is the message for the user.
class EDrawingRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest drawing file that is read; larger files are refused before reading.
inline constexpr std::uintmax_t kMaxDrawingFileSize = 256u * 1024 * 1024;

// The whole file. Throws EDrawingRefused when it cannot be read or is larger than
// kMaxDrawingFileSize.
std::string ReadDrawingBytes(const std::filesystem::path& Path);

// The message for a drawing that fails the check of its kind:
// path + "\r\nは、jww 2.30未満または無効なファイルです。" for JWW, the like for JWC and JWK.
std::string InvalidDrawingText(const std::filesystem::path& Path, TDrawingKind Kind);
// The message for a drawing whose data is damaged, with the reader's reason as its last
// sentence.
std::string DamagedDrawingText(const std::filesystem::path& Path, std::string_view Reason);
// The message for a JWW drawing whose header the reader refused: a header cut short or
// unreadable is damaged; a drawing of a later version is named with its version and told
// that only version 2.30 drawings are converted; an earlier one gets the invalid-file message
// and a line naming its version; anything else the invalid-file message. Version is the
// header's, 600 for 6.00.
std::string JwwRefusedText(const std::filesystem::path& Path, const jwwunit::JwwReadResult& Result,
                           uint32_t Version);
// The list window's memo of such a drawing: its message after "は、", without the version line.
std::string JwwRefusedMemo(const jwwunit::JwwReadResult& Result, uint32_t Version);

// A message about a drawing: caption "Kyrovane", OK, no icon.
void ShowDrawingMessage(UiPort& Ui, std::string_view Text);
// The JWC reader's notice of repaired records, when there is one: a warning with OK and
// Cancel, the answer not used.
void ShowRepairNotice(UiPort& Ui, const JwcReadResult& Result);

}  // namespace kyrovane
