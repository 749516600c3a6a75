// The user-interface port in real Qt windows: what the message box and the file dialogs show
// and what they answer, and the progress window's close.

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QtTest>

#include "app/gui/ProgressWindow.h"
#include "app/gui/QtUserInterface.h"
#include "gui_test_support.h"

using namespace kyrovane;
using namespace kyrovane::gui;

class QtPortTest : public QObject {
  Q_OBJECT

  test::GuiScratch scratch_;
  QList<QUrl> opened_;

 public slots:
  // The desktop's application for files, while a test stands in for it.
  void openFile(const QUrl& url) { opened_ << url; }

 private slots:
  void messageBoxShowsCaptionLinesIconAndButtons() {
    QtUserInterface ui;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    test::WhenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->standardButtons();
      QTest::keyClick(box, Qt::Key_Return);
    });
    const TMessageAnswer answer =
        ui.MessageBox("設定の初期化", "一行目\r\n二行目", TMessageIcon::Warning,
                      TMessageButtons::OkCancel, TMessageAnswer::Cancel);
    QVERIFY(answer == TMessageAnswer::Cancel);  // Enter answers the default
    QCOMPARE(title, QString("設定の初期化"));
    QCOMPARE(text, QString("一行目\n二行目"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
  }

  // During a conversion a message belongs to the progress window and stays on top as it does,
  // also over a modal window; afterwards it belongs to the main window, also while no window
  // is active, unless that one is minimised.
  void messagesBelongToTheWindowInFront() {
    QtUserInterface ui;
    QWidget main;
    main.show();
    ui.SetMainWindow(&main);
    const auto ownerOfMessage = [&ui] {
      std::pair<QWidget*, bool> owner;  // and whether the message stays on top
      test::WhenModal([&owner](QWidget* box) {
        owner = {box->parentWidget(), box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
        QTest::keyClick(box, Qt::Key_Escape);
      });
      ui.MessageBox("Kyrovane", "図面", TMessageIcon::None, TMessageButtons::Ok);
      return owner;
    };
    {
      TProgressWindow progress(ui, 3);
      const auto [owner, onTop] = ownerOfMessage();
      QVERIFY(qobject_cast<TForm2*>(owner) && onTop);
    }
    QApplication::setActiveWindow(nullptr);
    QVERIFY(ownerOfMessage() == std::pair(static_cast<QWidget*>(&main), false));

    // A modal window owns the messages shown over it; a conversion started from it, as from
    // the list window, leaves them to the progress window.
    QDialog list(&main);
    std::pair<QWidget*, bool> ownerInList, ownerInListConverting;
    test::WhenModal([&](QWidget*) {
      ownerInList = ownerOfMessage();
      TProgressWindow progress(ui, 3);
      ownerInListConverting = ownerOfMessage();
      list.reject();
    });
    list.exec();
    QVERIFY(ownerInList == std::pair(static_cast<QWidget*>(&list), false));
    QVERIFY(qobject_cast<TForm2*>(ownerInListConverting.first) && ownerInListConverting.second);

    // A minimised window, which would hide the message with it, owns none, even while active.
    main.showMinimized();
    QApplication::setActiveWindow(&main);
    QVERIFY(ownerOfMessage().first == nullptr);
  }

  void fileDialogsTakeTheOptions() {
    QtUserInterface ui;
    TFileDialogOptions options;
    options.Filter = "設定ファイル(*.kvs)|*.kvs|JW_CADデータ形式(*.jww;*.jwc)|*.jww;*.jwc";
    options.DefaultSuffix = "kvs";
    options.FileName = scratch_.path().toStdString() + "/proposed.kvs";
    QStringList filters;
    QString suffix, title;
    bool confirms = true;
    test::WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog);
      QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
      filters = dialog->nameFilters();
      suffix = dialog->defaultSuffix();
      title = dialog->windowTitle();
      confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<std::filesystem::path> chosen = ui.SaveFile(options);
    QCOMPARE(title, QString("名前を付けて保存"));
    QCOMPARE(filters, QStringList({"設定ファイル(*.kvs) (*.kvs)",
                                   "JW_CADデータ形式(*.jww;*.jwc) (*.jww *.jwc)"}));
    QCOMPARE(suffix, QString("kvs"));
    QVERIFY(!confirms);
    QVERIFY(chosen && *chosen == options.FileName);

    test::WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    QVERIFY(!ui.OpenFile(options));
  }

  // Only the conversion closes its progress window; the window manager's close does not.
  void progressWindowStaysUpWhileTheConversionRuns() {
    TForm2 progress;
    progress.ShowWithMaximum(3);
    test::CloseFromWindowManager(&progress);
    QVERIFY(progress.isVisible());
    progress.close();
    QVERIFY(!progress.isVisible());
  }

  void shellOpenTellsWhetherAnApplicationTookTheFile() {
    QtUserInterface ui;
    const std::filesystem::path pdf = scratch_.path().toStdString() + "/plan.pdf";
    QDesktopServices::setUrlHandler("file", this, "openFile");
    const bool handled = ui.ShellOpen(pdf);
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(handled);
    QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(pdf.string()))});

    // The offscreen platform has no application to hand files to.
    QVERIFY(!ui.ShellOpen(pdf));
  }
};

QTEST_MAIN(QtPortTest)
#include "qtport_test.moc"
