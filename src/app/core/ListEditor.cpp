#include "app/core/ListEditor.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <system_error>

#include "app/core/LayerScan.h"
#include "app/core/UiPort.h"
#include "files/RegularFile.h"
#include "text/AsciiCase.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWarning = "警告";
constexpr uint16_t kAllOn = 0xFFFF;

bool PathBefore(const TListEntry& a, const TListEntry& b) {
  return std::ranges::lexicographical_compare(a.Path, b.Path, [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  });
}

}  // namespace

TListEditor::TListEditor(Settings& Settings, UiPort& Ui) : settings_(Settings), ui_(Ui) {}

const TListEntry* TListEditor::SelectedEntry() const {
  return selected_ >= 0 ? &entries_[static_cast<std::size_t>(selected_)] : nullptr;
}

TParam* TListEditor::SelectedParam() {
  return selected_ >= 0 ? &entries_[static_cast<std::size_t>(selected_)].Param : nullptr;
}

void TListEditor::ScanSelected() {
  ScanUsedLayers(entries_[static_cast<std::size_t>(selected_)], ui_);
}

void TListEditor::Select(int Index) {
  if (Index < 0 || Index >= std::ssize(entries_)) return;
  selected_ = Index;
  currentGroup_ = 0;
  if (!SelectedParam()->Scanned) ScanSelected();
}

void TListEditor::Add() {
  TFileDialogOptions options;
  options.Filter = kListDrawingFilter;
  options.InitialFolder = InitialFolder;
  AddDrawings(ui_.OpenFiles(options));
}

void TListEditor::AddDrawings(const std::vector<fs::path>& Paths) {
  for (const fs::path& path : Paths) {
    const int at = entries_.empty() ? 0 : selected_ + 1;
    entries_.insert(entries_.begin() + at, {path.string(), MakeDrawingEntry(path, ui_)});
    selected_ = at;
    modified_ = true;
    if (entries_[at].Param.Scanned) continue;  // its drawing could not be read, and was told
    try {
      ScanSelected();
    } catch (const std::exception& error) {
      ReportError(ui_, error.what());
    }
  }
  if (!Paths.empty()) currentGroup_ = 0;
}

void TListEditor::Delete() {
  if (selected_ < 0) return;
  if (ui_.MessageBox(kWarning, "削除しますか？", TMessageIcon::Warning, TMessageButtons::OkCancel,
                     TMessageAnswer::Cancel) != TMessageAnswer::Ok) {
    return;
  }
  entries_.erase(entries_.begin() + selected_);
  modified_ = true;
  selected_ = entries_.empty() ? -1 : std::max(selected_ - 1, 0);
  currentGroup_ = 0;
}

void TListEditor::Sort() {
  std::vector<std::size_t> order(entries_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::ranges::stable_sort(
      order, [&](std::size_t a, std::size_t b) { return PathBefore(entries_[a], entries_[b]); });
  std::vector<TListEntry> sorted;
  for (const std::size_t i : order) {
    if (static_cast<int>(i) == selected_) selected_ = static_cast<int>(sorted.size());
    sorted.push_back(std::move(entries_[i]));
  }
  entries_ = std::move(sorted);
  modified_ = true;
}

void TListEditor::Up() {
  if (entries_.size() < 2 || selected_ <= 0) return;
  std::swap(entries_[selected_], entries_[selected_ - 1]);
  --selected_;
  modified_ = true;
}

void TListEditor::Down() {
  if (entries_.size() < 2 || selected_ < 0 || selected_ >= std::ssize(entries_) - 1) return;
  std::swap(entries_[selected_], entries_[selected_ + 1]);
  ++selected_;
  modified_ = true;
}

bool TListEditor::SaveBeforeLosing(std::string_view Question) {
  if (!modified_) return true;
  // Enter saves: the list is kept, in its file.
  switch (ui_.MessageBox(kWarning, Question, TMessageIcon::Warning, TMessageButtons::YesNoCancel,
                         TMessageAnswer::Yes)) {
    case TMessageAnswer::Yes:
      return SaveList();
    case TMessageAnswer::No:
      return true;
    default:
      return false;
  }
}

void TListEditor::Clear() {
  if (entries_.empty() || !SaveBeforeLosing("保存されていません。保存しますか？")) return;
  Empty();
}

void TListEditor::Empty() {
  entries_.clear();
  selected_ = -1;
  modified_ = false;
}

void TListEditor::Load() {
  if (!SaveBeforeLosing("保存されていません。保存しますか？")) return;
  TFileDialogOptions options;
  options.Filter = kListFilter;
  options.DefaultSuffix = "lst";
  options.InitialFolder = InitialFolder;
  options.FileName = lastLoaded_;
  const std::optional<fs::path> path = ui_.OpenFile(options);
  if (!path) return;
  entries_ = LoadListFile(*path, settings_, ui_);
  lastLoaded_ = *path;
  modified_ = false;
  selected_ = static_cast<int>(entries_.size()) - 1;
}

bool TListEditor::SaveList() {
  std::error_code error;
  if (!lastLoaded_.empty() && fs::exists(lastLoaded_, error)) {
    saveName_ = lastLoaded_;
  } else if (!entries_.empty()) {
    saveName_ = fs::path(entries_.front().Path).replace_extension(".lst");
  }
  TFileDialogOptions options;
  options.Filter = kListFilter;
  options.InitialFolder = InitialFolder;
  options.FileName = saveName_;
  options.ConfirmOverwrite = true;
  const std::optional<fs::path> path = ui_.SaveFile(options);
  if (!path || !MayReplaceSettingsFile(*path)) return false;
  SaveListFile(*path, entries_, settings_);
  saveName_ = *path;
  modified_ = false;
  return true;
}

bool TListEditor::MayReplaceSettingsFile(const fs::path& ListPath) {
  // Beside a list file that is replaced stands that list's own settings file, which goes with
  // it as the save dialog's question said; one standing alone is the user's.
  const fs::path settingsFile = CompanionSettingsPath(ListPath);
  if (IsAbsent(settingsFile) || !IsAbsent(ListPath)) return true;
  // Worded as the save dialog asks about the list file.
  return ui_.MessageBox(kSaveDialogCaption,
                        settingsFile.filename().string() + " は既に存在します。\r\n置き換えますか?",
                        TMessageIcon::Warning, TMessageButtons::YesNo,
                        TMessageAnswer::No) == TMessageAnswer::Yes;
}

void TListEditor::EditSettings(const std::function<void(REnvironment&)>& Dialog) {
  const REnvironment before = settings_.ListEnv;
  Dialog(settings_.ListEnv);
  if (!SameStoredSettings(before, settings_.ListEnv)) modified_ = true;
}

bool TListEditor::QueryClose() {
  return SaveBeforeLosing("保存しますか？");
}

void TListEditor::Modify(uint16_t& Mask, uint16_t Value) {
  if (Mask == Value) return;
  Mask = Value;
  modified_ = true;
}

void TListEditor::GroupButtonDown(int Group, TMouseButton Button) {
  TParam* param = SelectedParam();
  if (param == nullptr) return;
  if (Button == TMouseButton::Right) {
    currentGroup_ = Group;
  } else {
    Modify(param->GroupMask, param->GroupMask ^ MaskBit(Group));
  }
}

void TListEditor::LayerButtonDown(int Layer) {
  if (TParam* param = SelectedParam()) {
    uint16_t& mask = param->LayerMask[currentGroup_];
    Modify(mask, mask ^ MaskBit(Layer));
  }
}

void TListEditor::LayerAllDown(TMouseButton Button) {
  if (TParam* param = SelectedParam()) {
    uint16_t& mask = param->LayerMask[currentGroup_];
    Modify(mask, Button == TMouseButton::Left && mask != 0 ? 0 : kAllOn);
  }
}

void TListEditor::GroupAllDown(TMouseButton Button) {
  if (TParam* param = SelectedParam()) {
    const uint16_t alone = MaskBit(currentGroup_);
    const bool onlyCurrent = Button == TMouseButton::Left && param->GroupMask != alone;
    Modify(param->GroupMask, onlyCurrent ? alone : kAllOn);
  }
}

void TListEditor::Split() {
  const TListEntry* chosen = SelectedEntry();
  if (chosen == nullptr) return;
  std::vector<TListEntry> parts;
  for (int group = 0; group < 16; ++group) {
    const TParam& whole = chosen->Param;
    if (group == currentGroup_ ||
        (whole.UsedLayerMask[group] == 0 && whole.TextLayerMask[group] == 0)) {
      continue;
    }
    TListEntry part{chosen->Path, {}};
    part.Param.GroupMask = MaskBit(currentGroup_) | MaskBit(group);
    part.Param.LayerMask = whole.LayerMask;
    part.Param.Memo = whole.Memo;
    parts.push_back(std::move(part));
  }
  if (parts.empty()) return;
  const auto at = entries_.erase(entries_.begin() + selected_);
  entries_.insert(at, parts.begin(), parts.end());
  modified_ = true;
  ScanSelected();
}

}  // namespace kyrovane
