#pragma once
// The car tree panel: a dock at the left or right of the main window holding
// the tree of every open car, its parts and their elements. Selecting an item
// makes its element the selection of its shape; double-clicking opens the
// element's value editor, which the panel runs as the documents' editor host.

#include <QDockWidget>

#include "document/EditorHost.h"

class QMainWindow;
class QTreeView;

namespace tavrel {

class CarTreeModel;
class Document;
class Messages;
class Settings;

class CarTree : public QDockWidget, public EditorHost {
  Q_OBJECT
 public:
  // Docks itself at the left of `window`; its editors refuse a value through `messages`.
  CarTree(Settings& settings, Messages& messages, QMainWindow& window);

  QTreeView& View() { return *m_View; }
  CarTreeModel& Model() { return *m_Model; }

  bool EditPoint(PointValues& values, const ViewCenter& viewCenter) override;
  bool EditCamera(CameraFields& fields) override;
  bool EditDataValue(int& value) override;

 private:
  // The width when the settings give none.
  int DefaultWidth() const;
  void Selected(const QModelIndex& current);
  void DoubleClicked(const QModelIndex& index);

  Messages& m_Messages;
  CarTreeModel* m_Model;
  QTreeView* m_View;
};

}  // namespace tavrel
