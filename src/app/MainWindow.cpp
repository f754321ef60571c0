#include "app/MainWindow.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QWhatsThis>
#include <algorithm>

#include "app/Actions.h"
#include "app/CarTree.h"
#include "app/CommandTable.h"

namespace tavrel {
namespace {

QToolBar* MakeToolbar(QMainWindow& window, const QString& name, const QString& title) {
  auto* toolbar = new QToolBar(title, &window);
  toolbar->setObjectName(name);
  // The button pictures are drawn for 18 by 15 pixels.
  toolbar->setIconSize(QSize(18, 15));
  return toolbar;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, Messages& messages)
    : m_MdiArea(new QMdiArea(this)),
      m_MainToolbar(MakeToolbar(*this, "mainToolbar", tr("Toolbar"))),
      m_DisplayToolbar(MakeToolbar(*this, "displayToolbar", tr("Display"))) {
  setObjectName("mainWindow");
  setWindowIcon(QIcon(":/icons/tavrel.svg"));
  m_MdiArea->setObjectName("mdiArea");
  m_MdiArea->setViewMode(QMdiArea::SubWindowView);
  m_MdiArea->setWhatsThis(tr("The car windows. Each shows one car; a car can have several windows."));
  setCentralWidget(m_MdiArea);
  // No larger than the screen, so no part of a car view lies where the pointer cannot go.
  resize(QSize(1100, 760).boundedTo(screen()->availableSize()));
  addToolBar(Qt::TopToolBarArea, m_MainToolbar);
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, m_DisplayToolbar);
  CreateStatusBar();
  m_CarTree = new CarTree(settings, messages, *this);

  using namespace command;
  Handle(kCascade, [this] { Cascade(); });
  Handle(kTile, [this] { m_MdiArea->tileSubWindows(); });
  Handle(kArrangeIcons, [this] { ArrangeIcons(); });
  Handle(kHelpTopics, [this] { ShowHelp(); });
  Handle(kHelp, [this] { ShowHelp(); });
  Handle(kDefaultHelp, [this] { ShowHelp(); });
  Handle(kContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
  // "Toolbar" toggles the main toolbar only, the display toolbar stays.
  Handle(
      kToggleToolbar, [this] { m_MainToolbar->setVisible(!m_MainToolbar->isVisible()); },
      [this] { return m_MainToolbar->isVisibleTo(this); });
  Handle(
      kToggleStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
      [this] { return statusBar()->isVisibleTo(this); });
}

void MainWindow::AddToolbars(const Actions& actions) {
  actions.FillToolbar(*m_MainToolbar, MainToolbar());
  actions.FillToolbar(*m_DisplayToolbar, DisplayToolbar());
}

void MainWindow::CreateStatusBar() {
  auto* idle = new QLabel(tr("For Help, press F1"), this);
  idle->setObjectName("statusMessage");
  statusBar()->addWidget(idle, 1);
  // The lock keys' states cannot be read portably: the panes keep their place
  // in the status bar players know, dimmed.
  for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
    auto* label = new QLabel(indicator, this);
    label->setEnabled(false);
    label->setFrameShape(QFrame::StyledPanel);
    statusBar()->addPermanentWidget(label);
  }
}

void MainWindow::PlaceWindow(QMdiSubWindow& window, int index) {
  // Large enough to look at the car, small enough that cascaded windows stay in reach.
  const QSize area = m_MdiArea->viewport()->size();
  const auto side = [](int room, int least) { return std::min(room, std::max(least, room * 3 / 4)); };
  window.resize(side(area.width(), 600), side(area.height(), 420));
  window.move(QPoint(24, 24) * (index % 8));
}

void MainWindow::Cascade() {
  int index = 0;
  for (QMdiSubWindow* window : m_MdiArea->subWindowList(QMdiArea::StackingOrder)) {
    if (window->isMinimized() || window->isHidden()) continue;
    if (window->isMaximized()) window->showNormal();
    PlaceWindow(*window, index++);
    window->raise();
  }
}

void MainWindow::ArrangeIcons() {
  int x = 0;
  const int bottom = m_MdiArea->viewport()->height();
  for (QMdiSubWindow* window : m_MdiArea->subWindowList(QMdiArea::CreationOrder)) {
    if (!window->isMinimized()) continue;
    window->move(x, bottom - window->height());
    x += window->width();
  }
}

void MainWindow::SetStatusText(const QString& text) {
  statusBar()->showMessage(text);
  statusBar()->repaint();
}

void MainWindow::ShowHelp() {
  if (!m_Help) {
    m_Help = new QTextBrowser(this);
    m_Help->setWindowFlag(Qt::Window);
    m_Help->setObjectName("helpWindow");
    m_Help->setWindowTitle(tr("Zav Tavrel Help"));
    m_Help->setAttribute(Qt::WA_DeleteOnClose);
    m_Help->setSource(QUrl("qrc:/guide.html"));
    m_Help->resize(640, 560);
  }
  m_Help->show();
  m_Help->raise();
  m_Help->activateWindow();
}

}  // namespace tavrel
