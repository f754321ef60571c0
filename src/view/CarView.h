#pragma once
// The car view: the car in 3D in a GL widget, with its own display flags and
// viewpoint. The left button turns the model (Ctrl: about z), a click stops the
// animation, a double click edits the point under the mouse, and Shift + left
// drag moves that point. The flags come from the settings when the view is made
// and go back when it goes.

#include <QOpenGLWidget>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "base/Signal.h"
#include "scene/DisplayFlags.h"
#include "scene/PointDrag.h"
#include "scene/Viewpoint.h"
#include "view/GlFrame.h"

namespace tavrel {

class Document;
class EditorHost;
class Observer;
class ProgramValues;
class Settings;

class CarView : public QOpenGLWidget {
  Q_OBJECT
 public:
  // `editors` edits the point a double click picks: the tree panel, which relabels its item.
  CarView(Document& document, ProgramValues& program, EditorHost& editors, QWidget* parent = nullptr);
  ~CarView() override;

  Document& GetDocument() { return m_Document; }
  DisplayFlags& Flags() { return m_Flags; }
  Viewpoint& View() { return m_Viewpoint; }
  ProgramValues& Program() { return m_Program; }

  // Turns the animation on at the application's delay, or off.
  void ToggleAnimation();
  // "Reload Texture.cfg": the mapping read again, the textures filled again at the next textured frame.
  void ReloadTextureCfg();
  // The livery's and the chassis's pictures into the document's slots.
  void LoadCarTextures();
  // The frame as the window shows it, labels included; a null image when none can be made.
  QImage GrabFrame();

 protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // One notch of the wheel, or + and -, zooms as the zoom commands do.
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Another window taking the mouse or the keys puts a dragged point back.
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ReleaseTextures();
  ViewMatrices CurrentView() const;
  // A Shift + left press over a point grabs it; false when none is under the mouse.
  bool GrabPointAt(QPointF at);
  void DragPointTo(QPointF at);
  // Release: one step of the history. Cancel (Esc, focus lost): the point goes back.
  void DropPoint();
  void CancelPointDrag();
  // The document changed under a drag (an undo, a part import): the drag ends,
  // the point put back unless the change set it.
  void EndPointDragForChange();
  // Ends the drag and leaves the point as it is (its shape may be gone).
  void ForgetPointDrag();
  void ShowDragStatus(const QString& text);

  Document& m_Document;
  ProgramValues& m_Program;
  EditorHost& m_Editors;
  DisplayFlags m_Flags;
  Viewpoint m_Viewpoint;
  MouseRotation m_Rotation;
  std::optional<PointDrag> m_PointDrag;
  PointValues m_DraggedTo;  // where the drag last put the point
  GlFrame m_Frame;
  QTimer m_Animation;
  int m_WheelRest = 0;  // eighths of a degree turned short of a whole notch
  std::vector<Signal<>::Connection> m_Connections;
  Signal<std::size_t>::Connection m_ShapeUnlisting;
};

}  // namespace tavrel
