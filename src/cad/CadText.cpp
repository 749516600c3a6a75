#include "cad/CadText.h"

#include <algorithm>
#include <cmath>

#include "cad/CadInsert.h"
#include "cad/CadPage.h"
#include "cad/Finite.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

// Start of the last character of a code page 932 text (scanned from the start, since a trail
// byte can look like a single-byte character).
std::size_t LastCharStart(std::string_view s) {
  std::size_t pos = 0;
  std::size_t last = 0;
  while (pos < s.size()) {
    last = pos;
    pos += cp932::CharLength(s, pos);
  }
  return last;
}

bool EndsInMiddleDot(std::string_view s) {
  const std::string_view last = s.substr(LastCharStart(s));
  return last == "\xA5" || last == "\x81\x45";
}

// Whether the text ends in "^" and a digit 1 to 9, the caret being a character of its own.
int TrailingNarrowing(std::string_view t) {
  const std::size_t L = t.size();
  if (L <= 3) return 0;
  const char digit = t[L - 1];
  if (t[L - 2] != '^' || digit < '1' || digit > '9') return 0;
  if (LastCharStart(t.substr(0, L - 1)) != L - 2) return 0;
  return digit - '0';
}

// The printer takes the horizontal scale as a whole, positive percent.
std::uint16_t ScalingPercent(long double hs) {
  const long double rounded = std::nearbyint(hs);
  if (!std::isfinite(rounded)) return 100;
  return static_cast<std::uint16_t>(std::clamp(rounded, 1.0L, 65535.0L));
}

}  // namespace

std::string StripTrailingDots(std::string_view S) {
  while (S.size() >= 3) {
    const std::size_t start = LastCharStart(S);
    const std::string_view last = S.substr(start);
    if (last != "\xA5" && last != "\x81\x45") break;
    S = S.substr(0, start);
  }
  return std::string(S);
}

std::string TrimPaperText(std::string_view S) {
  if (S.ends_with(' ')) return std::string(S.substr(0, S.size() - 1));
  if (S.size() > 2 && EndsInMiddleDot(S)) return StripTrailingDots(S);
  return std::string(S);
}

TCad_Text::TCad_Text(TCad_Object* AOwner, TCad_Layer& ALayer) : TCad_Entity(AOwner, ALayer) {
  Pass = 3;
}

void TCad_Text::Draw(TCad_Insert* Insert, TPdfCanvas&, long double OffX, long double OffY,
                     std::uint8_t Pass) {
  SetParent(Insert);
  if (!DrawsIn(Pass)) return;
  std::string font = FontName.empty() ? Page().Output.DefaultFontName : FontName;
  const TPoint3 p = TransformPoint(Position);
  long double h = TransformLengthY(Height);
  long double sp = TransformLengthX(Spacing);
  const long double a = TransformAngle(Angle);
  long double hs = HScale;
  std::string t = Text;

  if (PaperSized != 0 && !t.empty()) {
    const long double outputScale = Page().Output.OutputScale;
    h = MmToPt(InsertScaledY(Height)) * outputScale;
    sp = MmToPt(InsertScaledX(Spacing)) * outputScale;
    if (Spacing < 0 && h != 0) {
      hs = (h + sp) * 100 / h;
      sp = 0;
    }
    bool dots = false;
    if (t.back() == ' ') {
      t.pop_back();
    } else if (t.size() > 2) {
      dots = EndsInMiddleDot(t);
    }
    if (const int n = TrailingNarrowing(t)) {
      const long double L = static_cast<long double>(t.size());
      hs = hs * (L - 2 - n) / (L - 2);
      t.resize(t.size() - 2);
    }
    if (dots) {
      const long double w1 = static_cast<long double>(t.size()) * h * hs / 100;
      std::string s = StripTrailingDots(t);
      const long double w2 = static_cast<long double>(s.size()) * h * hs / 100;
      if (s.size() >= 2) sp += (w1 - w2) / static_cast<long double>(s.size() - 1);
      t = std::move(s);
    }
  }

  long double x = OffX + p.X;
  long double y = OffY + p.Y;
  if (Vertical != 0) {
    font += "V";
    const long double across = cad::DegToRad(a + 90);
    x += std::cos(across) * h / 2;
    y += std::sin(across) * h / 2;
  }
  // A text without height shows nothing; one with a damaged number is not drawn. An angle
  // that is no number is left to the printer, which writes the text unturned.
  if (h == 0 || !cad::AllWritable({x, y, h, sp})) return;
  Printer().TextOut(ScalingPercent(hs), t, x, y, sp, a, font, h, Color, PaperSized != 0);
}

}  // namespace kyrovane
