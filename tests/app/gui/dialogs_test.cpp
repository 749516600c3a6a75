// The settings dialogs over the working settings: captions and items, the transfer into the
// record and back, OK and cancel through the main window, the colour dialogs' buttons and
// questions, and the settings-file dialog's reset.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "app/core/SettingsFiles.h"
#include "app/gui/CustomColorDialog.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/FLEdit.h"
#include "app/gui/LayerColorDialog.h"
#include "app/gui/MainWindow.h"
#include "app/gui/PaletteWidgets.h"
#include "app/gui/Program.h"
#include "app/gui/SettingsFileDialog.h"
#include "gui_test_support.h"

using namespace kyrovane;
using namespace kyrovane::gui;

class DialogsTest : public QObject {
  Q_OBJECT

  test::GuiScratch scratch_;
  std::unique_ptr<test::ScriptedUi> ui_;
  std::unique_ptr<Program> program_;
  Settings& settings() { return program_->settings; }

 private slots:
  void init() {
    ui_ = std::make_unique<test::ScriptedUi>();
    program_ = std::make_unique<Program>(*ui_);
    settings().SavedEnv = settings().Env = DefaultEnvironment();
  }
  void cleanup() {
    program_.reset();
    ui_.reset();
  }

  void captionsAndItems() {
    TForm3& form3 = *program_->Form3;
    QCOMPARE(form3.windowTitle(), QString("詳細設定"));
    QStringList tabs;
    for (int page = 0; page < form3.PageControl1->count(); ++page) {
      tabs << form3.PageControl1->tabText(page);
    }
    QCOMPARE(tabs, QStringList({"線種と色", "破線のピッチ", "その他"}));
    QCOMPARE(test::Items(form3.UseColor1), QStringList({"白黒", "線種", "レイヤー"}));
    QCOMPARE(test::Items(form3.TextFont1), QStringList({"ゴシック", "明朝"}));
    const QStringList palette = test::Items(form3.LineColor[1]);
    QCOMPARE(palette.size(), 31);
    QCOMPARE(palette.first(), QString("Aqua"));
    QCOMPARE(palette[22], QString("Yellow"));
    QCOMPARE(palette.last(), QString("カスタム色８"));
    QVERIFY(!form3.LinePattern[1]->isEnabled() && !form3.LinePattern[9]->isEnabled());
    // Ranges and decimals: the bounds clamp what the controls are given.
    const std::tuple<TFLEdit*, const char*, const char*> ranges[] = {
        {form3.Line[1], "0.01", "1.00"},       {form3.LinePattern[2], "0.10", "2.00"},
        {form3.Magnification1, "0.5", "10.0"}, {form3.LeftMargin1, "-1000.0", "1000.0"},
        {form3.TextRise1, "0.00", "1.00"},     {form3.RandomWidth1, "0.10", "2.00"}};
    for (const auto& [edit, low, high] : ranges) {
      edit->setValue("-5000");
      QCOMPARE(edit->text(), QString(low));
      edit->setValue("5000");
      QCOMPARE(edit->text(), QString(high));
    }
    QCOMPARE(test::ButtonTexts(&form3), QStringList({"レイヤー色設定", "カスタム色", "設定完了",
                                                     "設定のプロパティ", "キャンセル"}));

    TForm4& form4 = *program_->Form4;
    QCOMPARE(form4.windowTitle(), QString("レイヤーの色"));
    QStringList groups;
    for (QAbstractButton* tab : form4.findChildren<QToolButton*>()) groups << tab->text();
    QCOMPARE(groups.join(""), QString("０１２３４５６７８９ＡＢＣＤＥＦ"));
    QCOMPARE(test::ButtonTexts(&form4),
             QStringList({"レイヤー０の色で統一する", "レイヤーグループ０からコピー",
                          "このレイヤーグループの色をすべてのレイヤーグループに適用する",
                          "設定完了", "設定初期化"}));
    QCOMPARE(program_->Form5->windowTitle(), QString("カスタム色設定"));
    QCOMPARE(test::ButtonTexts(program_->Form5.get()).mid(7),
             QStringList({"カスタム色８", "設定完了", "設定初期化"}));
    QCOMPARE(program_->Form7->windowTitle(), QString("設定のプロパティ"));
    QCOMPARE(
        test::ButtonTexts(program_->Form7.get()),
        QStringList({"設定を読み込む", "設定を保存する", "設定を初期化する", "OK", "キャンセル"}));
  }

  void detailTransferKeepsWhatHasNoControl() {
    REnvironment& env = settings().Env;
    env.TextFont = "Mincyo";
    env.UseColor = env.UseLayerColor = true;
    env.LinePatternScale[10] = 1.7L;
    env.Line[3] = 0.25L;
    env.LayerColor[77] = 5;
    TForm3& form3 = *program_->Form3;
    form3.FormShow();
    QCOMPARE(form3.TextFont1->currentText(), QString("明朝"));
    QCOMPARE(form3.UseColor1->currentText(), QString("線種"));
    QCOMPARE(form3.Line[3]->text(), QString("0.25"));
    form3.Line[3]->setText("0.5");
    REnvironment result = env;
    form3.TransferTo(result);
    QCOMPARE(result.TextFont, std::string("Mincyo"));
    QVERIFY(result.UseColor && !result.UseLayerColor);
    QCOMPARE(result.LinePatternScale[10], 1.7L);
    QCOMPARE(static_cast<double>(result.Line[3]), 0.5);
    QCOMPARE(result.LayerColor[77], 5);
    result.Line[3] = env.Line[3];
    result.UseLayerColor = true;
    QVERIFY(result == env);  // nothing else moved
  }

  void cancelUndoesLayerColoursAndOkCommits() {
    TForm1& form1 = *program_->Form1;
    test::WhenModal([this](QWidget* dialog) {
      QCOMPARE(dialog, program_->Form3.get());
      test::WhenModal([](QWidget* layers) {
        auto* form4 = static_cast<TForm4*>(layers);
        form4->LayerColor[3]->setCurrentIndex(17);
        form4->Button1->click();
      });
      program_->Form3->Button2->click();
      QCOMPARE(settings().Env.LayerColor[2], 17);
      program_->Form3->Button5->click();
    });
    form1.Button2->setEnabled(true);
    form1.Button2->click();
    QCOMPARE(settings().Env.LayerColor[2], 1);

    test::WhenModal([this](QWidget*) {
      program_->Form3->Line[1]->setValue("0.33");
      program_->Form3->Button1->click();
    });
    form1.Button2->click();
    QCOMPARE(static_cast<double>(settings().Env.Line[1]), 0.33);
    QVERIFY(settings().SavedEnv == settings().Env);
  }

  // Enter in a numeric edit stays in the dialog; a value that is not a number keeps it open on
  // its page, is reported each time "設定完了" is pressed, once, and commits none of the
  // others.
  void invalidNumberKeepsTheDialogOpenAndNothingChanges() {
    TForm3& form3 = *program_->Form3;
    const REnvironment before = settings().Env;
    bool stayedOpen = false;
    test::WhenModal([&](QWidget*) {
      const auto cancel = qScopeGuard([&] { form3.Button5->click(); });
      form3.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&form3));
      form3.PageControl1->setCurrentIndex(0);
      form3.Line[2]->setFocus();
      QTest::keyClick(form3.Line[2], Qt::Key_Return);
      form3.Magnification1->setText("1.2.3");  // on the third page, not left by the focus
      form3.Button1->click();
      stayedOpen = form3.isVisible();
      QCOMPARE(form3.PageControl1->currentIndex(), 2);
      QTRY_COMPARE(ui_->Messages.size(), std::size_t{1});
      // Back in the field and left by clicking "設定完了": one report, not one for leaving and
      // one for the button.
      QVERIFY(form3.Magnification1->hasFocus());
      QTest::mouseClick(form3.Button1, Qt::LeftButton);
      QTest::qWait(50);
      QCOMPARE(ui_->Messages.size(), std::size_t{2});
    });
    program_->Form1->Button2->setEnabled(true);
    program_->Form1->Button2->click();
    QVERIFY(stayedOpen);
    for (const auto& message : ui_->Messages) {
      QCOMPARE(message.Caption, std::string("Kyrovane"));
      QCOMPARE(message.Text, std::string("'1.2.3' は浮動小数点数ではありません。"));
    }
    QVERIFY(settings().Env == before);
  }

  // The button, Escape in a field and the window manager's close all cancel at once, even
  // with a text that is not a number.
  void cancelNeverChecksWhatItThrowsAway() {
    TForm3& form3 = *program_->Form3;
    const std::function<void()> cancels[] = {
        [&] { QTest::mouseClick(form3.Button5, Qt::LeftButton); },
        [&] { QTest::keyClick(form3.Line[2], Qt::Key_Escape); },
        [&] { test::CloseFromWindowManager(&form3); }};
    for (const auto& cancel : cancels) {
      form3.show();
      QVERIFY(QTest::qWaitForWindowActive(&form3));
      form3.Line[2]->setFocus();
      form3.Line[2]->setText("-.");
      cancel();
      QTest::qWait(20);
      QVERIFY(!form3.isVisible());
    }
    QCOMPARE(ui_->Messages.size(), std::size_t{0});
  }

  // The window manager's close of the colour dialogs is "設定完了": no reset, no question.
  void windowManagersCloseKeepsTheColours() {
    settings().Env.CustomColor.fill(0x123456);
    ui_->MessageAnswers = {TMessageAnswer::Ok, TMessageAnswer::Ok};  // a reset, if asked
    for (QDialog* dialog : {static_cast<QDialog*>(program_->Form4.get()),
                            static_cast<QDialog*>(program_->Form5.get())}) {
      dialog->show();
      test::CloseFromWindowManager(dialog);
      QVERIFY(!dialog->isVisible());
      QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }
    QCOMPARE(ui_->Messages.size(), std::size_t{0});
    QCOMPARE(settings().Env.CustomColor[7], TColor{0x123456});
  }

  void layerColourButtons() {
    TForm4& form4 = *program_->Form4;
    auto& colors = settings().Env.LayerColor;
    for (int layer = 0; layer < 16; ++layer) colors[layer] = layer;  // group ０
    form4.SelectGroup(12);                                           // group Ｃ
    QCOMPARE(form4.LayerGroup1->text(), QString("レイヤーグループＣ"));
    form4.Button4->click();  // copy from group ０
    QCOMPARE(colors[12 * 16 + 7], 7);
    form4.LayerColor[5]->setCurrentIndex(20);
    QCOMPARE(colors[12 * 16 + 4], 20);
    QCOMPARE(form4.Panel[5]->palette().color(QPalette::Window), ToQColor(0x808000));
    form4.Button5->click();  // all groups take the 16 colours shown
    for (int group = 0; group < 16; ++group) QCOMPARE(colors[group * 16 + 4], 20);
    form4.SelectGroup(3);
    form4.Button2->click();  // group ３ all take layer ０'s colour
    for (int layer = 0; layer < 16; ++layer) QCOMPARE(colors[3 * 16 + layer], 0);
  }

  void escapeInTheColourDialogsAsksTheResetQuestion() {
    settings().Env.LayerColor.fill(6);
    settings().Env.CustomColor.fill(0x123456);
    ui_->MessageAnswers = {TMessageAnswer::Cancel, TMessageAnswer::Ok};
    for (QDialog* dialog : {static_cast<QDialog*>(program_->Form4.get()),
                            static_cast<QDialog*>(program_->Form5.get())}) {
      bool stayedOpen = false;
      test::WhenModal([&](QWidget*) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        stayedOpen = dialog->isVisible();
        dialog->accept();
      });
      dialog->exec();
      QVERIFY(stayedOpen);
    }
    QCOMPARE(ui_->Messages.size(), 2);
    QCOMPARE(ui_->Messages[0].Text, std::string("レイヤー色を初期化しますか？"));
    QCOMPARE(ui_->Messages[1].Text, std::string("カスタム色を初期化しますか？"));
    for (const auto& message : ui_->Messages) {
      QCOMPARE(message.Caption, std::string("設定の初期化"));
      QVERIFY(message.Buttons == TMessageButtons::OkCancel);
      QVERIFY(message.Default == TMessageAnswer::Cancel);  // Enter keeps the colours
      QVERIFY(message.Icon == TMessageIcon::Warning);
    }
    QCOMPARE(settings().Env.LayerColor[200], 6);         // Cancel: nothing changed
    QCOMPARE(settings().Env.CustomColor[7], TColor{0});  // OK: reset
  }

  // Enter presses the button that has the focus; in any other control it presses nothing,
  // for no button is the dialog's default.
  void enterPressesTheFocusedButtonOnly() {
    TForm4& form4 = *program_->Form4;
    auto& colors = settings().Env.LayerColor;
    colors[0] = 9;
    bool stayedOpen = false;
    test::WhenModal([&](QWidget*) {
      const auto close = qScopeGuard([&] { form4.Button1->click(); });
      QTest::keyClick(form4.LayerColor[3], Qt::Key_Return);
      QTest::keyClick(form4.Button2, Qt::Key_Return);  // "レイヤー０の色で統一する"
      stayedOpen = form4.isVisible();
    });
    form4.exec();
    QVERIFY(stayedOpen);
    QCOMPARE(colors[15], 9);
    test::WhenModal([&](QWidget*) { QTest::keyClick(program_->Form3->Button1, Qt::Key_Enter); });
    QCOMPARE(program_->Form3->exec(), int(QDialog::Accepted));  // "設定完了"
  }

  void customColourShowsAtOnceAndKeepsWhatWasTyped() {
    TForm3& form3 = *program_->Form3;
    settings().Env.LineColor[4] = 25;  // カスタム色３
    form3.FormShow();
    form3.Line[1]->setText("0.7");
    ui_->ColorAnswers = {0x0000FF};
    test::WhenModal([this](QWidget*) {
      program_->Form5->Button[3]->click();
      program_->Form5->Button9->click();
    });
    form3.Button4->click();
    QCOMPARE(settings().Env.CustomColor[2], TColor{0x0000FF});
    QCOMPARE(form3.Panel[4]->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(form3.Line[1]->text(), QString("0.7"));
  }

  // "設定のプロパティ" saves what the dialog shows, and its OK keeps it shown.
  void settingsFileDialogTakesTheTypedValues() {
    TForm3& form3 = *program_->Form3;
    form3.FormShow();
    form3.Line[1]->setText("0.35");
    const std::filesystem::path file = scratch_.path().toStdString() + "/typed.kvs";
    ui_->SaveAnswers = {file};
    test::WhenModal([this](QWidget*) {
      program_->Form7->SaveButton->click();
      program_->Form7->Button1->click();
    });
    form3.Button3->click();
    QCOMPARE(form3.Line[1]->text(), QString("0.35"));
    REnvironment saved = DefaultEnvironment();
    ReadSettingsFile(file, saved, *ui_);
    QCOMPARE(static_cast<double>(saved.Line[1]), 0.35);
  }

  // "設定のプロパティ" takes the typed values only when every one reads as a number: with a
  // later one that does not, the earlier ones are not taken either and the dialog stays shut.
  void settingsFileDialogTakesNoValueWhileOneIsNoNumber() {
    TForm3& form3 = *program_->Form3;
    TForm7& form7 = *program_->Form7;
    form3.FormShow();
    const REnvironment before = settings().Env;
    form3.Line[1]->setText("0.35");
    form3.RandomWidth1->setText("1.2.3");
    bool opened = false;
    QTimer::singleShot(0, &form7, [&] {
      opened = form7.isVisible();
      form7.reject();
    });
    form3.Button3->click();
    QTRY_COMPARE(ui_->Messages.size(), std::size_t{1});
    QCOMPARE(ui_->Messages[0].Text, std::string("'1.2.3' は浮動小数点数ではありません。"));
    QVERIFY(!opened);
    QVERIFY(settings().Env == before);
  }

  void settingsFileResetAndLoadTakeEffectOnlyWithOk() {
    TForm3& form3 = *program_->Form3;
    TForm7& form7 = *program_->Form7;
    REnvironment stored = DefaultEnvironment();
    stored.Magnification = 2.5L;
    const std::filesystem::path file = scratch_.path().toStdString() + "/stored.kvs";
    WriteSettingsFile(file, stored, 0, 0);
    settings().Env.Line[1] = 0.9L;
    settings().Env.TextFont = "Mincyo";
    form3.FormShow();
    form3.Line[2]->setText("0.8");
    ui_->MessageAnswers = {TMessageAnswer::Cancel, TMessageAnswer::Ok};
    ui_->OpenAnswers = {file};
    test::WhenModal([&](QWidget*) {
      form7.InitButton->click();  // Cancel: nothing
      QCOMPARE(static_cast<double>(settings().PropertyEnv.Line[1]), 0.9);
      form7.InitButton->click();  // OK: reset values in the dialog's copy only
      QCOMPARE(static_cast<double>(settings().PropertyEnv.Line[1]), 0.1);
      form7.LoadButton->click();
      QCOMPARE(static_cast<double>(settings().PropertyEnv.Magnification), 2.5);
      form7.Button2->click();
    });
    form3.Button3->click();
    QCOMPARE(ui_->Messages.size(), 2);
    QCOMPARE(ui_->Messages[0].Text, std::string("設定を初期化しますか？"));
    QCOMPARE(ui_->Dialogs[0].Options.Filter, std::string("設定ファイル(*.kvs)|*.kvs"));
    QCOMPARE(static_cast<double>(settings().Env.Line[1]), 0.9);
    QCOMPARE(static_cast<double>(settings().Env.Magnification), 1.0);
    QCOMPARE(form3.Line[2]->text(), QString("0.8"));  // typed, kept on cancel

    ui_->MessageAnswers = {TMessageAnswer::Ok};
    test::WhenModal([&](QWidget*) {
      form7.InitButton->click();
      form7.Button1->click();
    });
    form3.Button3->click();
    QCOMPARE(static_cast<double>(settings().Env.Line[1]), 0.1);
    QCOMPARE(settings().Env.TextFont, std::string("Mincyo"));  // kept by the reset
    QCOMPARE(form3.Line[1]->text(), QString("0.10"));

    ui_->OpenAnswers = {file};
    test::WhenModal([&](QWidget*) {
      form7.LoadButton->click();
      form7.Button1->click();
    });
    form3.Button3->click();
    QCOMPARE(static_cast<double>(settings().Env.Magnification), 2.5);
    QCOMPARE(form3.Magnification1->text(), QString("2.5"));
    QCOMPARE(ui_->Messages.size(), 3);  // the settings file read without a warning
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
