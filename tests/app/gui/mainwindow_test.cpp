// The main window: start-up with and without an ini file, the two layouts and the locks of the
// output choices, snapping to the work area, what closing keeps, and the picture plug-ins.

#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <fstream>

#include "app/core/AppPaths.h"
#include "app/core/IniFile.h"
#include "app/gui/ApplicationSetUp.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/FileTypes.h"
#include "app/gui/ListWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"
#include "app/gui/SettingsFileDialog.h"
#include "gui_test_support.h"
#include "plugins/plugin_fixture.h"
#include "tools/pdf_census.h"

using namespace kyrovane;
using namespace kyrovane::gui;

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::GuiScratch> scratch_;
  std::unique_ptr<test::ScriptedUi> ui_;
  std::unique_ptr<Program> program_;

  TForm1& StartProgram() {
    program_.reset();
    program_ = std::make_unique<Program>(*ui_);
    program_->Form1->Start();
    if (!QTest::qWaitForWindowExposed(program_->Form1.get())) qFatal("no main window");
    return *program_->Form1;
  }
  QRect WorkArea() const { return program_->Form1->screen()->availableGeometry(); }

 private slots:
  // The fonts the program uses.
  void initTestCase() { SetUpApplication(); }
  void init() {
    scratch_ = std::make_unique<test::GuiScratch>();
    ui_ = std::make_unique<test::ScriptedUi>();
  }
  void cleanup() {
    program_.reset();
    ui_.reset();
    scratch_.reset();
  }

  void firstStartCentresLoadsDefaultsAndCleansPreviews() {
    std::filesystem::create_directories(CacheFolder());
    for (int number : {5, 64, 65}) {
      QFile(QString::fromStdString(PreviewFilePath(CacheFolder(), number).string()))
          .open(QIODevice::WriteOnly);
    }
    TForm1& form1 = StartProgram();
    QVERIFY(program_->settings.Env == DefaultEnvironment());
    QVERIFY((form1.frameGeometry().center() - WorkArea().center()).manhattanLength() <= 4);
    QVERIFY(!std::filesystem::exists(PreviewFilePath(CacheFolder(), 5)));
    QVERIFY(!std::filesystem::exists(PreviewFilePath(CacheFolder(), 64)));
    QVERIFY(std::filesystem::exists(PreviewFilePath(CacheFolder(), 65)));
    QFile package(MimePackagePath());
    QVERIFY(package.open(QIODevice::ReadOnly));
    const QString types = QString::fromUtf8(package.readAll());
    QVERIFY(types.contains("<comment>Velmiro 設定ファイル</comment>"));
    QVERIFY(types.contains("<glob pattern=\"*.lst\"/>"));
    QVERIFY(ui_->Messages.empty());
  }

  // Every text the window shows, as the user reads it.
  void theWindowsTexts() {
    TForm1& form1 = StartProgram();
    QCOMPARE(form1.windowTitle(), QString("Kyrovane Ver.1.30α43"));
    QCOMPARE(test::ButtonTexts(&form1),
             QStringList({"PDF変換開始", "リスト編集", ">>詳細", "詳細設定"}));
    QStringList texts;
    for (const QCheckBox* box : form1.findChildren<QCheckBox*>()) texts << box->text();
    for (const QLabel* label : form1.findChildren<QLabel*>()) texts << label->text();
    QCOMPARE(texts,
             QStringList({"変換後にPDFファイルを開く", "プレビューのみ", "印刷範囲を無視する",
                          "環境を保存する", "特殊", "印刷分割数", "枚"}));
    QCOMPARE(test::Items(form1.Angle1),
             QStringList({"標準", "90度", "180度", "270度", "A3出力", "A4出力", "50%出力"}));
    QCOMPARE(test::Items(form1.Dim1), QStringList({"1", "2", "4", "8", "16"}));
  }

  void modesAndTheLocksOfTheOutputChoices() {
    TForm1& form1 = StartProgram();
    const auto enabled = [&] {
      return QList<bool>{form1.Button2->isEnabled(), form1.IniSave1->isEnabled(),
                         form1.Angle1->isEnabled(), form1.Dim1->isEnabled()};
    };
    QCOMPARE(form1.width(), form1.BasicWidth());
    QCOMPARE(form1.Mode1->text(), QString(">>詳細"));
    QCOMPARE(enabled(), QList<bool>({false, false, false, false}));
    form1.Mode1->click();
    QCOMPARE(form1.width(), form1.DetailWidth());
    QCOMPARE(form1.Mode1->text(), QString("<<基本"));
    QCOMPARE(enabled(), QList<bool>({true, true, true, true}));
    QVERIFY(program_->settings.Env.Mode);

    form1.Dim1->setCurrentIndex(3);
    test::Choose(form1.Angle1, 4);  // "A3出力"
    QCOMPARE(form1.Dim1->currentText(), QString("1"));
    QVERIFY(!form1.Dim1->isEnabled());
    test::Choose(form1.Angle1, 0);
    QVERIFY(form1.Dim1->isEnabled());
    form1.Angle1->setCurrentIndex(2);
    form1.AllArea1->click();
    QCOMPARE(form1.Angle1->currentIndex(), 0);
    QCOMPARE(enabled(), QList<bool>({true, true, false, false}));
    form1.AllArea1->click();
    QCOMPARE(enabled(), QList<bool>({true, true, true, true}));
    form1.Mode1->click();
    QCOMPARE(form1.width(), form1.BasicWidth());
    QCOMPARE(enabled(), QList<bool>({false, false, false, false}));
  }

  // The layout shown is the layout kept: a dialog's cancel never switches it, nor does a
  // settings file read in "設定のプロパティ" or the list window's own settings.
  void theLayoutHoldsThroughTheDialogs() {
    TForm1& form1 = StartProgram();
    const std::function<void(QDialog*)> cancels[] = {
        [this](QDialog*) { program_->Form3->Button5->click(); },
        [](QDialog* detail) { QTest::keyClick(detail, Qt::Key_Escape); }};
    for (const auto& cancel : cancels) {
      form1.Mode1->click();
      test::WhenModal([&](QWidget* detail) { cancel(static_cast<QDialog*>(detail)); });
      form1.Button2->click();
      QCOMPARE(form1.width(), form1.DetailWidth());
      form1.Mode1->click();
      QCOMPARE(form1.width(), form1.BasicWidth());
    }

    const std::string file = scratch_->path().toStdString() + "/basic.kvs";
    std::ofstream(file) << "[Application]\r\nDataVersion=130\r\n"
                           "[Environment]\r\nMode=0\r\nLine1=0.3\r\n";
    form1.Mode1->click();
    form1.IniSave1->setChecked(true);
    ui_->OpenAnswers = {file};
    test::WhenModal([this](QWidget*) {
      test::WhenModal([this](QWidget*) {
        program_->Form7->LoadButton->click();
        program_->Form7->Button1->click();  // "OK"
      });
      program_->Form3->Button3->click();  // "設定のプロパティ"
      program_->Form3->Button1->click();  // "設定完了"
    });
    form1.Button2->click();
    QCOMPARE(static_cast<double>(program_->settings.SavedEnv.Line[1]), 0.3);
    test::WhenModal([this](QWidget*) {
      program_->settings.Env.Mode = false;  // as a list's settings file may hold
      program_->Form6->reject();
    });
    form1.Button3->click();
    form1.close();
    QCOMPARE(TIniFile(IniFilePath()).ReadString("Environment", "Mode", ""), std::string("1"));
    QCOMPARE(StartProgram().width(), program_->Form1->DetailWidth());
  }

  // In the program's fonts, every text shows whole and the controls keep a margin to the
  // window's right edge in both layouts; neither is narrower than its designed width.
  void bothLayoutsFitTheirTexts() {
    TForm1& form1 = StartProgram();
    QVERIFY(form1.BasicWidth() >= 168 && form1.DetailWidth() >= 297);
    const auto needed = [](const QWidget* control) {
      if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        return button->fontMetrics().horizontalAdvance(button->text()) + 12;
      }
      return control->sizeHint().width();
    };
    for (const bool detail : {false, true}) {
      if (detail) form1.Mode1->click();
      const int width = detail ? form1.DetailWidth() : form1.BasicWidth();
      for (const QWidget* control : form1.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!detail && control->x() >= width) continue;  // the right column, out of sight
        const QString text = control->property("text").toString();
        QVERIFY2(control->width() >= needed(control), qPrintable(text));
        QVERIFY2(control->geometry().right() < width - 3, qPrintable(text));
      }
    }
  }

  // Enter presses the button that has the focus, the flat mode button too; in a check box it
  // presses nothing.
  void enterPressesTheFocusedButton() {
    TForm1& form1 = StartProgram();
    QTest::keyClick(form1.pdfopen1, Qt::Key_Return);
    QVERIFY(ui_->Dialogs.empty());
    QTest::keyClick(form1.Button1, Qt::Key_Return);  // asks for a drawing, cancelled
    QCOMPARE(ui_->Dialogs.size(), std::size_t{1});
    QTest::keyClick(form1.Mode1, Qt::Key_Enter);
    QVERIFY(program_->settings.Env.Mode);
  }

  // Reached by Tab, the flat mode button shows the focus by the frame the other buttons show.
  void theModeButtonShowsTheFocusLikeTheOtherButtons() {
    TForm1& form1 = StartProgram();
    QVERIFY(QTest::qWaitForWindowActive(&form1));
    const auto leftEdge = [](QWidget* button) {
      return button->grab().toImage().pixelColor(0, button->height() / 2);
    };
    const auto focusedLeftEdge = [&](QWidget* button) {
      for (int i = 0; i < 10 && QApplication::focusWidget() != button; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      return leftEdge(button);
    };
    const QColor unfocused = leftEdge(form1.Mode1);
    const QColor frame = focusedLeftEdge(form1.Button3);
    QCOMPARE(focusedLeftEdge(form1.Mode1), frame);
    QVERIFY(unfocused != frame);
  }

  void wideningSnapsOntoTheWorkArea() {
    TForm1& form1 = StartProgram();
    const QRect area = WorkArea();
    form1.move(area.x() + area.width() - form1.frameGeometry().width() - 10, area.y() + 100);
    QTRY_COMPARE(form1.frameGeometry().right(), area.right() - 10);
    form1.Mode1->click();
    QTRY_COMPARE(form1.frameGeometry().right(), area.right());
    QCOMPARE(form1.y(), area.y() + 100);
  }

  void convertButtonWritesThePdfWithTheWindowsChoices() {
    TForm1& form1 = StartProgram();
    form1.Mode1->click();
    form1.Dim1->setCurrentIndex(1);  // "2" pages per drawing
    const std::filesystem::path pdf = scratch_->path().toStdString() + "/out.pdf";
    ui_->OpenAnswers = {KYROVANE_DRAWING};
    ui_->SaveAnswers = {pdf};
    form1.Button1->click();
    QVERIFY(ui_->Messages.empty());
    QCOMPARE(ui_->Opened, std::vector<std::filesystem::path>{pdf});
    QCOMPARE(test::PageSizes(pdf).size(), size_t{2});
    QCOMPARE(program_->settings.Env.LastDir,
             std::filesystem::path(KYROVANE_DRAWING).parent_path().string());
  }

  // A close asked for during a conversion waits for its end and its messages.
  void aCloseDuringAConversionEndsTheProgramAfterIt() {
    TForm1& form1 = StartProgram();
    ui_->ShellOpens = false;
    ui_->OpenAnswers = {KYROVANE_DRAWING};
    ui_->SaveAnswers = {scratch_->path().toStdString() + "/out.pdf"};
    bool shownDuringTheMessage = false;
    ui_->WhileMessageShown = [&] {
      test::CloseFromWindowManager(&form1);
      shownDuringTheMessage = form1.isVisible();
    };
    form1.Button1->click();
    QCOMPARE(ui_->Messages.size(), size_t{1});
    QVERIFY(shownDuringTheMessage);
    QVERIFY(!form1.isVisible());
  }

  // A close asked for during a conversion of the list window closes the list as its own close
  // does, and then the program; a list that its question keeps open keeps the program too.
  void aCloseDuringAListConversionClosesTheListFirst() {
    TForm1& form1 = StartProgram();
    TForm6& list = *program_->Form6;
    ui_->ShellOpens = false;
    int messages = 0;
    ui_->WhileMessageShown = [&] {
      if (messages++ == 0) test::CloseFromWindowManager(&form1);  // at the conversion's message
    };
    bool keptByTheList = false;
    test::WhenModal([&](QWidget*) {
      ui_->OpenFilesAnswers = {{KYROVANE_DRAWING}};
      list.AddButton->click();  // an unsaved list: its close asks first
      for (const TMessageAnswer answer : {TMessageAnswer::Cancel, TMessageAnswer::No}) {
        messages = 0;
        ui_->MessageAnswers = {TMessageAnswer::Ok, answer};
        ui_->SaveAnswers = {scratch_->path().toStdString() + "/list.pdf"};
        list.ExeButton->click();
        QCOMPARE(messages, 2);
        QCOMPARE(ui_->Messages.back().Text, std::string("保存しますか？"));
        if (answer == TMessageAnswer::Cancel) keptByTheList = list.isVisible() && form1.isVisible();
      }
      if (list.isVisible()) list.done(QDialog::Rejected);  // not closed: the test ends its run
    });
    form1.Button3->click();
    QVERIFY(keptByTheList);
    QVERIFY(!list.isVisible());
    QVERIFY(!form1.isVisible());
  }

  void closingKeepsTheSettingsOnlyWithTheTick() {
    TForm1& form1 = StartProgram();
    program_->settings.Env.Line[1] = 0.3L;
    const std::filesystem::path preview = PreviewFilePath(CacheFolder(), 3);
    QFile(QString::fromStdString(preview.string())).open(QIODevice::WriteOnly);
    form1.close();
    QVERIFY(!std::filesystem::exists(IniFilePath()));
    QVERIFY(!std::filesystem::exists(preview));

    TForm1& again = StartProgram();
    again.Mode1->click();
    again.IniSave1->setChecked(true);
    again.PreView1->setChecked(true);
    program_->settings.Env.Line[1] = 0.3L;
    const QPoint place = again.pos();
    again.close();
    const TIniFile ini(IniFilePath());
    QCOMPARE(ini.ReadString("Environment", "Save", ""), std::string("1"));
    QCOMPARE(ini.ReadString("Environment", "PreView", ""), std::string("1"));
    QCOMPARE(ini.ReadString("Environment", "Mode", ""), std::string("1"));
    QCOMPARE(ini.ReadString("Environment", "Line1", ""), std::string("0.3"));
    QCOMPARE(ini.ReadInteger("Environment", "Left", -1), place.x());
    QCOMPARE(ini.ReadInteger("Environment", "Top", -1), place.y());

    TForm1& third = StartProgram();
    QVERIFY(third.IniSave1->isChecked() && third.PreView1->isChecked());
    QCOMPARE(third.width(), third.DetailWidth());
    QCOMPARE(third.pos(), place);
    QCOMPARE(static_cast<double>(program_->settings.SavedEnv.Line[1]), 0.3);
  }

  void anIniThatCannotBeWrittenIsReportedOnceAndTheWindowCloses() {
    TForm1& form1 = StartProgram();
    std::filesystem::create_directories(IniFilePath());  // a folder in the file's place
    form1.IniSave1->setChecked(true);
    QVERIFY(form1.close());
    QVERIFY(!form1.isVisible());
    QCOMPARE(ui_->Messages.size(), size_t{1});
    QCOMPARE(ui_->Messages[0].Caption, std::string("Kyrovane"));
    QCOMPARE(ui_->Messages[0].Text,
             IniFilePath().string() + " に書き込めません\r\n通常のファイルではありません。");
    QVERIFY(ui_->Messages[0].Icon == TMessageIcon::Stop);
    QCOMPARE(ui_->BusyDepth, 0);
  }

  void fileTypesThatCannotBeWrittenAreReportedWithTheirCause() {
    const std::filesystem::path package = MimePackagePath().toStdString();
    std::filesystem::create_directories(package.parent_path());
    QCOMPARE(mkfifo(package.c_str(), 0600), 0);  // never opened, so the start does not wait
    StartProgram();
    QCOMPARE(ui_->Messages.size(), size_t{1});
    QCOMPARE(ui_->Messages[0].Text,
             package.string() + " に書き込めません\r\n通常のファイルではありません。");
  }

  void anIniThatCannotBeReadIsReportedAtStart() {
    std::filesystem::create_directories(IniFilePath());  // a folder in the file's place
    StartProgram();
    QCOMPARE(ui_->Messages.size(), size_t{1});
    QCOMPARE(ui_->Messages[0].Text,
             IniFilePath().string() + "\r\nを読み込めません。\r\nフォルダーです。");
    QVERIFY(program_->settings.Env == DefaultEnvironment());
  }

  void runningOutOfMemoryIsToldInTheProgramsWords() {
    program_ = std::make_unique<Program>(*ui_);
    program_->Guarded([] { throw std::bad_alloc(); });
    QCOMPARE(ui_->Messages.size(), size_t{1});
    QCOMPARE(ui_->Messages[0].Text, std::string("メモリーが足りません。"));
  }

  void thePicturePluginsOfTheRegistryFolderAreLoadedWithTheWindow() {
    test::ScopedRegistry registry;
    registry.SetPluginFolder(test::TestPluginFolder());
    TForm1& form1 = StartProgram();
    QCOMPARE(GetSPIs(), &form1.SPIs1);
    QCOMPARE(form1.SPIs1.Count(), 7);
    QVERIFY(FindFileFormat("kypx"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
