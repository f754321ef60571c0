// A player's changes in the program: Undo and Redo name the step and take their
// keys, the window titles mark unsaved changes, and nothing with unsaved
// changes closes without a question.

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeView>

#include "AppFixture.h"
#include "app/Actions.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "document/Document.h"
#include "shape/Outline.h"

namespace tavrel::test {
namespace {

using namespace command;

class UndoAndCloseTest : public AppFixture {
 protected:
  // The demo car imported, with one point moved through the document.
  Document& ImportAndEdit() {
    StartOnDemo();
    Trigger(kImportFromExe);
    Document& document = *app->ActiveDocument();
    editors.point = {999, 0, 0};
    document.EditElement(document.GetCar()->m_Points[1], editors);
    Settle();
    return document;
  }
  // Keys pressed where the focus is, as the player would: the tree has it after an edit there.
  void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    app->GetActions().Update();
    app->Window().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&app->Window()));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &app->Window(), key, modifiers);
    Settle();
  }
  QString WindowTitle() { return app->Window().MdiArea().currentSubWindow()->windowTitle(); }

  ScriptedEditorHost editors;
};

TEST_F(UndoAndCloseTest, UndoAndRedoNameTheStepAndTakeTheirKeys) {
  Document& document = ImportAndEdit();
  Vertex& point = document.GetCar()->m_Points[1];
  app->GetActions().Update();
  EXPECT_EQ(ActionOf(kUndo).text(), "&Undo Point Edit");
  EXPECT_TRUE(ActionOf(kUndo).isEnabled());
  EXPECT_EQ(ActionOf(kRedo).text(), "&Redo");
  EXPECT_FALSE(ActionOf(kRedo).isEnabled());
  EXPECT_EQ(WindowTitle(), "car1 *");

  Keys(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(point.m_X, 999);
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
  EXPECT_EQ(ActionOf(kRedo).text(), "&Redo Point Edit");
  EXPECT_FALSE(ActionOf(kUndo).isEnabled());
  EXPECT_EQ(WindowTitle(), "car1") << "back where it was imported";

  Keys(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(point.m_X, 999);
  Keys(Qt::Key_Z, Qt::ControlModifier);
  Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(point.m_X, 999) << "Ctrl+Shift+Z redoes too";
}

// Close asks once for a document with unsaved changes: Cancel keeps it, No
// lets the changes go; Yes saves first (asking for a name, since an imported
// car has no file).
TEST_F(UndoAndCloseTest, CloseAsksBeforeUnsavedChangesGo) {
  ImportAndEdit();
  messages.choices = {Choice::Cancel};
  Trigger(kClose);
  EXPECT_EQ(messages.asked, std::vector<std::string>{"Save changes to car1?"});
  EXPECT_EQ(app->DocumentCount(), 1u);

  const std::filesystem::path saved = dir / "saved.cs3";
  messages.choices = {Choice::Yes};
  chooser.answers = {std::nullopt};  // the name is cancelled: so is the close
  Trigger(kClose);
  EXPECT_EQ(app->DocumentCount(), 1u);

  messages.choices = {Choice::Yes};
  chooser.answers = {saved};
  Trigger(kClose);
  EXPECT_EQ(app->DocumentCount(), 0u);
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(messages.asked.size(), 3u);
}

TEST_F(UndoAndCloseTest, TheLastWindowAndExitAskToo) {
  ImportAndEdit();
  Trigger(kNewWindow);
  ASSERT_EQ(app->Window().MdiArea().subWindowList().size(), 2);
  app->Window().MdiArea().currentSubWindow()->close();
  Settle();
  EXPECT_TRUE(messages.asked.empty()) << "another window still shows the document";

  messages.choices = {Choice::Cancel};
  EXPECT_FALSE(app->Window().MdiArea().currentSubWindow()->close());
  Settle();
  EXPECT_EQ(app->DocumentCount(), 1u);

  messages.choices = {Choice::Cancel};
  EXPECT_FALSE(app->Window().close()) << "Exit cancelled";
  EXPECT_EQ(messages.asked.size(), 2u);

  messages.choices = {Choice::No};
  EXPECT_TRUE(app->Window().close());
  EXPECT_EQ(messages.asked.size(), 3u);
}

TEST_F(UndoAndCloseTest, AnUnchangedDocumentClosesWithoutAQuestion) {
  Document& document = ImportAndEdit();
  document.Undo();
  Trigger(kClose);
  EXPECT_EQ(app->DocumentCount(), 0u);
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(UndoAndCloseTest, CtrlF4AndCtrlWCloseWhereverTheFocusIs) {
  StartOnDemo();
  Trigger(kImportFromExe);
  Trigger(kImportFromExe);
  app->Window().findChild<QTreeView*>("carTree")->setFocus();
  Keys(Qt::Key_F4, Qt::ControlModifier);
  EXPECT_EQ(app->DocumentCount(), 1u);
  app->Window().MdiArea().currentSubWindow()->widget()->setFocus();
  Keys(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(app->DocumentCount(), 0u);
}

}  // namespace
}  // namespace tavrel::test
