#include "app/gui/FLEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "import/DecimalText.h"
#include "pdf/PdfNumbers.h"

namespace kyrovane::gui {
namespace {

constexpr int kSpinDefaultWidth = 30;
constexpr int kSpinDefaultHeight = 17;
constexpr int kBorderHeight = 1;
// Gap between the spin button and the control's edges, inside the frame.
constexpr int kSpinInset = 2;

QString GeneralText(double value) {
  return QString::fromStdString(FloatToStrGeneral(value, 15));
}

// |value| rounded half away from zero on its 15 significant digits to `decimals` places, as
// sign, whole digits and fraction digits.
struct RoundedDecimal {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

RoundedDecimal RoundDecimal(double value, int decimals) {
  RoundedDecimal result;
  if (!std::isfinite(value)) value = 0;
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                     std::chars_format::scientific, 14);
  const std::string text(buffer, written.ptr);  // d.ddddddddddddddde±xx
  std::string digits = text.substr(0, 1) + text.substr(2, 14);
  // value = 0.<digits> * 10^point
  int point = std::atoi(text.c_str() + text.find('e') + 1) + 1;
  const int keep = point + decimals;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    int i = keep - 1;
    while (up && i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (up && i >= 0) ++digits[i];
    if (up && i < 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    }
  } else {
    digits.append(keep - digits.size(), '0');
  }
  if (keep < 0 || point <= 0) {
    result.whole = "0";
    result.fraction = std::string(std::clamp(-point, 0, decimals), '0') + digits;
    result.fraction.resize(decimals, '0');
  } else {
    result.whole = digits.substr(0, point);
    result.fraction = digits.substr(point);
  }
  const bool zero = result.whole.find_first_not_of('0') == std::string::npos &&
                    result.fraction.find_first_not_of('0') == std::string::npos;
  result.negative = value < 0 && !zero;
  return result;
}

// Value under a picture mask "[#…]0[.#…]": at least one whole digit, at most as many decimals
// as the mask has places, no trailing zeros. An empty mask gives the general form.
QString FormatFloat(const QString& mask, double value) {
  if (mask.isEmpty()) return GeneralText(value);
  const int point = mask.indexOf('.');
  const int decimals = point < 0 ? 0 : static_cast<int>(mask.size() - point - 1);
  RoundedDecimal number = RoundDecimal(value, decimals);
  while (!number.fraction.empty() && number.fraction.back() == '0') number.fraction.pop_back();
  std::string text = (number.negative ? "-" : "") + number.whole;
  if (!number.fraction.empty()) text += "." + number.fraction;
  return QString::fromStdString(text);
}

// The characters that typing may put into the text.
bool IsNumberCharacter(QChar character) {
  return QStringLiteral("0123456789.-").contains(character);
}

// Enter, Escape, Backspace and every key that types a character; the keys that only move
// or delete produce none.
bool TypesCharacter(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
      return true;
    case Qt::Key_Delete:
      return false;
    default:
      return !event.text().isEmpty();
  }
}

bool MatchesAny(const QKeyEvent& event, std::initializer_list<QKeySequence::StandardKey> keys) {
  return std::any_of(keys.begin(), keys.end(), [&](auto key) { return event.matches(key); });
}

// The editing shortcuts of every field are key sequences, not typed characters, though some
// of them come with a control character. Those that change the text edit it as typing does.
bool SelectsOrCopies(const QKeyEvent& event) {
  return MatchesAny(event, {QKeySequence::SelectAll, QKeySequence::Deselect, QKeySequence::Copy});
}

bool EditsText(const QKeyEvent& event) {
  return MatchesAny(event,
                    {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Paste,
                     QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
                     QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine});
}

}  // namespace

long double StrToFloat(const QString& text) {
  const std::optional<long double> number = ParseDecimal(text.toStdString());
  if (!number || std::fabs(*number) > std::numeric_limits<double>::max()) {
    throw EConvertError("'" + text.toStdString() + "' は浮動小数点数ではありません");
  }
  return *number;
}

TFLEdit::TFLEdit(QWidget* parent) : QLineEdit(parent) {
  SpinButton = new QWidget(this);
  nextArrow_ = new QToolButton(SpinButton);
  prevArrow_ = new QToolButton(SpinButton);
  for (QToolButton* arrow : {nextArrow_, prevArrow_}) {
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAutoRepeat(true);
    arrow->setCursor(Qt::ArrowCursor);
  }
  connect(nextArrow_, &QToolButton::clicked, this,
          [this] { Step(SpinButton, TUDBtnType::btNext); });
  connect(prevArrow_, &QToolButton::clicked, this,
          [this] { Step(SpinButton, TUDBtnType::btPrev); });
  SpinButton->resize(kSpinDefaultWidth, kSpinDefaultHeight);
  setOrientation(Qt::Horizontal);

  setKetaDec(2);
  setMaxValue("100");
  setIncrement("0.1");
  setValue("0");
  setSpinWidth(SpinButton->width());
}

QString TFLEdit::value() const {
  return GeneralText(Value);
}

void TFLEdit::setValue(const QString& text) {
  Value = text.isEmpty() ? 0 : static_cast<double>(StrToFloat(text));
  UpdateText();
}

QString TFLEdit::maxValue() const {
  return FormatFloat(NumberMask, MaxValue);
}

void TFLEdit::setMaxValue(const QString& text) {
  try {
    MaxValue = static_cast<float>(StrToFloat(text));
  } catch (const EConvertError&) {
    return;
  }
  BuildFormat();
}

QString TFLEdit::minValue() const {
  return FormatFloat(NumberMask, MinValue);
}

void TFLEdit::setMinValue(const QString& text) {
  MinValue = static_cast<float>(StrToFloat(text));
}

QString TFLEdit::increment() const {
  return FormatFloat(NumberMask, Increment);
}

void TFLEdit::setIncrement(const QString& text) {
  Increment = static_cast<float>(StrToFloat(text));
}

void TFLEdit::setKetaDec(int decimals) {
  KetaDec = std::max(decimals, 0);
  BuildFormat();
  UpdateText();
}

void TFLEdit::setOrientation(Qt::Orientation orientation) {
  Orientation = orientation;
  const bool horizontal = orientation == Qt::Horizontal;
  nextArrow_->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
  prevArrow_->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
  PlaceSpinButton();
}

void TFLEdit::setSpinWidth(int width) {
  SpinWidth = width;
  SpinButton->resize(width, SpinButton->height());
  PlaceSpinButton();
}

void TFLEdit::BuildFormat() {
  const QString max = FormatFloat(NumberMask, MaxValue).trimmed();
  const qsizetype point = max.indexOf('.');
  const qsizetype wholeDigits = point < 0 ? max.size() : point;
  QString mask = wholeDigits > 0 ? QString(wholeDigits - 1, '#') + "0" : QString();
  if (KetaDec != 0) mask += "." + QString(KetaDec, '#');
  NumberMask = mask;
}

void TFLEdit::UpdateText() {
  // The maximum first, so that a minimum above the maximum wins.
  if (Value > MaxValue) Value = MaxValue;
  if (Value < MinValue) Value = MinValue;
  QString text = FormatFloat(NumberMask, Value).trimmed();
  if (text.isEmpty()) text = "0";
  const qsizetype point = text.indexOf('.');
  const QString whole = point == 0 ? "0" : point > 0 ? text.left(point) : text;
  const QString fraction = point < 0 ? QString() : text.mid(point + 1);
  const QString decimals = (fraction + QString(KetaDec + 1, '0')).left(KetaDec);
  setText(KetaDec != 0 ? whole + "." + decimals : whole);
}

bool TFLEdit::Commit() {
  try {
    setValue(text());
  } catch (const EConvertError& error) {
    emit conversionFailed(QString::fromStdString(error.what()));
    return false;
  }
  return true;
}

void TFLEdit::Step(QObject* sender, TUDBtnType button) {
  setFocus();
  if (isReadOnly()) return;
  // Step from the number shown, which may have been typed since the last commit.
  if (text() != value() && !Commit()) return;
  Value += button == TUDBtnType::btNext ? Increment : -Increment;
  UpdateText();
  selectAll();
  emit onBtnClick(sender, button);
}

int TFLEdit::GetMinHeight() const {
  const int own = QFontMetrics(font()).height();
  const int system = QFontMetrics(QApplication::font()).height();
  return own + std::min(system, own) / 4 + 4 * kBorderHeight + 2;
}

void TFLEdit::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (isReadOnly()) return;
  if (ArrowKeys && event->key() == Qt::Key_Up) Step(this, TUDBtnType::btNext);
  if (ArrowKeys && event->key() == Qt::Key_Down) Step(this, TUDBtnType::btPrev);
  if (EditsText(*event)) {
    if (EditorEnabled) {
      QLineEdit::keyPressEvent(event);
    } else {
      emit beepRequested();
    }
    return;
  }
  if (SelectsOrCopies(*event) || !TypesCharacter(*event)) {
    QLineEdit::keyPressEvent(event);
    event->accept();  // no key but Escape leaves the control for the dialog
    return;
  }
  if (!EditorEnabled) {
    emit beepRequested();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Commit();
      return;
    case Qt::Key_Escape:
      event->ignore();  // never typed; the dialog's Cancel
      return;
    case Qt::Key_Backspace:
      QLineEdit::keyPressEvent(event);
      return;
    default:
      break;
  }
  const QString typed = event->text();
  if (typed.size() == 1 && IsNumberCharacter(typed.front()) &&
      !(event->modifiers() & Qt::ControlModifier)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  emit beepRequested();
}

void TFLEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (isReadOnly() || event->commitString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  // What an input method commits is typed: each character passes the filter of typed ones.
  QString taken;
  for (const QChar character : event->commitString()) {
    if (EditorEnabled && IsNumberCharacter(character)) taken += character;
  }
  if (taken.size() != event->commitString().size()) emit beepRequested();
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(taken, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&filtered);
  event->setAccepted(filtered.isAccepted());
}

void TFLEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() != Qt::MouseFocusReason) selectAll();
}

void TFLEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window taking the activation (a message box, a menu) is not leaving the control.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    Commit();
  }
}

void TFLEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  if (height() < GetMinHeight()) {
    resize(width(), GetMinHeight());
    return;
  }
  PlaceSpinButton();
}

void TFLEdit::PlaceSpinButton() {
  const int width = SpinButton->width();
  SpinButton->setGeometry(this->width() - width - kSpinInset, kSpinInset, width,
                          std::max(height() - 2 * kSpinInset, 1));
  const int half = Orientation == Qt::Horizontal ? width / 2 : SpinButton->height() / 2;
  if (Orientation == Qt::Horizontal) {
    prevArrow_->setGeometry(0, 0, half, SpinButton->height());
    nextArrow_->setGeometry(half, 0, width - half, SpinButton->height());
  } else {
    nextArrow_->setGeometry(0, 0, width, half);
    prevArrow_->setGeometry(0, half, width, SpinButton->height() - half);
  }
  // The text never runs under the spin button.
  setTextMargins(0, 0, width + kSpinInset, 0);
}

void TFLEdit::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  for (QAction* action : menu->actions()) {
    const QString name = action->objectName();
    if (name == "edit-cut" || name == "edit-paste" || name == "edit-delete") {
      action->setEnabled(action->isEnabled() && MayEditClipboard());
    }
  }
  menu->exec(event->globalPos());
}

void TFLEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection on X11.
  if (event->button() == Qt::MiddleButton && !MayEditClipboard()) return;
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace kyrovane::gui
