#include "app/CarTree.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QTreeView>

#include "app/CarTreeModel.h"
#include "app/ValueDialogs.h"
#include "base/Settings.h"
#include "document/Document.h"
#include "shape/JamFile.h"

namespace tavrel {

CarTree::CarTree(Settings& settings, QMainWindow& window)
    : QDockWidget(tr("Cars"), &window), m_Model(new CarTreeModel(this)), m_View(new QTreeView(this)) {
  // Only read, never written: the older program kept them the same way.
  const int width = settings.ReadInt(kPreferences, "TreeWidth", 200);
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
  m_View->setIconSize(QSize(16, 15));
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

void CarTree::Selected(const QModelIndex& current) {
  const OutlineNode* node = m_Model->NodeOf(current);
  Observer* element = node ? node->element : nullptr;
  if (element == nullptr) return;
  if (element->m_Kind == kKindJamFile) return static_cast<const JamFile*>(element)->SelectForDocument();
  Car* owner = element->GetOwner();
  if (owner == nullptr) return;
  owner->ClearSelection();
  element->Select();
  RedrawIfCar(owner);
}

void CarTree::DoubleClicked(const QModelIndex& index) {
  const OutlineNode* node = m_Model->NodeOf(index);
  Observer* element = node ? node->element : nullptr;
  if (element == nullptr) return;
  element->Edit(*this);
  RedrawIfCar(element->GetOwner());
}

void CarTree::RedrawIfCar(const Object3D* shape) {
  if (Document* document = m_Model->DocumentOfCar(shape)) document->UpdateAllViews();
}

bool CarTree::EditPoint(Object3D* shape, PointValues& values) {
  // "View Center" centres on the values the dialog opened with.
  const PointValues opened = values;
  const auto viewCenter = [this, shape, opened] {
    if (shape == nullptr) return;
    shape->m_ViewCenter.m_From = opened.x;
    shape->m_ViewCenter.m_To = opened.y;
    shape->m_ViewCenter.m_U1 = opened.z;
    RedrawIfCar(shape);
  };
  return RunPointEditor(window(), values, viewCenter);
}

bool CarTree::EditCamera(CameraFields& fields) { return RunCameraEditor(window(), fields); }

bool CarTree::EditDataValue(int& value) { return RunDataValueEditor(window(), value); }

void CarTree::SetItemText(OutlineNode* item, const std::string& text) {
  if (item != nullptr) m_Model->SetText(*item, text);
}

}  // namespace tavrel
