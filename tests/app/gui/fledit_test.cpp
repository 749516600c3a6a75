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

void TypeAndEnter(TFLEdit& edit, const QString& text) {
  edit.selectAll();
  QTest::keyClicks(&edit, text);
  QTest::keyClick(&edit, Qt::Key_Return);
}

}  // namespace

class FLEditTest : public QObject {
  Q_OBJECT

 private slots:
  void constructionDefaults() {
    TFLEdit edit;
    QCOMPARE(edit.text(), QString("0.00"));
    QCOMPARE(edit.numberMask(), QString("##0.##"));
    QCOMPARE(edit.maxValue(), QString("100"));
    QCOMPARE(edit.increment(), QString("0.1"));
    QCOMPARE(edit.spinWidth(), 30);
  }

  void masksFollowMaximumAndDecimals_data() {
    QTest::addColumn<QString>("max");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("mask");
    QTest::newRow("1/2") << "1" << 2 << "0.##";
    QTest::newRow("1000/1") << "1000" << 1 << "###0.#";
    QTest::newRow("100/0") << "100" << 0 << "##0";
  }
  void masksFollowMaximumAndDecimals() {
    QFETCH(QString, max);
    QFETCH(int, decimals);
    QFETCH(QString, mask);
    TFLEdit edit;
    edit.setKetaDec(decimals);
    edit.setMaxValue(max);
    QCOMPARE(edit.numberMask(), mask);
  }

  // What the control shows after a committed text, under the pen-width bounds 0.01 .. 1 and
  // other settings given per row.
  void committedTexts_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above max") << 2 << "0.01"
                               << "1"
                               << "5"
                               << "1.00";
    QTest::newRow("below min") << 2 << "0.01"
                               << "1"
                               << "0"
                               << "0.01";
    QTest::newRow("empty is 0, clamped") << 2 << "0.01"
                                         << "1"
                                         << ""
                                         << "0.01";
    QTest::newRow("whole number") << 2 << "0"
                                  << "10"
                                  << "2"
                                  << "2.00";
    QTest::newRow("padded") << 2 << "0"
                            << "1"
                            << ".1"
                            << "0.10";
    QTest::newRow("one decimal") << 1 << "0"
                                 << "10"
                                 << "5"
                                 << "5.0";
    QTest::newRow("negative") << 2 << "-1"
                              << "1"
                              << "-.5"
                              << "-0.50";
    QTest::newRow("no decimals") << 0 << "0"
                                 << "100"
                                 << "12.6"
                                 << "13";
    QTest::newRow("half up on digits") << 2 << "0"
                                       << "1"
                                       << "0.105"
                                       << "0.11";
    QTest::newRow("rounds to whole") << 2 << "0"
                                     << "10"
                                     << "1.999"
                                     << "2.00";
    QTest::newRow("min above max wins") << 1 << "5"
                                        << "1"
                                        << "3"
                                        << "5.0";
    QTest::newRow("margins") << 1 << "-1000"
                             << "1000"
                             << "-1000.04"
                             << "-1000.0";
  }
  void committedTexts() {
    QFETCH(int, decimals);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TFLEdit edit;
    edit.setKetaDec(decimals);
    edit.setMinValue(min);
    edit.setMaxValue(max);
    edit.setText("");
    TypeAndEnter(edit, typed);
    QCOMPARE(edit.text(), shown);
  }

  void stepsStartFromTheNumberShownAndClamp() {
    TFLEdit edit;
    MakePenWidth(edit);
    QSignalSpy clicks(&edit, &TFLEdit::onBtnClick);
    edit.Step(&edit, TUDBtnType::btNext);
    QCOMPARE(edit.text(), QString("0.11"));
    edit.setText("0.5");  // typed, not committed
    edit.Step(&edit, TUDBtnType::btPrev);
    QCOMPARE(edit.text(), QString("0.49"));
    edit.setValue("1");
    edit.Step(&edit, TUDBtnType::btNext);
    QCOMPARE(edit.text(), QString("1.00"));
    QCOMPARE(clicks.count(), 3);
  }

  void spinButtonSteps() {
    TFLEdit edit;
    MakePenWidth(edit);
    edit.resize(80, 21);
    edit.show();
    const auto arrows = edit.findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    for (QToolButton* arrow : arrows) {
      if (arrow->arrowType() == Qt::RightArrow) QTest::mouseClick(arrow, Qt::LeftButton);
    }
    QCOMPARE(edit.text(), QString("0.11"));
  }

  void typingFilterBeepsAndKeepsKeysFromTheDialog() {
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
    QVERIFY(escape.isAccepted());
    QCOMPARE(beeps.count(), 2);
    QApplication::sendEvent(&edit, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(edit.text(), QString("0.50"));
  }

  void editorDisabledBeepsAndRefusesPasteButSteps() {
    TFLEdit edit;
    MakePenWidth(edit);
    edit.setEditorEnabled(false);
    QSignalSpy beeps(&edit, &TFLEdit::beepRequested);
    QApplication::clipboard()->setText("0.7");
    QTest::keyClicks(&edit, "3");
    QTest::keySequence(&edit, QKeySequence::Paste);
    QCOMPARE(edit.text(), QString("0.10"));
    QCOMPARE(beeps.count(), 2);
    edit.Step(&edit, TUDBtnType::btNext);
    QCOMPARE(edit.text(), QString("0.11"));
  }

  void readOnlyIgnoresStepsAndArrowKeys() {
    TFLEdit edit;
    MakePenWidth(edit);
    edit.setArrowKeys(true);
    edit.setReadOnly(true);
    edit.Step(&edit, TUDBtnType::btNext);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QString("0.10"));
    edit.setReadOnly(false);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QString("0.11"));
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
