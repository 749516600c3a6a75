// The list window: its list operations and their questions, list files written and read
// back, the locks of rotation and tiles, the layer buttons' glyphs and mouse rules, the layer
// split, previews and conversions through the driver, and its opening from the main window.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

#include "app/core/AppPaths.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/FLEdit.h"
#include "app/gui/LayerGlyph.h"
#include "app/gui/ListWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"
#include "gui_test_support.h"
#include "import/jww/jww_samples.h"
#include "import/support/jww_writer.h"
#include "pdf/printer/pdf_inspection.h"
#include "support/test_support.h"

using namespace kyrovane;
using namespace kyrovane::gui;
namespace fs = std::filesystem;
namespace s = jwwunit::samples;
using Answer = TMessageAnswer;

namespace {

const QColor kPurple(128, 0, 128);
const std::string kListFiles = "リストファイル(*.lst)|*.lst";

// A drawing with every group and layer visible and the records given; each sample record
// sits on layer address = its seed (group x 16 + layer).
std::string Drawing(const std::vector<jwwunit::CDataSen>& lines,
                    const std::vector<jwwunit::CDataMoji>& texts) {
  jwwunit::JWWHead head = test::DefaultJwwHead();
  for (auto& group : head.Groups) {
    group.State = 2;
    for (auto& layer : group.Layers) layer.State = 2;
  }
  test::JwwWriter writer(head);
  writer.Count(static_cast<uint32_t>(lines.size() + texts.size()));
  for (const auto& line : lines) writer.Object(line);
  for (const auto& text : texts) writer.Object(text);
  return writer.Data();
}

QImage GlyphOf(const QToolButton* button) {
  return button->icon().pixmap(kGlyphSize).toImage();
}

// Which of the glyph's pixels are purple, as a string of "#" and "." along one row.
QString Row(const QImage& glyph, int y) {
  QString row;
  for (int x = 0; x < glyph.width(); ++x) row += glyph.pixelColor(x, y) == kPurple ? '#' : '.';
  return row;
}

void Press(QWidget* widget, Qt::MouseButton button) {
  QTest::mouseClick(widget, button);
}

int LineOperators(const std::string& content) {
  int count = 0;
  for (std::size_t at = 0; (at = content.find(" l\n", at)) != std::string::npos; ++at) ++count;
  return count;
}

}  // namespace

class ListWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::GuiScratch> scratch_;
  std::unique_ptr<test::ScriptedUi> ui_;
  std::unique_ptr<Program> program_;
  fs::path dir_;

  TForm6& Form() { return *program_->Form6; }
  const TListEditor& Editor() { return program_->Form6->Editor; }
  const TParam& Selected() { return Editor().SelectedEntry()->Param; }
  fs::path Write(const std::string& name, const std::string& bytes) {
    test::WriteFile(dir_ / name, bytes);
    return dir_ / name;
  }
  void Add(const std::vector<fs::path>& paths) {
    ui_->OpenFilesAnswers.push_back(paths);
    Form().AddButton->click();
  }
  QStringList Shown() {
    QStringList texts;
    for (int i = 0; i < Form().ListBox1->count(); ++i) texts << Form().ListBox1->item(i)->text();
    return texts;
  }
  QStringList Paths() {
    QStringList paths;
    for (const TListEntry& entry : Editor().Entries()) paths << QString::fromStdString(entry.Path);
    return paths;
  }
  // Enter answers the button that keeps the list.
  void ExpectQuestion(const char* text, TMessageButtons buttons, Answer keeping) {
    QVERIFY(!ui_->Messages.empty());
    const test::ScriptedUi::TMessage& asked = ui_->Messages.back();
    QCOMPARE(asked.Caption, std::string("警告"));
    QCOMPARE(asked.Text, std::string(text));
    QVERIFY(asked.Icon == TMessageIcon::Warning && asked.Buttons == buttons);
    QVERIFY(asked.Default == keeping);
  }

 private slots:
  void init() {
    scratch_ = std::make_unique<test::GuiScratch>();
    dir_ = scratch_->path().toStdString();
    ui_ = std::make_unique<test::ScriptedUi>();
    program_ = std::make_unique<Program>(*ui_);
    program_->settings.Env = program_->settings.ListEnv = DefaultEnvironment();
    Form().show();
  }
  void cleanup() {
    program_.reset();
    ui_.reset();
    scratch_.reset();
  }

  void listOperationsAndTheirQuestions() {
    const fs::path comma = Write("a,1.jww", test::TwoLayerLines());
    const fs::path upper = Write("B.jww", test::TwoLayerLines());
    const fs::path parts = dir_ / "c.jwk";
    Add({comma, upper});
    QCOMPARE(ui_->Dialogs.back().Options.Filter,
             std::string("JW_CAD図面ファイル(*.jww;*.jwc)|*.jww;*.jwc|"
                         "JW_CAD図形ファイル(*.jwk)|*.jwk"));
    QCOMPARE(Paths(), QStringList({comma.c_str(), upper.c_str()}));  // the comma stays
    QCOMPARE(Shown(), Paths());
    QCOMPARE(Form().ListBox1->currentRow(), 1);
    QVERIFY(Editor().Modified() && Selected().Scanned);
    Form().ListBox1->setCurrentRow(0);
    Add({parts});  // after the selected entry
    QCOMPARE(Paths(), QStringList({comma.c_str(), parts.c_str(), upper.c_str()}));
    QCOMPARE(Form().StatusBar1->findChild<QLabel*>()->text(), QString("図形"));

    Form().UpButton->click();
    Form().UpButton->click();  // already first
    QCOMPARE(Paths(), QStringList({parts.c_str(), comma.c_str(), upper.c_str()}));
    QCOMPARE(Editor().Selected(), 0);
    Form().DownButton->click();
    Form().DownButton->click();
    Form().DownButton->click();  // already last
    QCOMPARE(Paths(), QStringList({comma.c_str(), upper.c_str(), parts.c_str()}));
    Form().SortButton->click();  // "a,1" before "B" before "c", the selected entry followed
    QCOMPARE(Paths(), QStringList({comma.c_str(), upper.c_str(), parts.c_str()}));
    QCOMPARE(Shown(), Paths());
    QCOMPARE(Editor().Selected(), 2);

    ui_->MessageAnswers = {Answer::Cancel, Answer::Ok};
    Form().DelButton->click();
    ExpectQuestion("削除しますか？", TMessageButtons::OkCancel, Answer::Cancel);
    QCOMPARE(Editor().Entries().size(), size_t{3});
    Form().DelButton->click();
    QCOMPARE(Paths(), QStringList({comma.c_str(), upper.c_str()}));
    QCOMPARE(Editor().Selected(), 1);  // the entry above
    Form().ListBox1->setCurrentRow(0);
    Form().DelButton->click();  // the first: the new first is selected
    QCOMPARE(Paths(), QStringList({upper.c_str()}));
    QCOMPARE(Editor().Selected(), 0);
    Form().DelButton->click();
    QCOMPARE(Shown(), QStringList());
    QCOMPARE(Editor().Selected(), -1);
    QCOMPARE(ui_->Messages.size(), size_t{4});
  }

  void listsAreSavedAndLoadedAndNeverLostUnasked() {
    const fs::path first = Write("first.jww", test::TwoLayerLines());
    const fs::path second = Write("second.jww", test::TwoLayerLines());
    Add({first, second});
    Press(Form().LayButton[1], Qt::LeftButton);  // layer 1 of group 0 off in "second"
    const fs::path list = dir_ / "mylist";
    ui_->SaveAnswers = {list};
    Form().SaveButton->click();
    const auto& save = ui_->Dialogs.back();
    QVERIFY(save.Kind == test::ScriptedUi::TDialogKind::Save);
    QCOMPARE(save.Options.Filter, kListFiles);
    QCOMPARE(save.Options.FileName, dir_ / "first.lst");
    QVERIFY(save.Options.ConfirmOverwrite && save.Options.DefaultSuffix.empty());
    QCOMPARE(test::ReadFile(list), first.string() + ",FFFFFFFF" + std::string(60, 'F') + "\r\n" +
                                       second.string() + ",FFFFFFFD" + std::string(60, 'F') +
                                       "\r\n");
    const std::string settings = test::ReadFile(dir_ / "mylist.kvs");
    QVERIFY(settings.starts_with("[Application]\r\nDataVersion=130\r\n[Environment]\r\n"));
    QVERIFY(settings.find("UseGray=") < settings.find("UseJwwFont="));
    QVERIFY(settings.find("Top=") == std::string::npos);
    QVERIFY(!Editor().Modified());
    Form().DownButton->click();  // on the last entry: nothing changes
    QVERIFY(!Editor().Modified());

    ui_->OpenAnswers = {std::nullopt, list};
    Form().LoadButton->click();  // cancelled: the list stays
    QCOMPARE(Paths(), QStringList({first.c_str(), second.c_str()}));
    Form().LoadButton->click();
    QCOMPARE(ui_->Dialogs.back().Options.Filter, kListFiles);
    QCOMPARE(Paths(), QStringList({first.c_str(), second.c_str()}));
    QCOMPARE(Shown(), Paths());
    QCOMPARE(Editor().Selected(), 1);
    QCOMPARE(Selected().LayerMask[0], 0xFFFD);
    QCOMPARE(Selected().GroupMask, 0xFFFF);
    QVERIFY(!Selected().Scanned);
    QVERIFY(ui_->Messages.empty());

    // Unsaved changes: loading and clearing ask first; saving then offers the loaded list.
    Form().UpButton->click();
    ui_->MessageAnswers = {Answer::Cancel, Answer::No};
    Form().LoadButton->click();
    ExpectQuestion("保存されていません。保存しますか？", TMessageButtons::YesNoCancel, Answer::Yes);
    QCOMPARE(Paths(), QStringList({second.c_str(), first.c_str()}));
    ui_->OpenAnswers = {list};
    Form().LoadButton->click();
    QCOMPARE(Paths(), QStringList({first.c_str(), second.c_str()}));
    QVERIFY(!Editor().Modified());

    Form().UpButton->click();
    ui_->MessageAnswers = {Answer::Yes, Answer::No};
    ui_->SaveAnswers = {std::nullopt};
    Form().ClearButton->click();  // yes, but the save is cancelled
    QCOMPARE(ui_->Dialogs.back().Options.FileName, list);
    QCOMPARE(Editor().Entries().size(), size_t{2});
    Form().ClearButton->click();
    QCOMPARE(Shown(), QStringList());
    QVERIFY(!Editor().Modified());
    QCOMPARE(ui_->Messages.size(), size_t{4});
  }

  void closingAsksAboutUnsavedMaskEdits() {
    Add({Write("plan.jww", test::TwoLayerLines())});
    ui_->SaveAnswers = {dir_ / "plan.lst"};
    Form().SaveButton->click();
    Press(Form().GrpButtonALL, Qt::LeftButton);
    QVERIFY(Editor().Modified());
    ui_->MessageAnswers = {Answer::Cancel, Answer::No};
    test::CloseFromWindowManager(&Form());
    ExpectQuestion("保存しますか？", TMessageButtons::YesNoCancel, Answer::Yes);
    QVERIFY(Form().isVisible());
    Form().reject();
    QVERIFY(!Form().isVisible());
    QVERIFY(Editor().Entries().empty() && !Editor().Modified());
  }

  void settingsChangedInTheDetailDialogAreAChangeOfTheList() {
    Add({Write("plan.jww", test::TwoLayerLines())});
    const fs::path list = dir_ / "plan.lst";
    ui_->SaveAnswers = {list};
    Form().SaveButton->click();
    const auto detail = [&](const char* line1, bool ok) {
      test::WhenModal([&, line1, ok](QWidget* dialog) {
        if (line1) program_->Form3->Line[1]->setValue(line1);
        (ok ? static_cast<TForm3*>(dialog)->Button1 : static_cast<TForm3*>(dialog)->Button5)
            ->click();
      });
      Form().EnvButton->click();
    };
    // A conversion's paper choice is no setting of the list.
    program_->settings.Env.FitToPaper = true;
    program_->settings.Env.PaperMode = 3;
    detail(nullptr, true);
    detail("0.5", false);
    QVERIFY(!Editor().Modified());
    detail("0.5", true);
    QVERIFY(Editor().Modified());
    ui_->MessageAnswers = {Answer::Yes};
    ui_->SaveAnswers = {list};
    Form().reject();
    ExpectQuestion("保存しますか？", TMessageButtons::YesNoCancel, Answer::Yes);
    QVERIFY(!Form().isVisible());
    QVERIFY(test::ReadFile(dir_ / "plan.kvs").find("\r\nLine1=0.5\r\n") != std::string::npos);
    QCOMPARE(ui_->Messages.size(), size_t{1});  // nothing asked about the list's own settings
  }

  void aSettingsFileOfTheUsersIsReplacedOnlyWhenTheUserSaysSo() {
    Add({Write("plan.jww", test::TwoLayerLines())});
    const std::string mine = "[Environment]\r\nLine1=0.3\r\n";
    const fs::path settings = Write("mine.kvs", mine);
    const fs::path list = dir_ / "mine.lst";
    ui_->SaveAnswers = {list, list};
    ui_->MessageAnswers = {Answer::No, Answer::Yes};
    Form().SaveButton->click();
    QCOMPARE(ui_->Messages.size(), size_t{1});
    const test::ScriptedUi::TMessage& asked = ui_->Messages.back();
    QCOMPARE(asked.Caption, std::string("名前を付けて保存"));
    QCOMPARE(asked.Text, std::string("mine.kvs は既に存在します。\r\n置き換えますか?"));
    QVERIFY(asked.Icon == TMessageIcon::Warning && asked.Buttons == TMessageButtons::YesNo);
    QVERIFY(asked.Default == Answer::No);
    QVERIFY(!fs::exists(list) && Editor().Modified());
    QCOMPARE(test::ReadFile(settings), mine);
    Form().SaveButton->click();
    QVERIFY(fs::exists(list) && !Editor().Modified());
    QVERIFY(test::ReadFile(settings).find("\r\nLine1=0.1\r\n") != std::string::npos);
  }

  void rotationAndTilesLockEachOther() {
    QCOMPARE(test::Items(Form().Angle1),
             QStringList({"標準", "90度", "180度", "270度", "A3出力", "A4出力", "50%出力"}));
    QCOMPARE(test::Items(Form().Dim1), QStringList({"1", "2", "4", "8", "16"}));
    Form().Dim1->setCurrentIndex(3);
    test::Choose(Form().Angle1, 1);
    QCOMPARE(Form().Dim1->currentText(), QString("1"));
    QVERIFY(!Form().Dim1->isEnabled());
    test::Choose(Form().Angle1, 0);
    QVERIFY(Form().Dim1->isEnabled());
    Form().Angle1->setCurrentIndex(2);
    test::Choose(Form().Dim1, 2);
    QCOMPARE(Form().Angle1->currentIndex(), 0);
    QVERIFY(!Form().Angle1->isEnabled());
    test::Choose(Form().Dim1, 0);
    QVERIFY(Form().Angle1->isEnabled());
  }

  // Tab goes from the list down through the controls at its right, in the order they are seen.
  void tabFollowsTheControlsTopToBottom() {
    QVERIFY(QTest::qWaitForWindowActive(&Form()));
    Form().ListBox1->setFocus();
    int stops = 0;
    for (int above = -1; stops < 20; ++stops) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      const QWidget* at = QApplication::focusWidget();
      if (at == Form().ListBox1) break;
      QVERIFY2(at->y() > above, qPrintable(at->property("text").toString()));
      above = at->y();
    }
    QCOMPARE(stops, 14);  // twelve buttons, the rotation and the tiles
  }

  void glyphsShowTheMasksAndWhatTheLayersHold() {
    // Group 0: lines on layers 0 and 1, a text on layer 0; group 1, not output: texts on
    // layers 0 and 2.
    Add({Write("plan.jww", Drawing({s::Line(0x00), s::Line(0x01)},
                                   {s::Text(0x00), s::Text(0x10), s::Text(0x12)}))});
    Press(Form().GrpButton[1], Qt::LeftButton);
    const QImage group0 = GlyphOf(Form().GrpButton[0]);
    const QImage group1 = GlyphOf(Form().GrpButton[1]);
    const QImage group2 = GlyphOf(Form().GrpButton[2]);
    // Clear where nothing is drawn: the button's face shows through.
    const QColor face(Qt::transparent);
    QCOMPARE(group2.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(group0.size(), kGlyphSize);
    QCOMPARE(Row(group0, 1), QString(".###################....."));  // both bars, one
    QCOMPARE(Row(group1, 2), QString("........############....."));  // text only
    QCOMPARE(Row(group2, 0), QString("........................."));
    // Output groups get the rectangle from (2, 2) to (18, 17), under the bars; layers the
    // ellipse in it.
    QCOMPARE(group0.pixelColor(2, 10), QColor(Qt::black));
    QCOMPARE(group0.pixelColor(18, 17), QColor(Qt::black));
    QCOMPARE(group0.pixelColor(19, 18), face);
    QCOMPARE(group1.pixelColor(2, 10), face);
    QCOMPARE(group2.pixelColor(18, 10), QColor(Qt::black));
    const QImage layer1 = GlyphOf(Form().LayButton[1]);
    QCOMPARE(Row(layer1, 0), QString(".#############..........."));  // graphics only
    QCOMPARE(Row(GlyphOf(Form().LayButton[0]), 0), Row(group0, 0));
    QCOMPARE(layer1.pixelColor(2, 17), face);
    QCOMPARE(layer1.pixelColor(2, 10), QColor(Qt::black));
    Press(Form().GrpButton[1], Qt::RightButton);
    QCOMPARE(Row(GlyphOf(Form().LayButton[0]), 1), QString("........############....."));
    QCOMPARE(Row(GlyphOf(Form().LayButton[2]), 1), QString("........############....."));
    QCOMPARE(Row(GlyphOf(Form().LayButton[1]), 1), QString("........................."));

    ui_->MessageAnswers = {Answer::No};
    Form().ClearButton->click();  // nothing selected: blank glyphs
    for (const QToolButton* button : {Form().GrpButton[0], Form().LayButton[0]}) {
      QImage blank(kGlyphSize, QImage::Format_ARGB32);
      blank.fill(face);
      QCOMPARE(GlyphOf(button).convertToFormat(QImage::Format_ARGB32), blank);
    }
  }

  // The character sits in the middle of its box, clear of it on every side.
  void theCharacterIsCentredInItsBox() {
    Add({Write("plan.jww", Drawing({s::Line(0x00)}, {}))});
    const QRect inside(3, 3, 15, 14);
    for (const QToolButton* button : Form().GrpButton) {
      const QImage glyph = GlyphOf(button);
      QRect ink;
      for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
          if (glyph.pixelColor(x, y).alpha() > 0) ink |= QRect(x, y, 1, 1);
        }
      }
      const int left = ink.left() - inside.left(), right = inside.right() - ink.right();
      const int top = ink.top() - inside.top(), bottom = inside.bottom() - ink.bottom();
      QVERIFY(std::min({left, right, top, bottom}) >= 1);
      QVERIFY(std::abs(left - right) <= 1 && std::abs(top - bottom) <= 1);
    }
  }

  // The pressed group button looks pressed where the glyph draws nothing, and every button
  // shows its whole glyph, circles and boxes included, pressed or not.
  void buttonsShowTheirPressedLookAndWholeGlyphs() {
    Add({Write("plan.jww", Drawing({s::Line(0x00)}, {s::Text(0x10)}))});
    const auto markedPixels = [](const QImage& image) {
      int count = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const QColor color = image.pixelColor(x, y);
          count += color == Qt::black || color == kPurple;
        }
      }
      return count;
    };
    for (QToolButton* button :
         {Form().GrpButton[0], Form().GrpButton[1], Form().LayButton[0], Form().LayButton[15]}) {
      const int drawn = markedPixels(GlyphOf(button));
      QVERIFY(drawn > 40);  // a box or circle at least
      QCOMPARE(markedPixels(button->grab().toImage()), drawn);
    }
    const QPoint unmarked(5, 12);  // inside the box, left of the character
    const QColor pressed = Form().GrpButton[0]->grab().toImage().pixelColor(unmarked);
    const QColor raised = Form().GrpButton[1]->grab().toImage().pixelColor(unmarked);
    QVERIFY(Form().GrpButton[0]->isChecked());
    QVERIFY2(pressed != raised, qPrintable(pressed.name() + " " + raised.name()));
  }

  // Clicking the selected entry shows its group 0 again, as selecting one does.
  void clickingTheSelectedEntryShowsGroupZero() {
    const fs::path plan = Write("plan.jww", test::TwoLayerLines());
    Add({plan, plan});
    Press(Form().GrpButton[3], Qt::RightButton);
    QCOMPARE(Editor().CurrentGroup(), 3);
    QListWidget* list = Form().ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(Editor().Selected(), 1);
    QCOMPARE(Editor().CurrentGroup(), 0);
    QVERIFY(Form().GrpButton[0]->isChecked() && !Form().GrpButton[3]->isChecked());
  }

  void mouseRulesOfTheLayerButtons() {
    Press(Form().GrpButton[3], Qt::LeftButton);  // nothing selected: nothing happens
    QCOMPARE(Editor().CurrentGroup(), 0);
    const fs::path plan = Write("plan.jww", test::TwoLayerLines());
    Add({plan, plan});
    ui_->SaveAnswers = {dir_ / "plan.lst"};
    Form().SaveButton->click();

    Press(Form().GrpButton[3], Qt::RightButton);  // shows group 3, changes nothing
    QCOMPARE(Editor().CurrentGroup(), 3);
    QVERIFY(Form().GrpButton[3]->isChecked() && !Form().GrpButton[0]->isChecked());
    QCOMPARE(Selected().GroupMask, 0xFFFF);
    QVERIFY(!Editor().Modified());
    Press(Form().GrpButton[3], Qt::LeftButton);
    Press(Form().GrpButton[5], Qt::LeftButton);
    Press(Form().GrpButton[6], Qt::MiddleButton);
    QCOMPARE(Selected().GroupMask, 0xFF97);
    QVERIFY(Form().GrpButton[3]->isChecked() && !Form().GrpButton[5]->isChecked());
    QVERIFY(Editor().Modified());

    Press(Form().LayButton[2], Qt::RightButton);
    Press(Form().LayButton[4], Qt::MiddleButton);
    QCOMPARE(Selected().LayerMask[3], 0xFFEB);
    // A double click comes as a press and a double-click press: two toggles.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      QMouseEvent event(
          type, QPointF(5, 5), Form().LayButton[2]->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(Form().LayButton[2], &event);
    }
    QCOMPARE(Selected().LayerMask[3], 0xFFEB);
    Press(Form().LayButtonALL, Qt::LeftButton);
    QCOMPARE(Selected().LayerMask[3], 0x0000);
    Press(Form().LayButtonALL, Qt::LeftButton);
    QCOMPARE(Selected().LayerMask[3], 0xFFFF);
    Press(Form().LayButton[0], Qt::LeftButton);
    Press(Form().LayButtonALL, Qt::RightButton);
    QCOMPARE(Selected().LayerMask[3], 0xFFFF);
    QCOMPARE(Selected().LayerMask[0], 0xFFFF);

    Press(Form().GrpButtonALL, Qt::LeftButton);  // only the shown group
    QCOMPARE(Selected().GroupMask, 0x0008);
    Press(Form().GrpButtonALL, Qt::LeftButton);
    QCOMPARE(Selected().GroupMask, 0xFFFF);
    Press(Form().GrpButtonALL, Qt::LeftButton);
    Press(Form().GrpButtonALL, Qt::MiddleButton);
    QCOMPARE(Selected().GroupMask, 0xFFFF);
    Form().ListBox1->setCurrentRow(0);  // selecting shows group 0 again
    QCOMPARE(Editor().CurrentGroup(), 0);
    QVERIFY(Form().GrpButton[0]->isChecked());
  }

  void theSplitMakesOneEntryPerOtherGroupHoldingSomething() {
    const fs::path plan =
        Write("plan.jww", Drawing({s::Line(0x01), s::Line(0x32)}, {s::Text(0x7F)}));
    Add({Write("other.jww", test::TwoLayerLines()), plan});
    Press(Form().LayButton[5], Qt::LeftButton);
    ui_->SaveAnswers = {dir_ / "plan.lst"};
    Form().SaveButton->click();
    Form().LayDivideButton1->click();
    QCOMPARE(Paths(), QStringList({(dir_ / "other.jww").c_str(), plan.c_str(), plan.c_str()}));
    QCOMPARE(Shown(), Paths());
    const std::vector<TListEntry>& entries = Editor().Entries();
    QCOMPARE(entries[1].Param.GroupMask, 0x0009);
    QCOMPARE(entries[2].Param.GroupMask, 0x0081);
    for (const TListEntry& part : {entries[1], entries[2]}) {
      QCOMPARE(part.Param.LayerMask[0], 0xFFDF);
      QCOMPARE(part.Param.LayerMask[7], 0xFFFF);
    }
    QCOMPARE(Editor().Selected(), 1);
    QVERIFY(entries[1].Param.Scanned && !entries[2].Param.Scanned);
    QVERIFY(Editor().Modified());

    ui_->OpenAnswers = {dir_ / "plan.lst"};
    ui_->MessageAnswers = {Answer::No};
    Form().LoadButton->click();
    Form().LayDivideButton1->click();  // the selected entry was never scanned
    QCOMPARE(Editor().Entries().size(), size_t{2});
    QVERIFY(!Editor().Modified());
  }

  void previewAndConversionTakeEachEntrysMasks() {
    const fs::path plan = Write("plan.jww", test::TwoLayerLines());
    Add({plan, plan});
    Press(Form().LayButton[1], Qt::LeftButton);  // the second entry without layer 1
    Form().PreViewButton->click();
    const fs::path preview = CacheFolder() / "temp0.pdf";
    QCOMPARE(ui_->Opened, std::vector<fs::path>{preview});
    QCOMPARE(LineOperators(test::StreamData(test::ReadFile(preview)).at(0)), 1);

    program_->Form1->pdfopen1->setChecked(false);
    const fs::path pdf = dir_ / "plans.pdf";
    ui_->SaveAnswers = {pdf, pdf};
    Form().ExeButton->click();
    QCOMPARE(ui_->Dialogs.back().Options.FileName, dir_ / "plan.pdf");
    const std::vector<std::string> pages = test::StreamData(test::ReadFile(pdf));
    QCOMPARE(pages.size(), size_t{2});
    QCOMPARE(LineOperators(pages[0]), 2);
    QCOMPARE(LineOperators(pages[1]), 1);
    Form().Dim1->setCurrentIndex(1);  // two sheets per drawing
    Form().ExeButton->click();
    QCOMPARE(test::StreamData(test::ReadFile(pdf)).size(), size_t{4});
    QCOMPARE(ui_->Opened.size(), size_t{1});
    QVERIFY(ui_->Messages.empty());
  }

  void theMainWindowOpensItOnTheListsOwnSettings() {
    Form().hide();
    Settings& settings = program_->settings;
    settings.SavedEnv = DefaultEnvironment();
    settings.Env = settings.SavedEnv;
    settings.Env.LastDir = "/drawings";  // a conversion's folder, not yet kept
    bool checked = false;
    test::WhenModal([&](QWidget* modal) {
      QCOMPARE(modal, static_cast<QWidget*>(&Form()));
      QCOMPARE(modal->windowTitle(), QString("リスト編集"));
      QVERIFY(settings.ListEnv == settings.SavedEnv && settings.Env == settings.SavedEnv);
      test::WhenModal([&](QWidget* detail) {
        program_->Form3->Line[1]->setValue("0.5");
        static_cast<TForm3*>(detail)->Button1->click();
      });
      Form().EnvButton->click();
      QCOMPARE(static_cast<double>(settings.ListEnv.Line[1]), 0.5);
      QVERIFY(settings.Env == settings.ListEnv);
      test::WhenModal([&](QWidget* detail) { static_cast<TForm3*>(detail)->Button5->click(); });
      settings.Env.Line[1] = 0.7L;
      Form().EnvButton->click();
      QVERIFY(settings.Env == settings.ListEnv);
      checked = true;
      ui_->MessageAnswers = {Answer::No};  // the changed settings are not kept
      Form().reject();
    });
    program_->Form1->Button3->click();
    QVERIFY(checked);
    QCOMPARE(settings.Env.LastDir, std::string("/drawings"));
    QCOMPARE(static_cast<double>(settings.Env.Line[1]),
             static_cast<double>(settings.SavedEnv.Line[1]));
  }
};

QTEST_MAIN(ListWindowTest)
#include "listwindow_test.moc"
