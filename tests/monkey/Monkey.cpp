#include "monkey/Monkey.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/Actions.h"
#include "app/Application.h"
#include "app/CarTree.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "document/Document.h"
#include "monkey/Say.h"
#include "support/TestSupport.h"
#include "view/CarView.h"
#include "view/JamView.h"

namespace tavrel::monkey {
namespace {

// Never run: one starts another program, the other ends the run.
const std::array kForbidden = {QString("command%1").arg(command::kLaunchZav), QString("command%1").arg(command::kExit)};

// A colour table has 256 rows: opened now and then, not every time.
constexpr int kBigListing = 64;

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, modifiers);
  QCoreApplication::sendEvent(&widget, &event);
}

void CollectMenu(const QList<QAction*>& actions, std::vector<QAction*>& found) {
  for (QAction* action : actions) {
    if (action->menu()) {
      CollectMenu(action->menu()->actions(), found);
    } else if (!action->isSeparator() && action->isEnabled() && action->isVisible() &&
               std::ranges::find(kForbidden, action->objectName()) == kForbidden.end()) {
      found.push_back(action);
    }
  }
}

}  // namespace

Monkey::Monkey(Application& app, Random& random, const std::filesystem::path& game)
    : m_App(app), m_Random(random), m_Game(std::filesystem::weakly_canonical(game)) {}

void Monkey::Act(long number) {
  CheckGameLocation();
  Say("#%ld ", number);
  const int roll = m_Random.Below(100);
  if (m_App.DocumentCount() == 0 && m_Random.Chance(30)) {
    Say("import from exe\n");
    m_App.ImportFromExe();
  } else if (roll < 35) {
    TriggerCommand();
  } else if (roll < 60) {
    TreeAction();
  } else if (roll < 80) {
    CarViewMouse();
  } else if (roll < 85) {
    JamViewMouse();
  } else if (roll < 97) {
    WindowAction();
  } else {
    OpenGameFile();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  NoteNewDocuments();
}

void Monkey::NoteNewDocuments() {
  const std::vector<Document*> documents = m_App.Documents();
  std::erase_if(m_StartBytes,
                [&](const auto& entry) { return std::ranges::find(documents, entry.first) == documents.end(); });
  for (Document* document : documents)
    if (document->HasCar() && !document->CanUndo() && !m_StartBytes.contains(document))
      m_StartBytes[document] = test::CarBytes(*document->GetCar());
}

bool Monkey::UndoEverything() {
  bool same = true;
  for (Document* document : m_App.Documents()) {
    const auto start = m_StartBytes.find(document);
    if (start == m_StartBytes.end()) continue;
    int undone = 0;
    for (; document->CanUndo(); ++undone) document->Undo();
    const bool equal = test::CarBytes(*document->GetCar()) == start->second;
    Say("%s: %d steps undone, %s\n", document->Title().c_str(), undone,
        equal ? "the car is as it was" : "THE CAR DIFFERS");
    same = same && equal;
  }
  return same;
}

void Monkey::CheckGameLocation() const {
  const auto exe = std::filesystem::weakly_canonical(m_App.Program().ExecutablePath());
  if (std::ranges::mismatch(m_Game, exe).in1 == m_Game.end()) return;
  Say("the game executable %s is outside the run's folder %s: stopped\n", exe.string().c_str(),
      m_Game.string().c_str());
  std::abort();
}

std::vector<QAction*> Monkey::EnabledActions() const {
  m_App.GetActions().Update();
  std::vector<QAction*> found;
  CollectMenu(m_App.Window().menuBar()->actions(), found);
  return found;
}

void Monkey::TriggerCommand() {
  const std::vector<QAction*> actions = EnabledActions();
  if (actions.empty()) return Say("no command\n");
  QAction* action = m_Random.Pick(actions);
  Say("command %s %s\n", qPrintable(action->objectName()), qPrintable(action->text()));
  action->trigger();
}

std::vector<QModelIndex> Monkey::VisibleRows() const {
  QTreeView& view = m_App.Window().Tree().View();
  std::vector<QModelIndex> rows;
  std::vector<QModelIndex> parents = {QModelIndex()};
  while (!parents.empty()) {
    const QModelIndex parent = parents.back();
    parents.pop_back();
    for (int row = 0; row < view.model()->rowCount(parent); ++row) {
      const QModelIndex index = view.model()->index(row, 0, parent);
      rows.push_back(index);
      if (view.isExpanded(index)) parents.push_back(index);
    }
  }
  return rows;
}

void Monkey::TreeAction() {
  QTreeView& view = m_App.Window().Tree().View();
  const std::vector<QModelIndex> rows = VisibleRows();
  if (rows.empty()) return Say("tree empty\n");
  const QModelIndex index = m_Random.Pick(rows);
  const QString label = QString("\"%1\"").arg(index.data().toString());
  view.scrollTo(index);
  const QPoint at = view.visualRect(index).center();
  switch (m_Random.Below(4)) {
    case 0:
      Say("tree click %s\n", qPrintable(label));
      QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
      break;
    case 1:
      Say("tree double click %s\n", qPrintable(label));
      QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
      break;
    case 2: {
      // Mostly opening, so the run reaches deep items; a big listing only now and then.
      const bool big = view.model()->canFetchMore(index) || view.model()->rowCount(index) > kBigListing;
      const bool expand = !view.isExpanded(index);
      if (!view.model()->hasChildren(index) || (expand && big && !m_Random.Chance(10)) ||
          (!expand && !m_Random.Chance(30)))
        return Say("tree leave %s\n", qPrintable(label));
      Say("tree %s %s\n", expand ? "expand" : "collapse", qPrintable(label));
      view.setExpanded(index, expand);
      break;
    }
    default: {
      static const std::array keys = {Qt::Key_Up,       Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,  Qt::Key_Home,
                                      Qt::Key_End,      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Return, Qt::Key_Space,
                                      Qt::Key_Asterisk, Qt::Key_Plus,   Qt::Key_Minus};
      const Qt::Key key = m_Random.Pick(keys);
      Say("tree key %s\n", qPrintable(QKeySequence(key).toString()));
      view.setFocus();
      QTest::keyClick(&view, key);
      break;
    }
  }
}

template <typename View>
View* Monkey::ActivateView() {
  QMdiArea& area = m_App.Window().MdiArea();
  if (QMdiSubWindow* active = area.currentSubWindow())
    if (auto* view = qobject_cast<View*>(active->widget())) return view;
  std::vector<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : area.subWindowList())
    if (qobject_cast<View*>(window->widget())) windows.push_back(window);
  if (windows.empty()) return nullptr;
  QMdiSubWindow* window = m_Random.Pick(windows);
  Say("activate \"%s\", ", qPrintable(window->windowTitle()));
  area.setActiveSubWindow(window);
  return qobject_cast<View*>(window->widget());
}

void Monkey::CarViewMouse() {
  auto* view = ActivateView<CarView>();
  if (!view) return Say("no car view\n");
  const auto randomPoint = [&] {
    return QPoint(m_Random.Below(std::max(1, view->width())), m_Random.Below(std::max(1, view->height())));
  };
  QPoint at = randomPoint();
  switch (m_Random.Below(4)) {
    case 0:
      Say("car view click %d,%d\n", at.x(), at.y());
      QTest::mouseClick(view, Qt::LeftButton, {}, at);
      break;
    case 1:
      Say("car view double click %d,%d\n", at.x(), at.y());
      QTest::mouseClick(view, Qt::LeftButton, {}, at);
      QTest::mouseDClick(view, Qt::LeftButton, {}, at);
      break;
    default: {
      const Qt::MouseButton button = m_Random.Chance(80) ? Qt::LeftButton : Qt::RightButton;
      const Qt::KeyboardModifiers modifiers = m_Random.Chance(30) ? Qt::ControlModifier : Qt::NoModifier;
      const int moves = m_Random.Between(1, 8);
      Say("car view drag %s%s from %d,%d, %d moves\n", modifiers ? "ctrl+" : "",
          button == Qt::LeftButton ? "left" : "right", at.x(), at.y(), moves);
      SendMouse(*view, QEvent::MouseButtonPress, at, button, button, modifiers);
      for (int i = 0; i < moves; ++i) {
        // Now and then far outside the window, as a fast mouse would go.
        at = m_Random.Chance(10) ? at + QPoint(m_Random.Between(-3000, 3000), m_Random.Between(-3000, 3000))
                                 : randomPoint();
        SendMouse(*view, QEvent::MouseMove, at, Qt::NoButton, button, modifiers);
        QCoreApplication::processEvents();
      }
      SendMouse(*view, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
      break;
    }
  }
}

void Monkey::JamViewMouse() {
  auto* view = ActivateView<JamView>();
  if (!view) return Say("no JAM view\n");
  QWidget& area = *view->viewport();
  if (m_Random.Chance(30)) {
    QScrollBar& bar = m_Random.Chance(50) ? *view->verticalScrollBar() : *view->horizontalScrollBar();
    const int value = m_Random.Between(bar.minimum(), bar.maximum());
    Say("JAM view scroll to %d\n", value);
    bar.setValue(value);
    return;
  }
  const QPoint at(m_Random.Between(-10, area.width() + 10), m_Random.Between(-10, area.height() + 10));
  Say("JAM view move to %d,%d\n", at.x(), at.y());
  SendMouse(area, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
}

void Monkey::WindowAction() {
  QMdiArea& area = m_App.Window().MdiArea();
  const QList<QMdiSubWindow*> windows = area.subWindowList();
  const int choice = m_Random.Below(6);
  if (windows.isEmpty() && choice < 3) return Say("no windows\n");
  switch (choice) {
    case 0: {
      QMdiSubWindow* window = m_Random.Pick(windows);
      Say("activate window \"%s\"\n", qPrintable(window->windowTitle()));
      area.setActiveSubWindow(window);
      break;
    }
    case 1: {
      QMdiSubWindow* window = m_Random.Pick(windows);
      Say("close window \"%s\"\n", qPrintable(window->windowTitle()));
      window->close();
      break;
    }
    case 2: {
      QMdiSubWindow* window = m_Random.Pick(windows);
      const auto state = static_cast<std::size_t>(m_Random.Below(3));
      Say("%s window \"%s\"\n", std::array{"maximize", "minimize", "restore"}[state],
          qPrintable(window->windowTitle()));
      if (state == 0) window->showMaximized();
      if (state == 1) window->showMinimized();
      if (state == 2) window->showNormal();
      break;
    }
    case 3: {
      const int id = m_Random.Chance(50) ? command::kNewWindow : command::kJamView;
      QAction* action = m_App.GetActions().Find(id);
      m_App.GetActions().Update();
      Say("command %d%s\n", id, action->isEnabled() ? "" : " (disabled)");
      action->trigger();
      break;
    }
    case 4:
      Say("next window\n");
      area.activateNextSubWindow();
      break;
    default: {
      const QSize size(m_Random.Between(300, 1280), m_Random.Between(200, 900));
      Say("main window size %dx%d\n", size.width(), size.height());
      m_App.Window().resize(size);
      break;
    }
  }
}

void Monkey::OpenGameFile() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(m_Game / "cars"))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::ranges::sort(files);
  if (files.empty()) return Say("no game files\n");
  const std::filesystem::path& file = m_Random.Pick(files);
  Say("open %s\n", file.filename().string().c_str());
  m_App.OpenFile(QString::fromStdString(file.string()));
}

}  // namespace tavrel::monkey
