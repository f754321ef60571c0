#include "view/CarView.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QStatusTipEvent>
#include <QWheelEvent>

#include "base/Settings.h"
#include "document/Document.h"
#include "document/ProgramValues.h"
#include "scene/PointPicking.h"
#include "shape/Car.h"
#include "shape/Outline.h"

namespace tavrel {
namespace {

PickShapes pickShapes(const DisplayFlags& flags) {
  return {flags.showCar, flags.showHelmet, flags.showCockpit, flags.showTyres, flags.showSWheel};
}

}  // namespace

CarView::CarView(Document& document, ProgramValues& program, EditorHost& editors, QWidget* parent)
    : QOpenGLWidget(parent),
      m_Document(document),
      m_Program(program),
      m_Editors(editors),
      m_Flags(ReadDisplayFlags(program.Store())),
      m_Frame(document.TextureBitmaps()) {
  setObjectName("carView");
  setMouseTracking(false);
  setFocusPolicy(Qt::StrongFocus);  // + and - zoom once the view is clicked
  setMinimumSize(64, 48);
  connect(&m_Animation, &QTimer::timeout, this, [this] {
    if (m_Viewpoint.AnimationTick()) update();
  });
  const auto redraw = [this] { update(); };
  m_Connections.push_back(document.RedrawWanted().Connect(redraw));
  m_Connections.push_back(document.CarListed().Connect(redraw));
  m_Connections.push_back(document.CarUnlisted().Connect(redraw));
  // A shape listed anew has new points: a drag of one of the old ones just ends.
  m_Connections.push_back(document.CarUnlisted().Connect([this] { ForgetPointDrag(); }));
  m_ShapeUnlisting = document.ShapeUnlisting().Connect([this](std::size_t) { ForgetPointDrag(); });
  m_Connections.push_back(document.StateChanged().Connect([this] { EndPointDragForChange(); }));
  document.ResetTextures(m_Flags.m_CarJamName);
}

CarView::~CarView() {
  // A window closed in the middle of a drag puts the point back: the document
  // may live on in another window, and no change may stay that is not a step.
  if (m_PointDrag) m_Document.ShowPointAt(*m_PointDrag->point, m_PointDrag->start);
  WriteDisplayFlags(m_Program.Store(), m_Flags);
  ReleaseTextures();
  // The base class destroys the context after this object is gone; its
  // aboutToBeDestroyed must not call back into what is left of it.
  if (context()) disconnect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CarView::ReleaseTextures);
}

void CarView::LoadCarTextures() { m_Document.LoadTextures(m_Flags.m_CarJamName); }

void CarView::ToggleAnimation() {
  if (m_Viewpoint.m_Animating) {
    m_Viewpoint.m_Animating = false;
    m_Animation.stop();
    return;
  }
  m_Animation.start(static_cast<int>(m_Program.m_AnimationDelay));
  m_Viewpoint.m_Animating = true;
}

void CarView::ReloadTextureCfg() {
  m_Frame.Drawing().ForgetTextures();
  m_Document.ReloadTextureCfg();
  update();
}

QImage CarView::GrabFrame() { return grabFramebuffer(); }

void CarView::initializeGL() {
  // A new context (the widget moved to another window) holds none of the old
  // context's textures: they are made again at the next textured frame.
  m_Frame.Drawing().ForgetTextures();
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CarView::ReleaseTextures, Qt::UniqueConnection);
}

void CarView::ReleaseTextures() {
  if (context() == nullptr) return;
  makeCurrent();
  m_Frame.Drawing().ReleaseTextures();
  doneCurrent();
}

ViewMatrices CarView::CurrentView() const {
  return ViewMatricesFor(m_Viewpoint, m_Document.GetCar(), {width(), height()});
}

void CarView::paintGL() {
  Car* car = m_Document.GetCar();
  const ViewMatrices view = CurrentView();
  const FrameInput input{car, m_Document.Mapping(), m_Flags};
  const qreal ratio = devicePixelRatioF();
  const QSize devicePixels(qRound(width() * ratio), qRound(height() * ratio));
  if (!m_Frame.Draw3D(input, view, devicePixels, palette().color(QPalette::Base))) return;
  // Only a pointer over the view picks: one beside it (over the tree) must not
  // take the selection, nor may the pointer dragging a point.
  const QPointF mouse = mapFromGlobal(QCursor::pos());
  if (!m_PointDrag && rect().contains(mouse.toPoint()) &&
      PickAfterFrame(*car, pickShapes(m_Flags), view, mouse.x(), mouse.y()))
    update();
  QPainter painter(this);
  PaintLabels(painter, m_Frame.Labels(input), view);
}

void CarView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    repaint();
    m_Animation.stop();
    m_Viewpoint.m_Animating = false;
    if (event->modifiers().testFlag(Qt::ShiftModifier) && GrabPointAt(event->position())) return event->accept();
    const QPoint at = event->position().toPoint();
    m_Rotation.Press(at.x(), at.y(), event->modifiers().testFlag(Qt::ControlModifier));
  }
  QOpenGLWidget::mousePressEvent(event);
}

void CarView::mouseMoveEvent(QMouseEvent* event) {
  // A release that went elsewhere (to a dialog the press opened) ends the drag here.
  if (!event->buttons().testFlag(Qt::LeftButton)) {
    m_Rotation.Release();
    CancelPointDrag();
  }
  if (m_PointDrag) return DragPointTo(event->position());
  const QPoint at = event->position().toPoint();
  if (m_Rotation.MoveTo(at.x(), at.y(), m_Viewpoint)) update();
  QOpenGLWidget::mouseMoveEvent(event);
}

void CarView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_Rotation.Release();
    DropPoint();
  }
  QOpenGLWidget::mouseReleaseEvent(event);
}

void CarView::mouseDoubleClickEvent(QMouseEvent* event) {
  Car* car = m_Document.GetCar();
  if (event->button() == Qt::LeftButton && car != nullptr && car->m_SelectedPoint != nullptr) {
    GetDocument().EditElement(*car->m_SelectedPoint, m_Editors);
  }
  QOpenGLWidget::mouseDoubleClickEvent(event);
}

// A notch is 120 eighths of a degree; the small steps of a touchpad add up to notches.
void CarView::wheelEvent(QWheelEvent* event) {
  constexpr int kNotch = 120;
  m_WheelRest += event->angleDelta().y();
  for (; m_WheelRest >= kNotch; m_WheelRest -= kNotch) m_Viewpoint.ZoomIn();
  for (; m_WheelRest <= -kNotch; m_WheelRest += kNotch) m_Viewpoint.ZoomOut();
  event->accept();
  update();
}

void CarView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      if (!m_PointDrag) return QOpenGLWidget::keyPressEvent(event);
      CancelPointDrag();
      return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without Shift
      m_Viewpoint.ZoomIn();
      break;
    case Qt::Key_Minus:
      m_Viewpoint.ZoomOut();
      break;
    default:
      return QOpenGLWidget::keyPressEvent(event);
  }
  update();
}

void CarView::focusOutEvent(QFocusEvent* event) {
  CancelPointDrag();
  QOpenGLWidget::focusOutEvent(event);
}

bool CarView::GrabPointAt(QPointF at) {
  Car* car = m_Document.GetCar();
  if (car == nullptr) return false;
  m_PointDrag = GrabPoint(*car, pickShapes(m_Flags), CurrentView(), at.x(), at.y());
  if (!m_PointDrag) return false;
  // The grabbed point is the selection, as a pick makes it, so its marker moves with it.
  m_PointDrag->shape->m_SelectedPoint = m_PointDrag->point;
  car->m_SelectedPoint = m_PointDrag->point;
  m_DraggedTo = m_PointDrag->start;
  ShowDragStatus(QString::fromStdString(ItemLabel(*m_PointDrag->point).value_or("")));
  update();
  return true;
}

void CarView::DragPointTo(QPointF at) {
  const std::optional<PointValues> to = DraggedTo(*m_PointDrag, CurrentView(), at.x(), at.y());
  if (!to) return;
  m_DraggedTo = *to;
  m_Document.ShowPointAt(*m_PointDrag->point, *to);
  ShowDragStatus(QString::fromStdString(ItemLabel(*m_PointDrag->point).value_or("")));
}

// The drag is over before the document hears of it: the step it makes comes back as a change.
void CarView::DropPoint() {
  if (!m_PointDrag) return;
  const PointDrag drag = *m_PointDrag;
  ForgetPointDrag();
  m_Document.MovePoint(*drag.point, drag.start);
}

void CarView::CancelPointDrag() {
  if (!m_PointDrag) return;
  const PointDrag drag = *m_PointDrag;
  ForgetPointDrag();
  m_Document.ShowPointAt(*drag.point, drag.start);
}

void CarView::EndPointDragForChange() {
  if (!m_PointDrag) return;
  if (ValuesOfPoint(*m_PointDrag->point) == m_DraggedTo) return CancelPointDrag();
  ForgetPointDrag();
}

void CarView::ForgetPointDrag() {
  m_PointDrag.reset();
  ShowDragStatus({});
}

// The main window's status bar takes the text, as it takes a menu item's prompt.
void CarView::ShowDragStatus(const QString& text) {
  QStatusTipEvent tip(text);
  QCoreApplication::sendEvent(this, &tip);
}

}  // namespace tavrel
