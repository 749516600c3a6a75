#pragma once

// A one-line edit for a decimal number with a small spin button inside its right end. It takes
// only number characters, steps by a fixed increment, keeps the value within its bounds and
// always shows it with a fixed number of decimals.

#include <QLineEdit>
#include <QString>
#include <stdexcept>

class QToolButton;

namespace kyrovane::gui {

// A text that should have been a number: "'<text>' は浮動小数点数ではありません".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The number a text reads as (blanks around it allowed); EConvertError otherwise.
long double StrToFloat(const QString& text);

enum class TUDBtnType { btNext, btPrev };

class TFLEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TFLEdit(QWidget* parent = nullptr);

  // The bounds, the increment and the value are texts at this level. Setting Value,
  // MinValue or Increment to a text that is not a number throws EConvertError; an invalid
  // MaxValue is ignored.
  QString value() const;
  void setValue(const QString& text);
  QString maxValue() const;
  void setMaxValue(const QString& text);
  QString minValue() const;
  void setMinValue(const QString& text);
  QString increment() const;
  void setIncrement(const QString& text);
  int ketaDec() const { return KetaDec; }
  void setKetaDec(int decimals);
  bool editorEnabled() const { return EditorEnabled; }
  void setEditorEnabled(bool enabled) { EditorEnabled = enabled; }
  bool arrowKeys() const { return ArrowKeys; }
  void setArrowKeys(bool enabled) { ArrowKeys = enabled; }
  Qt::Orientation orientation() const { return Orientation; }
  void setOrientation(Qt::Orientation orientation);
  int spinWidth() const { return SpinWidth; }
  void setSpinWidth(int width);
  const QString& numberMask() const { return NumberMask; }

  // One spin step from `sender` (the spin button or the edit itself).
  virtual void Step(QObject* sender, TUDBtnType button);

  // The control's minimum height for its font.
  int GetMinHeight() const;

 signals:
  // After every spin step.
  void onBtnClick(QObject* sender, TUDBtnType button);
  // A refused character: the owner sounds the system beep.
  void beepRequested();
  // Text that could not be committed: the owner reports the message.
  void conversionFailed(const QString& message);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildFormat();
  void UpdateText();
  // Text into Value with clamping and re-formatting; a text that is not a number is reported
  // and leaves Value and the text as they are. False when it was reported.
  bool Commit();
  bool MayEditClipboard() const { return EditorEnabled && !isReadOnly(); }
  void PlaceSpinButton();

  float MinValue = 0;
  float MaxValue = 0;
  float Increment = 0;
  double Value = 0;
  int KetaDec = 0;
  bool EditorEnabled = true;
  QWidget* SpinButton = nullptr;
  QToolButton* nextArrow_ = nullptr;
  QToolButton* prevArrow_ = nullptr;
  bool ArrowKeys = false;
  Qt::Orientation Orientation = Qt::Horizontal;
  int SpinWidth = 0;
  QString NumberMask;
};

}  // namespace kyrovane::gui
