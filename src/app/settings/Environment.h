#pragma once

// The settings record of every conversion and the four copies the program keeps of it.
// Colours are palette indexes (see Palette.h) except CustomColor, which holds colour values.

#include <array>
#include <cstdint>
#include <string>

#include "app/settings/IndexedArray.h"
#include "app/settings/Palette.h"

namespace kyrovane {

// A value-initialised record is all zero (Booleans false, numbers 0, strings empty), as the
// instances are before the ini file has been read; DefaultEnvironment() gives the values used
// for missing keys.
struct REnvironment {
  bool Save = false;      // "環境を保存する" ticked
  bool PreView = false;   // "プレビューのみ" ticked
  bool UseColor = false;  // colour lines by pen colour
  bool UseSpline = false;
  bool UseJwwFont = false;
  bool UseLayerColor = false;  // colour lines by layer
  bool UseGray = false;        // one colour for display-only layers
  bool PictureCompression = false;
  bool Mode = false;  // main window layout: false basic, true detail

  IndexedArray<long double, 1, 9> Line;               // pen widths in mm
  IndexedArray<int32_t, 1, 9> LineColor;              // palette index per pen
  int32_t BackGroundColor = 0;                        // palette index
  std::array<TColor, 8> CustomColor{};                // values of palette indexes 23..30
  IndexedArray<long double, 1, 19> LinePatternScale;  // dash-pitch factor per line type
  long double Magnification = 0;                      // size factor of point marks
  long double TextRise = 0;                           // text baseline rise factor
  long double LeftMargin = 0;                         // mm
  long double BottomMargin = 0;                       // mm
  long double RandomWidth = 0;                        // amplitude factor of zig-zag lines
  std::array<int32_t, 256> LayerColor{};              // palette index per layer, group * 16 + layer
  int32_t GrayLayerColor = 0;                         // palette index for display-only layers
  std::string LastDir;                                // UTF-8 folder of the last drawing chosen
  std::string TextFont;                               // "Gothic" or "Mincyo"

  // Per conversion, never stored.
  int32_t PaperMode = 0;  // 3 = fit to A3, 4 = fit to A4, while FitToPaper is set
  bool FitToPaper = false;
  bool HalfScale = false;

  bool operator==(const REnvironment&) const = default;
};

// The record with the value of every setting whose key is missing from a settings file.
REnvironment DefaultEnvironment();

// Puts the reset values of "設定を初期化する" into env; the window flags, the font choice, the
// last folder and the custom and layer colours stay as they are.
void ResetEnvironment(REnvironment& env);

// After a load: a font other than exactly "Gothic" or "Mincyo" becomes "Gothic".
void ValidateTextFont(REnvironment& env);

// Whether two records hold the same settings, the per-conversion fields aside.
bool SameStoredSettings(const REnvironment& a, const REnvironment& b);

// The four copies of the settings: the working copy that conversions and dialogs use, the main
// window's committed copy (mirrored to the ini file), the list window's committed copy and the
// settings-file dialog's copy. Every copy between them is a whole-record assignment.
struct Settings {
  REnvironment Env;
  REnvironment SavedEnv;
  REnvironment ListEnv;
  REnvironment PropertyEnv;
};

}  // namespace kyrovane
