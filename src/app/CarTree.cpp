#include "app/CarTree.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "app/CarTreeModel.h"
#include "app/ValueDialogs.h"
#include "base/Settings.h"
#include "document/Document.h"

namespace tavrel {

CarTree::CarTree(Settings& settings, Messages& messages, QMainWindow& window)
    : QDockWidget(tr("Cars"), &window),
      m_Messages(messages),
      m_Model(new CarTreeModel(this)),
      m_View(new QTreeView(this)) {
  m_View->setIconSize(QSize(16, 15));
  // Only read, never written: a player may set them in the settings file by hand.
  const int width = settings.ReadInt(kPreferences, "TreeWidth", DefaultWidth());
  const int height = settings.ReadInt(kPreferences, "TreeHeight", 10);
  const int left = settings.ReadInt(kPreferences, "TreeLeft", 10);
  const int top = settings.ReadInt(kPreferences, "TreeTop", 10);
  const int right = settings.ReadInt(kPreferences, "TreeRight", 100);
  const int bottom = settings.ReadInt(kPreferences, "TreeBottom", 110);
  setObjectName("carTreeDock");
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  resize(width, height);

  m_View->setObjectName("carTree");
  m_View->setHeaderHidden(true);
  // Long labels scroll sideways, as in a tree control, instead of being cut short.
  m_View->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_View->header()->setStretchLastSection(false);
  m_View->setUniformRowHeights(true);
  m_View->setModel(m_Model);
  m_View->setWhatsThis(tr("Every car that is open, with its parts, points, connections and cameras."));
  // Where the tree stands until the dock first lays it out: inside the
  // rectangle from the settings, 4 pixels in, 12 pixels shorter when docked.
  m_View->setGeometry(left + 4, top + 4, right - left - 8, bottom - top - 12);
  setWidget(m_View);
  m_View->expand(m_Model->AllCarsIndex());
  connect(m_Model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent) {
    if (parent == m_Model->AllCarsIndex()) m_View->expand(parent);
  });
  connect(m_View->selectionModel(), &QItemSelectionModel::currentChanged, this, &CarTree::Selected);
  connect(m_View, &QTreeView::doubleClicked, this, &CarTree::DoubleClicked);

  window.addDockWidget(Qt::LeftDockWidgetArea, this);
  window.resizeDocks({this}, {width}, Qt::Horizontal);
}

// Wide enough for a point's whole label three levels down, beside the scroll bar.
int CarTree::DefaultWidth() const {
  const int label = m_View->fontMetrics().horizontalAdvance("p[000] -0000 -0000 -0000 (U1=0)");
  const int scrollBar = m_View->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return std::max(200, 4 * m_View->indentation() + m_View->iconSize().width() + label + scrollBar + 16);
}

// Selecting and editing go through the element's document, which redraws its views.
void CarTree::Selected(const QModelIndex& current) {
  const OutlineNode* node = m_Model->NodeOf(current);
  Document* document = m_Model->DocumentOf(current);
  if (node != nullptr && node->element != nullptr && document != nullptr) document->SelectElement(*node->element);
}

void CarTree::DoubleClicked(const QModelIndex& index) {
  const OutlineNode* node = m_Model->NodeOf(index);
  Document* document = m_Model->DocumentOf(index);
  if (node != nullptr && node->element != nullptr && document != nullptr) document->EditElement(*node->element, *this);
}

bool CarTree::EditPoint(PointValues& values, const ViewCenter& viewCenter) {
  // "View Center" centres on the values the dialog opened with.
  const PointValues opened = values;
  return RunPointEditor(
      window(), values, [&viewCenter, opened] { viewCenter(opened); }, m_Messages);
}

bool CarTree::EditCamera(CameraFields& fields) { return RunCameraEditor(window(), fields, m_Messages); }

bool CarTree::EditDataValue(int& value) { return RunDataValueEditor(window(), value, m_Messages); }

}  // namespace tavrel
