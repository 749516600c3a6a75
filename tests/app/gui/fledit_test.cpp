#include <QClipboard>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "app/gui/FLEdit.h"

using kyrovane::gui::TFLEdit;
using kyrovane::gui::TUDBtnType;

namespace {

// The pen-width control of the detail dialog.
void MakePenWidth(TFLEdit& edit) {
  edit.setKetaDec(2);
  edit.setMinValue("0.01");
  edit.setMaxValue("1");
  edit.setIncrement("0.01");
  edit.setValue("0.1");
}

}  // namespace

class FLEditTest : public QObject {
  Q_OBJECT

 private slots:
  // The mask the bounds give, and what the control shows after a text typed and entered.
  void masksAndCommittedTexts() {
    struct Row {
      int decimals;
      const char* min;
      const char* max;
      const char* mask;
      const char* typed;
      const char* shown;
    };
    const Row rows[] = {
        {2, "0.01", "1", "0.##", "5", "1.00"},  // above the maximum
        {2, "0.01", "1", "0.##", "0", "0.01"},  // below the minimum
        {2, "0.01", "1", "0.##", "", "0.01"},   // empty is 0, clamped
        {2, "0", "10", "#0.##", "2", "2.00"},
        {2, "0", "1", "0.##", ".1", "0.10"},
        {1, "0", "10", "#0.#", "5", "5.0"},
        {2, "-1", "1", "0.##", "-.5", "-0.50"},
        {0, "0", "100", "##0", "12.6", "13"},
        {2, "0", "1", "0.##", "0.105", "0.11"},  // half up on the digits
        {2, "0", "10", "#0.##", "1.999", "2.00"},
        {1, "5", "1", "0.#", "3", "5.0"},  // a minimum above the maximum wins
        {1, "-1000", "1000", "###0.#", "-1000.04", "-1000.0"},
    };
    for (const Row& row : rows) {
      TFLEdit edit;
      edit.setKetaDec(row.decimals);
      edit.setMinValue(row.min);
      edit.setMaxValue(row.max);
      QCOMPARE(edit.numberMask(), QString(row.mask));
      edit.setText("");
      QTest::keyClicks(&edit, row.typed);
      QTest::keyClick(&edit, Qt::Key_Return);
      QVERIFY2(edit.text() == row.shown, qPrintable(row.typed + (" gave " + edit.text())));
    }
  }

  void stepsStartFromTheNumberShownAndClamp() {
    TFLEdit edit;
    MakePenWidth(edit);
    QSignalSpy clicks(&edit, &TFLEdit::onBtnClick);
    edit.resize(80, 21);
    edit.show();
    const auto arrows = edit.findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    for (QToolButton* arrow : arrows) {
      if (arrow->arrowType() == Qt::RightArrow) QTest::mouseClick(arrow, Qt::LeftButton);
    }
    QCOMPARE(edit.text(), QString("0.11"));
    edit.setText("0.5");  // typed, not committed
    edit.Step(&edit, TUDBtnType::btPrev);
    QCOMPARE(edit.text(), QString("0.49"));
    edit.setValue("1");
    edit.Step(&edit, TUDBtnType::btNext);
    QCOMPARE(edit.text(), QString("1.00"));
    QCOMPARE(clicks.count(), 3);
  }

  void typingFilterBeepsAndLeavesOnlyEscapeToTheDialog() {
    TFLEdit edit;
    MakePenWidth(edit);
    QSignalSpy beeps(&edit, &TFLEdit::beepRequested);
    edit.selectAll();
    QTest::keyClicks(&edit, "a0x.5");
    QCOMPARE(edit.text(), QString("0.5"));
    QCOMPARE(beeps.count(), 2);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(&edit, &escape);
    QVERIFY(!escape.isAccepted());  // the dialog's cancel
    QCOMPARE(beeps.count(), 2);
    QApplication::sendEvent(&edit, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(edit.text(), QString("0.50"));
  }

  // Text that an input method commits passes the same filter, character by character.
  void inputMethodTextIsFilteredAsTyping() {
    TFLEdit edit;
    MakePenWidth(edit);
    QSignalSpy beeps(&edit, &TFLEdit::beepRequested);
    const auto commit = [&edit](const QString& text) {
      QInputMethodEvent event;
      event.setCommitString(text);
      QApplication::sendEvent(&edit, &event);
    };
    edit.selectAll();
    commit("１．５あ");
    QCOMPARE(edit.text(), QString("0.10"));
    QCOMPARE(beeps.count(), 1);
    edit.selectAll();
    commit("0.5あ");
    QCOMPARE(edit.text(), QString("0.5"));
    QCOMPARE(beeps.count(), 2);
    edit.setEditorEnabled(false);
    commit("5");
    QCOMPARE(edit.text(), QString("0.5"));
    QCOMPARE(beeps.count(), 3);
  }

  // As an X server sends them: Ctrl+A and Ctrl+Z come with control characters.
  void editingShortcutsAreNoTypedCharacters() {
    TFLEdit edit;
    MakePenWidth(edit);
    QSignalSpy beeps(&edit, &TFLEdit::beepRequested);
    edit.deselect();
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_A, "\x01", Qt::ControlModifier);
    QTest::keyClicks(&edit, "0.35");
    QCOMPARE(edit.text(), QString("0.35"));
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_Z, "\x1a", Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("0.10"));
    QCOMPARE(beeps.count(), 0);
    QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_B, "\x02", Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_A);
    QCOMPARE(edit.text(), QString("0.10"));
    QCOMPARE(beeps.count(), 2);
  }

  void editorDisabledAndReadOnly() {
    TFLEdit edit;
    MakePenWidth(edit);
    edit.setEditorEnabled(false);
    QSignalSpy beeps(&edit, &TFLEdit::beepRequested);
    QApplication::clipboard()->setText("0.7");
    QTest::keyClicks(&edit, "3");
    QTest::keySequence(&edit, QKeySequence::Paste);
    QCOMPARE(edit.text(), QString("0.10"));
    QCOMPARE(beeps.count(), 2);
    edit.Step(&edit, TUDBtnType::btNext);  // steps all the same
    QCOMPARE(edit.text(), QString("0.11"));

    edit.setEditorEnabled(true);
    edit.setArrowKeys(true);
    edit.setReadOnly(true);  // neither steps nor arrow keys
    edit.Step(&edit, TUDBtnType::btNext);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QString("0.11"));
    edit.setReadOnly(false);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QString("0.12"));
  }

  void invalidTextOnLeavingIsReportedAndKept() {
    QWidget window;
    auto* edit = new TFLEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    MakePenWidth(*edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy failures(edit, &TFLEdit::conversionFailed);
    edit->setFocus();
    edit->setText("1.2.3");
    other->setFocus();
    QCOMPARE(failures.count(), 1);
    QCOMPARE(failures[0][0].toString(), QString("'1.2.3' は浮動小数点数ではありません"));
    QCOMPARE(edit->text(), QString("1.2.3"));
    QCOMPARE(edit->value(), QString("0.1"));
    QVERIFY_THROWS_EXCEPTION(kyrovane::gui::EConvertError, edit->setValue("x"));
  }

  void growsToItsMinimumHeight() {
    TFLEdit edit;
    edit.show();
    edit.resize(80, 10);
    QCOMPARE(edit.height(), edit.GetMinHeight());
    const int h = QFontMetrics(edit.font()).height();
    QCOMPARE(edit.GetMinHeight(),
             h + std::min(h, QFontMetrics(QApplication::font()).height()) / 4 + 6);
  }
};

QTEST_MAIN(FLEditTest)
#include "fledit_test.moc"
