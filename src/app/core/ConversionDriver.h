#pragma once

// The conversion driver: a drawing or a list file chosen in the main window, and the list
// window's preview and conversion, each into one PDF. Every message, dialog, the progress
// window, the cursor and the shell's "open" go through the user-interface port; a conversion
// that fails leaves no file behind, closes what it opened and resets the model.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "app/core/ListFiles.h"
#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "cad/CadPage.h"

namespace kyrovane {

class Clock;
class TOutputFile;
class UiPort;

// What a conversion reads from the windows' options.
struct TConversionOptions {
  bool OpenAfter = true;          // "変換後にPDFファイルを開く"
  bool PreviewOnly = false;       // "プレビューのみ": a preview file, no save dialog
  bool IgnorePrintRange = false;  // "印刷範囲を無視する": the page is the drawing's extents
  // Item of "特殊": 0 "標準", 1 "90度", 2 "180度", 3 "270度", 4 "A3出力", 5 "A4出力",
  // 6 "50%出力".
  int AngleItem = 0;
  int Tiles = 1;  // pages per drawing: 1, 2, 4, 8 or 16
};

inline constexpr std::string_view kDrawingFilter =
    "JW_CADデータ形式(*.jww;*.jwc)|*.jww;*.jwc|JW_CAD部品形式(*.jwk)|*.jwk|"
    "リストファイル(*.lst)|*.lst";
inline constexpr std::string_view kPdfFilter = "Acrobat ファイル(PDF)|*.pdf";

class TConversionDriver {
 public:
  // Env is the working settings record; it gets the paper choice of each conversion and the
  // last folder. Texts show the time of TextClock. Previews go to PreviewFolder (made when
  // missing).
  TConversionDriver(REnvironment& Env, UiPort& Ui, const Clock& TextClock,
                    std::filesystem::path PreviewFolder);

  // "PDF変換開始": asks for a drawing or a list file and, unless PreviewOnly, for the PDF;
  // converts and opens the PDF when asked. Returns the PDF written.
  std::optional<std::filesystem::path> Convert(const TConversionOptions& Options);

  // The list window's preview of one entry: its masks, the list window's rotation item and
  // tiles in Options, into a preview file that is always opened.
  std::optional<std::filesystem::path> PreviewListEntry(const TListEntry& Entry,
                                                        const TConversionOptions& Options);

  // The list window's conversion of all entries into one PDF chosen in the save dialog.
  std::optional<std::filesystem::path> ConvertListEntries(const std::vector<TListEntry>& Entries,
                                                          const TConversionOptions& Options);

  // The drawing model, and what the builders get for each drawing.
  TCad_Page CadPage;
  ConversionContext Context;

 private:
  struct TDrawing;

  int PrepareOutput(const TConversionOptions& Options);
  TDrawing ReadDrawing(const std::filesystem::path& Path) const;
  void ParseDrawing(TDrawing& Drawing);
  void BuildDrawing(const TDrawing& Drawing, bool AllArea, long double AddOn);
  // Tells what the drawing of the converted drawing left out, if anything.
  void ShowLeftOut(const std::filesystem::path& Path);
  // The folder of the chosen input becomes the last folder, unless settings files cannot hold
  // its name; the user is told then.
  void RememberFolder(const std::filesystem::path& Folder);

  std::optional<std::filesystem::path> ConvertDrawing(
      const std::filesystem::path& Path, const std::optional<std::filesystem::path>& Target,
      const TConversionOptions& Options, int Rotation, bool OpenAfter);
  // ListFile: the list file the lines come from; empty for the list window's entries. The
  // output must not replace it or any of the drawings.
  std::optional<std::filesystem::path> ConvertList(
      const std::vector<TListLine>& Lines, int FirstPosition,
      const std::optional<std::filesystem::path>& Target, const std::filesystem::path& ListFile,
      const TConversionOptions& Options, int Rotation);
  // Sources: the files the output is made from, which it must not replace.
  std::unique_ptr<TOutputFile> CreateOutput(const std::optional<std::filesystem::path>& Target,
                                            const std::vector<std::filesystem::path>& Sources,
                                            std::filesystem::path& Written);

  // Runs a conversion step; on an error it resets the model and reports it, naming the
  // subject, or the drawing of a list that was under way. False then.
  template <class Step>
  bool Guarded(const std::filesystem::path& Subject, Step&& Run);
  // Opens the PDF with the desktop's application; tells the user when that is not possible.
  void Open(const std::filesystem::path& Pdf);

  REnvironment& env_;
  UiPort& ui_;
  const Clock& textClock_;
  std::filesystem::path previewFolder_;
  std::filesystem::path subject_;  // what a failure of the running conversion is about
};

}  // namespace kyrovane
