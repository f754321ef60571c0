#pragma once
// The car tree panel: a dock at the left or right of the main window holding
// the tree of every open car, its parts and their elements. Selecting an item
// makes its element the selection of its shape; double-clicking opens the
// element's value editor, which the panel runs as the elements' editor host.

#include <QDockWidget>

#include "shape/EditorHost.h"

class QMainWindow;
class QTreeView;

namespace tavrel {

class CarTreeModel;
class Document;
class Settings;

class CarTree : public QDockWidget, public EditorHost {
  Q_OBJECT
 public:
  // Docks itself at the left of `window`.
  CarTree(Settings& settings, QMainWindow& window);

  QTreeView& View() { return *m_View; }
  CarTreeModel& Model() { return *m_Model; }

  bool EditPoint(Object3D* shape, PointValues& values) override;
  bool EditCamera(CameraFields& fields) override;
  bool EditDataValue(int& value) override;
  void SetItemText(OutlineNode* item, const std::string& text) override;

 private:
  void Selected(const QModelIndex& current);
  void DoubleClicked(const QModelIndex& index);
  // Only the car's own elements redraw the views: the parts have no document.
  void RedrawIfCar(const Object3D* shape);

  CarTreeModel* m_Model;
  QTreeView* m_View;
};

}  // namespace tavrel
