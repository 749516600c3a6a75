#include "app/core/ConversionDriver.h"

#include <new>
#include <string>
#include <system_error>
#include <utility>

#include "app/core/AppPaths.h"
#include "app/core/DrawingFiles.h"
#include "app/core/FileErrors.h"
#include "app/core/OutputFile.h"
#include "app/core/UiPort.h"
#include "app/settings/Palette.h"
#include "app/settings/Units.h"
#include "files/RegularFile.h"
#include "import/JwcBuilder.h"
#include "import/JwkBuilder.h"
#include "import/JwwBuilder.h"
#include "import/jwcunit.h"
#include "import/jwkunit.h"
#include "import/jwwunit.h"
#include "pdf/PDFPrinter.h"
#include "text/TextLines.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCannotSave = "ファイルが保存できませんでした。";
constexpr std::string_view kNothingConverted = "変換できませんでした";

// Rotation and paper of the items of "特殊".
struct TAngleItem {
  int Rotation;
  int PaperMode;  // 3 or 4 fits to A3 or A4
  bool HalfScale;
};
constexpr TAngleItem kAngleItems[] = {{0, 0, false},   {90, 0, false}, {180, 0, false},
                                      {270, 0, false}, {0, 3, false},  {0, 4, false},
                                      {0, 0, true}};

std::string AbsolutePath(const fs::path& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return (error ? path : absolute).string();
}

bool IsDrawing(TDrawingKind kind) {
  return kind == TDrawingKind::Jww || kind == TDrawingKind::Jwc || kind == TDrawingKind::Jwk;
}

fs::path WithPdfExtension(fs::path path) {
  return path.replace_extension(".pdf");
}

// Writes the PDF into the output; when a write fails, that failure is what is reported,
// whatever the writer made of it.
template <class Write>
void WriteInto(TOutputFile& output, Write&& write) {
  try {
    write(output.Stream());
  } catch (...) {
    output.ThrowIfWriteFailed();
    throw;
  }
}

// What the drawing of a converted drawing left out, or nothing.
std::string LeftOutText(const fs::path& drawing, const TCad_OutputNotices& notices) {
  std::string text;
  if (notices.CutInserts > 0) {
    text += "\r\n循環または多すぎる展開のため描かなかったブロック: " +
            std::to_string(notices.CutInserts) + "個";
  }
  for (const std::string& picture : notices.PicturesLeftOut) {
    text += "\r\n読み込めなかった画像: " + picture;
  }
  if (text.empty()) return text;
  return drawing.string() + "\r\nの一部を出力できませんでした。" + text;
}

// Why the conversion of the subject (a drawing, a list or the PDF being made) failed; called
// while the error is handled.
std::string FailureText(const fs::path& subject) {
  const std::string failed = subject.string() + "\r\nを変換できませんでした。\r\n";
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return subject.string() + "\r\nは、メモリーが足りないため変換できませんでした。";
  } catch (const EStreamStoreError& error) {
    return failed + "作業用の一時ファイルを使えません。\r\n" + ErrorCause(error.code().value());
  } catch (const std::system_error& error) {
    const std::error_category& category = error.code().category();
    const bool errnoValue =
        category == std::generic_category() || category == std::system_category();
    return failed + (errnoValue ? ErrorCause(error.code().value()) : error.what());
  } catch (const std::exception& error) {
    return failed + error.what();
  }
}

// The save failure: the fixed text with the path as caption, and the path again in the text,
// where a window manager does not cut it short.
std::string CannotSaveText(const EFileWriteError& error) {
  return std::string(kCannotSave) + "\r\n" + error.Path().string() + "\r\n" + error.what();
}

}  // namespace

struct TConversionDriver::TDrawing {
  fs::path Path;
  TDrawingKind Kind = TDrawingKind::Other;
  std::string Bytes;  // until the tables are read
  jwwunit::JwwData Jww;
  jwcunit::JwcData Jwc;
  jwkunit::JwkData Jwk;
};

TConversionDriver::TConversionDriver(REnvironment& Env, UiPort& Ui, const Clock& TextClock,
                                     fs::path PreviewFolder)
    : env_(Env), ui_(Ui), textClock_(TextClock), previewFolder_(std::move(PreviewFolder)) {}

template <class Step>
bool TConversionDriver::Guarded(const fs::path& Subject, Step&& Run) {
  subject_ = Subject;
  try {
    Run();
    return true;
  } catch (const EFileWriteError& error) {
    CadPage.Reset();
    ui_.MessageBox(error.Path().string(), CannotSaveText(error), TMessageIcon::Stop,
                   TMessageButtons::Ok);
  } catch (const EFileReadError& error) {
    CadPage.Reset();
    ReportError(ui_, error.what());
  } catch (const std::exception&) {
    CadPage.Reset();
    ReportError(ui_, FailureText(subject_));
  }
  return false;
}

void TConversionDriver::Open(const fs::path& Pdf) {
  if (ui_.ShellOpen(Pdf)) return;
  ui_.MessageBox("Kyrovane",
                 Pdf.string() +
                     "\r\nにPDFファイルを保存しましたが、開くことができませんでした。"
                     "\r\nPDFファイルを開くアプリケーションが設定されていない可能性があります。",
                 TMessageIcon::Warning, TMessageButtons::Ok);
}

int TConversionDriver::PrepareOutput(const TConversionOptions& Options) {
  CadPage.Output.DefaultFontName = env_.TextFont;
  CadPage.Printer->PdfTextRise = env_.TextRise;
  CadPage.Output.ReverseOrder = 0;
  CadPage.Output.PaintBackground = 1;
  CadPage.Output.BackgroundColor = ColorIndexToColor(env_.BackGroundColor, env_);
  Context.UseListMasks = 0;
  const bool known = Options.AngleItem >= 0 && Options.AngleItem < std::ssize(kAngleItems);
  const TAngleItem& item = kAngleItems[known ? Options.AngleItem : 0];
  env_.FitToPaper = item.PaperMode != 0;
  if (env_.FitToPaper) env_.PaperMode = item.PaperMode;
  env_.HalfScale = item.HalfScale;
  return item.Rotation;
}

TConversionDriver::TDrawing TConversionDriver::ReadDrawing(const fs::path& Path) const {
  TDrawing drawing;
  drawing.Path = Path;
  drawing.Kind = DrawingKindOf(Path);
  drawing.Bytes = ReadDrawingBytes(Path);
  if (drawing.Kind == TDrawingKind::Jww) {
    const jwwunit::JwwReadResult header = jwwunit::ParseJwwHeader(drawing.Bytes, drawing.Jww);
    if (!header) {
      throw EDrawingRefused(JwwRefusedText(Path, header, drawing.Jww.JwwHeader.Version));
    }
  } else if (!drawing.Bytes.starts_with(drawing.Kind == TDrawingKind::Jwc ? kJwcMagic
                                                                          : kJwkMagic)) {
    throw EDrawingRefused(InvalidDrawingText(Path, drawing.Kind));
  }
  return drawing;
}

void TConversionDriver::ParseDrawing(TDrawing& Drawing) {
  std::string failure;
  if (Drawing.Kind == TDrawingKind::Jww) {
    failure = jwwunit::ParseJwwFile(Drawing.Bytes, Drawing.Jww).Reason;
  } else if (Drawing.Kind == TDrawingKind::Jwc) {
    const JwcReadResult read = ReadJwcData(Drawing.Bytes, Drawing.Jwc);
    ShowRepairNotice(ui_, read);
    failure = read.Error;
  } else {
    failure = ReadJwkData(Drawing.Bytes, Drawing.Jwk).Error;
  }
  std::string().swap(Drawing.Bytes);
  if (!failure.empty()) throw EDrawingRefused(DamagedDrawingText(Drawing.Path, failure));
}

void TConversionDriver::BuildDrawing(const TDrawing& Drawing, bool AllArea, long double AddOn) {
  Context.CurrentFileName = AbsolutePath(Drawing.Path);
  // Parts files have no sheet: their page always follows the drawing, with the small add-on.
  const bool parts = Drawing.Kind == TDrawingKind::Jwk;
  const long double margin = parts ? MmToPoint(0.5L) : AllArea ? AddOn : 0;
  CadPage.MarginX = env_.LeftMargin + margin;
  CadPage.MarginY = env_.BottomMargin + margin;
  const bool reversed =
      Drawing.Kind == TDrawingKind::Jww && Drawing.Jww.JwwHeader.ReverseOrderFlag > 0;
  CadPage.Output.ReverseOrder = reversed ? 1 : 0;
  switch (Drawing.Kind) {
    case TDrawingKind::Jww:
      BuildJwwDrawing(CadPage, Drawing.Jww, env_, Context, textClock_, AllArea);
      break;
    case TDrawingKind::Jwc:
      BuildJwcDrawing(CadPage, Drawing.Jwc, env_, Context, textClock_, AllArea);
      break;
    default:
      BuildJwkDrawing(CadPage, Drawing.Jwk, env_, Context, textClock_);
      break;
  }
}

void TConversionDriver::RememberFolder(const fs::path& Folder) {
  // The folder is stored in line-based settings files, which cannot hold a line break.
  if (HasLineBreak(Folder.string())) {
    ui_.MessageBox(
        "Kyrovane",
        Folder.string() + "\r\nは、名前に改行を含むため、前回のフォルダーとして記録しません。",
        TMessageIcon::Warning, TMessageButtons::Ok);
    return;
  }
  env_.LastDir = Folder.string();
}

void TConversionDriver::ShowLeftOut(const fs::path& Path) {
  const std::string text = LeftOutText(Path, CadPage.Notices);
  if (!text.empty()) ui_.MessageBox("Kyrovane", text, TMessageIcon::Warning, TMessageButtons::Ok);
}

std::unique_ptr<TOutputFile> TConversionDriver::CreateOutput(const std::optional<fs::path>& Target,
                                                             const std::vector<fs::path>& Sources,
                                                             fs::path& Written) {
  if (Target) {
    Written = *Target;
    return std::make_unique<TOutputFile>(*Target, Sources);
  }
  // A preview goes to the first of temp0.pdf .. temp64.pdf that can be written.
  std::error_code ignored;  // a folder that cannot be made fails every name below
  fs::create_directories(previewFolder_, ignored);
  for (int number = 0;; ++number) {
    Written = PreviewFilePath(previewFolder_, number);
    try {
      return std::make_unique<TOutputFile>(Written, Sources);
    } catch (const EFileWriteError&) {
      if (number == kLastPreviewNumber) throw;
    }
  }
}

std::optional<fs::path> TConversionDriver::ConvertDrawing(const fs::path& Path,
                                                          const std::optional<fs::path>& Target,
                                                          const TConversionOptions& Options,
                                                          int Rotation, bool OpenAfter) {
  fs::path written;
  try {
    TDrawing drawing = ReadDrawing(Path);
    TProgressWindow progress(ui_, 3);
    ParseDrawing(drawing);
    progress.SetPosition(1);
    BuildDrawing(drawing, Options.IgnorePrintRange, MmToPoint(1.0L));
    progress.SetPosition(2);
    std::vector<fs::path> sources = CadPage.Pictures.Files();
    sources.push_back(Path);
    const std::unique_ptr<TOutputFile> output = CreateOutput(Target, sources, written);
    // A parts file is one page, never turned.
    const bool parts = drawing.Kind == TDrawingKind::Jwk;
    WriteInto(*output, [&](std::ostream& stream) {
      CadPage.PrintToPdf(stream, parts ? 1 : Options.Tiles, false, parts ? 0 : Rotation);
    });
    progress.SetPosition(3);
    progress.Close();
    output->Commit();
    ShowLeftOut(Path);
  } catch (const EDrawingRefused& refused) {
    ShowDrawingMessage(ui_, refused.what());
    return std::nullopt;
  }
  if (OpenAfter) Open(written);
  return written;
}

std::optional<fs::path> TConversionDriver::ConvertList(
    const std::vector<TListLine>& Lines, int FirstPosition, const std::optional<fs::path>& Target,
    const fs::path& ListFile, const TConversionOptions& Options, int Rotation) {
  TProgressWindow progress(ui_, static_cast<int>(Lines.size()));
  // An error while a drawing is read, built or drawn is that drawing's; after the last one it
  // is the list's again.
  const fs::path listSubject = subject_;
  std::vector<fs::path> sources;
  if (!ListFile.empty()) sources.push_back(ListFile);
  for (const TListLine& line : Lines) {
    if (IsDrawing(DrawingKindOf(line.Path))) sources.emplace_back(line.Path);
  }
  fs::path written;
  const std::unique_ptr<TOutputFile> output = CreateOutput(Target, sources, written);
  TPDFPrinter* printer = CadPage.Printer.get();
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    const TListLine& line = Lines[i];
    progress.SetPosition(static_cast<int>(i) + FirstPosition);
    Context.UseListMasks = line.Masks ? 1 : 0;
    if (line.Masks) {
      Context.ListGroupMask = line.Masks->GroupMask;
      Context.ListLayerMask = line.Masks->LayerMask;
    }
    // Only a drawing that is not there is passed over in silence; one that is there but cannot
    // be read is told when it is read.
    const TDrawingKind kind = DrawingKindOf(line.Path);
    if (!IsDrawing(kind) || IsAbsent(line.Path)) continue;
    subject_ = line.Path;
    try {
      TDrawing drawing = ReadDrawing(line.Path);
      CadPage.Clear();
      ParseDrawing(drawing);
      BuildDrawing(drawing, Options.IgnorePrintRange, MmToPoint(0.5L));
      output->RefuseSources(CadPage.Pictures.Files());
    } catch (const EDrawingRefused& refused) {
      ShowDrawingMessage(ui_, refused.what());
      continue;
    }
    if (printer->HasDoc()) {
      printer->NewPage();
    } else {
      printer->BeginDoc();
    }
    CadPage.PrintPages(Rotation, kind == TDrawingKind::Jwk ? 1 : Options.Tiles);
    ShowLeftOut(line.Path);
  }
  subject_ = listSubject;
  progress.Close();
  if (!printer->HasDoc()) {
    ui_.MessageBox(written.string(), std::string(kNothingConverted) + "\r\n" + written.string(),
                   TMessageIcon::Warning, TMessageButtons::Ok);
    return std::nullopt;
  }
  WriteInto(*output, [&](std::ostream& stream) { printer->EndDoc(stream); });
  output->Commit();
  if (Options.OpenAfter || Options.PreviewOnly) Open(written);
  return written;
}

std::optional<fs::path> TConversionDriver::Convert(const TConversionOptions& Options) {
  const int rotation = PrepareOutput(Options);
  TFileDialogOptions open;
  open.Filter = kDrawingFilter;
  open.InitialFolder = env_.LastDir;
  const std::optional<fs::path> chosen = ui_.OpenFile(open);
  if (!chosen) return std::nullopt;
  const fs::path input = *chosen;
  const TDrawingKind kind = DrawingKindOf(input);

  std::optional<fs::path> target;  // none: a preview file
  bool cancelled = false;
  if (!Options.PreviewOnly) {
    TFileDialogOptions save;
    save.Filter = kPdfFilter;
    save.FileName = WithPdfExtension(input);
    save.ConfirmOverwrite = true;
    target = ui_.SaveFile(save);
    cancelled = !target;
  }
  CadPage.Reset();
  std::optional<fs::path> written;
  if (!cancelled) {
    THourglass hourglass(ui_);
    const bool completed = Guarded(input, [&] {
      if (kind == TDrawingKind::List) {
        std::vector<TListLine> lines;
        for (const std::string& line : ReadListLines(input)) lines.push_back(ParseListLine(line));
        written = ConvertList(lines, 1, target, input, Options, rotation);
      } else if (IsDrawing(kind)) {
        written = ConvertDrawing(input, target, Options, rotation,
                                 Options.OpenAfter || Options.PreviewOnly);
      }
    });
    if (!completed) return std::nullopt;
  }
  RememberFolder(input.parent_path());
  return written;
}

std::optional<fs::path> TConversionDriver::PreviewListEntry(const TListEntry& Entry,
                                                            const TConversionOptions& Options) {
  const int rotation = PrepareOutput(Options);
  CadPage.Reset();
  THourglass hourglass(ui_);
  Context.UseListMasks = 1;
  Context.ListGroupMask = Entry.Param.GroupMask;
  Context.ListLayerMask = Entry.Param.LayerMask;
  std::optional<fs::path> written;
  const fs::path path = Entry.Path;
  Guarded(path, [&] {
    if (IsDrawing(DrawingKindOf(path))) {
      written = ConvertDrawing(path, std::nullopt, Options, rotation, true);
    }
  });
  return written;
}

std::optional<fs::path> TConversionDriver::ConvertListEntries(
    const std::vector<TListEntry>& Entries, const TConversionOptions& Options) {
  const int rotation = PrepareOutput(Options);
  TFileDialogOptions save;
  save.Filter = kPdfFilter;
  if (!Entries.empty()) save.FileName = WithPdfExtension(Entries.front().Path);
  save.ConfirmOverwrite = true;
  const std::optional<fs::path> target = ui_.SaveFile(save);
  CadPage.Reset();
  if (!target) return std::nullopt;
  std::vector<TListLine> lines;
  for (const TListEntry& entry : Entries) lines.push_back({entry.Path, entry.Param.Masks()});
  std::optional<fs::path> written;
  Guarded(*target, [&] { written = ConvertList(lines, 0, target, {}, Options, rotation); });
  return written;
}

}  // namespace kyrovane
