#pragma once

// The list window's list without its widgets: the entries in order, the selected one, the
// layer group whose layers the layer buttons show, the layer selection edits, the layer split,
// the list files and every question asked on the way. The window shows this state and hands
// its controls' events here.

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "app/core/ListFiles.h"
#include "app/settings/Environment.h"

namespace kyrovane {

class UiPort;

inline constexpr std::string_view kListDrawingFilter =
    "JW_CAD図面ファイル(*.jww;*.jwc)|*.jww;*.jwc|JW_CAD図形ファイル(*.jwk)|*.jwk";

enum class TMouseButton { Left, Right, Middle };

class TListEditor {
 public:
  // Loading and saving use Settings.ListEnv and Settings.Env; the questions go through Ui.
  TListEditor(Settings& Settings, UiPort& Ui);

  const std::vector<TListEntry>& Entries() const { return entries_; }
  // The selected entry's index; -1 when none is.
  int Selected() const { return selected_; }
  const TListEntry* SelectedEntry() const;
  int CurrentGroup() const { return currentGroup_; }
  // Unsaved changes: entries added, deleted or moved, masks edited, entries split, settings
  // changed.
  bool Modified() const { return modified_; }

  // The folder the file dialogs start in; empty: the dialogs' own choice.
  std::filesystem::path InitialFolder;

  // Selects an entry, scanning it when it was not yet, and shows its group 0.
  void Select(int Index);

  // "追加": asks for drawings and adds them.
  void Add();
  // Each drawing goes in after the selected entry, becomes selected and is scanned; a drawing
  // that cannot be scanned is reported and the others are added all the same.
  void AddDrawings(const std::vector<std::filesystem::path>& Paths);
  // "削除", after the question; the entry above becomes selected.
  void Delete();
  // "ソート": by path, without regard to case; the selected entry stays selected.
  void Sort();
  void Up();
  void Down();
  // "クリア": an unsaved list is saved first when the user wishes.
  void Clear();
  // "lst読み込み": an unsaved list is saved first when the user wishes; the list is replaced
  // only by a list file that was chosen and read.
  void Load();
  // "lst保存": false when the save dialog is cancelled. Replacing a list file is confirmed in
  // it; a settings file that stands on its own where the list's goes is replaced only when the
  // user says so, and nothing is saved otherwise (false).
  bool SaveList();
  // "詳細設定": Dialog edits the list's settings (Settings.ListEnv); a change of any that its
  // settings file holds is a change of the list.
  void EditSettings(const std::function<void(REnvironment& ListEnv)>& Dialog);
  // Whether the window may close, after asking about unsaved changes.
  bool QueryClose();
  // Empties the list, as closing the window does.
  void Empty();

  // The layer buttons, acting on the selected entry.
  void GroupButtonDown(int Group, TMouseButton Button);
  void LayerButtonDown(int Layer);
  void LayerAllDown(TMouseButton Button);
  void GroupAllDown(TMouseButton Button);
  // "レイヤー分解": the selected entry becomes one entry per other layer group that holds
  // something, each outputting the shown group and that group.
  void Split();

 private:
  TParam* SelectedParam();
  void Modify(uint16_t& Mask, uint16_t Value);
  // Asks about unsaved changes: true when the list may go.
  bool SaveBeforeLosing(std::string_view Question);
  // Whether the list may be saved as ListPath, as far as the settings file beside it goes.
  bool MayReplaceSettingsFile(const std::filesystem::path& ListPath);
  void ScanSelected();

  Settings& settings_;
  UiPort& ui_;
  std::vector<TListEntry> entries_;
  int selected_ = -1;
  int currentGroup_ = 0;
  bool modified_ = false;
  std::filesystem::path lastLoaded_;  // offered again when saving
  std::filesystem::path saveName_;
};

}  // namespace kyrovane
