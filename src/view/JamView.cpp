#include "view/JamView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "base/Messages.h"
#include "document/Document.h"
#include "textures/JAM.h"
#include "textures/Picture.h"

namespace tavrel {
namespace {

constexpr const char* kNoJamSelected = "You must select a JAM file from the tree first!";
constexpr const char* kTroubleLoading =
    "Trouble Loading JAM File perhaps I don't know Zav Location or Jam Does not exist/corrupt";
constexpr int kLineStep = 16;

QRect ToQRect(const JamRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

QImage ToImage(const Picture& picture) {
  const QImage rgb(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
  // Converted once here, so painting only copies.
  return rgb.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

JamView::JamView(Document& document, Messages& messages, std::uint32_t jamSeed, QWidget* parent)
    : QAbstractScrollArea(parent), m_Document(document), m_Messages(messages), m_JamSeed(jamSeed) {
  setObjectName("jamView");
  // Every repaint starts from a cleared background, so a smaller drawing after
  // a zoom leaves nothing of the larger one behind.
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  viewport()->setMouseTracking(true);
  horizontalScrollBar()->setSingleStep(kLineStep);
  verticalScrollBar()->setSingleStep(kLineStep);
  UpdateScrollRanges();
}

void JamView::ToggleJamIds() {
  m_ShowJamIds = !m_ShowJamIds;
  viewport()->update();
}

void JamView::ZoomIn() {
  m_Layout.ZoomIn();
  Zoomed();
}

void JamView::ZoomOut() {
  m_Layout.ZoomOut();
  Zoomed();
}

void JamView::Zoomed() {
  UpdateScrollRanges();
  viewport()->update();
}

void JamView::UpdateScrollRanges() {
  const QSize page = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, m_Layout.AreaWidth() - page.width()));
  verticalScrollBar()->setRange(0, std::max(0, m_Layout.AreaHeight() - page.height()));
  horizontalScrollBar()->setPageStep(page.width());
  verticalScrollBar()->setPageStep(page.height());
}

QPoint JamView::ScrollOffset() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void JamView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

void JamView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void JamView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (m_JamTaken) return;
  m_JamTaken = true;
  m_Jam = m_Document.SelectedJam();
  if (!m_Jam) Report(kNoJamSelected);
}

QString JamView::JamName() const {
  const std::shared_ptr<JAM>& jam = m_JamTaken ? m_Jam : m_Document.SelectedJam();
  return jam ? QString::fromStdString(jam->FullPath().filename().string()) : QString();
}

void JamView::Report(std::string text) {
  if (m_Reporting) return;
  m_Reporting = true;
  QTimer::singleShot(0, this, [this, text = std::move(text)] {
    m_Messages.show(text);
    m_Reporting = false;
  });
}

void JamView::paintEvent(QPaintEvent* event) {
  if (!m_Jam) return;
  // A JAM whose file was missing is tried again at every repaint.
  if (!m_Jam->IsLoaded() && !m_Jam->Load(false, m_Messages, m_JamSeed)) {
    Report(kTroubleLoading);
    return;
  }
  QPainter painter(viewport());
  DrawItems(painter, event->rect(), true);
}

void JamView::DrawItems(QPainter& painter, const QRect& exposed, bool makePictures) {
  if (!m_Jam || !m_Jam->IsLoaded()) return;
  const QPoint offset = ScrollOffset();
  const QRect area = exposed.translated(offset);
  painter.translate(-offset);
  for (int i = 0; i < m_Jam->ItemCount(); ++i) {
    const QRect target = ItemRect(i);
    if (!target.intersects(area)) continue;
    // Scaled pictures copy the nearest source pixel: the item's own colours.
    if (const QImage* picture = PictureOf(i, makePictures)) painter.drawImage(target, *picture);
  }
  if (m_ShowJamIds) DrawJamIds(painter, area);
}

QRect JamView::ItemRect(int i) const {
  return ToQRect(m_Layout.ItemRect(m_Jam->GetX(i), m_Jam->GetY(i), m_Jam->GetWidth(i), m_Jam->GetHeight(i)));
}

// Each item gets an outline of its drawn size in a column at the left edge, with
// "#id(hex id)" over its middle.
void JamView::DrawJamIds(QPainter& painter, const QRect& area) {
  painter.setPen(QPen(Qt::black, 1));
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  painter.setFont(font());
  const QFontMetrics metrics(font());
  // Zoomed out the labels would run into each other: every step-th is written, the same ones at every repaint.
  const int step = m_Layout.IdLabelStep(metrics.height());
  for (int i = 0; i < m_Jam->ItemCount(); ++i) {
    const JamRect outline = m_Layout.IdOutline(i, m_Jam->GetWidth(i), m_Jam->GetHeight(i));
    if (!JamLayout::IdRowMeets(outline, metrics.height(), area.top(), area.bottom())) continue;
    // A pen of width 1 strokes the rectangle's edges from (x, y) to (x + w, y + h).
    painter.drawRect(ToQRect(outline));
    if (i % step != 0) continue;
    const QString label = QString::fromStdString(JamIdLabel(m_Jam->GetJamId(i)));
    const JamPoint labelAt = JamLayout::IdLabelAt(outline);
    painter.drawText(QRect(QPoint(labelAt.x, labelAt.y), metrics.size(Qt::TextSingleLine, label)),
                     Qt::AlignLeft | Qt::AlignTop, label);
  }
}

const QImage* JamView::PictureOf(int i, bool make) {
  if (m_Pictures.size() != static_cast<std::size_t>(m_Jam->ItemCount()))
    m_Pictures.resize(static_cast<std::size_t>(m_Jam->ItemCount()));
  std::optional<QImage>& cached = m_Pictures[static_cast<std::size_t>(i)];
  if (!cached && make) {
    Picture picture;
    cached = m_Jam->MakeBitmap(picture, i) ? ToImage(picture) : QImage();
    // The image holds the picture now; the JAM's copy would only double it.
    m_Jam->ReleaseItem(i);
  }
  return cached && !cached->isNull() ? &*cached : nullptr;
}

QColor JamView::PixelAt(QPoint position) {
  QImage pixel(1, 1, QImage::Format_RGB32);
  pixel.fill(viewport()->palette().color(viewport()->backgroundRole()));
  QPainter painter(&pixel);
  painter.translate(-position);
  DrawItems(painter, QRect(position, QSize(1, 1)), false);
  painter.end();
  return pixel.pixelColor(0, 0);
}

void JamView::mouseMoveEvent(QMouseEvent* event) {
  if (m_Jam) {
    const QPoint position = event->position().toPoint();
    const QPoint onArea = position + ScrollOffset();
    const JamPoint canvas = m_Layout.CanvasPoint({onArea.x(), onArea.y()});
    const QColor colour = PixelAt(position);
    emit StatusText(QString::fromStdString(
        JamStatusText(m_Jam->CanvasByte(canvas.x, canvas.y), colour.red(), colour.green(), colour.blue(), canvas)));
  }
  QAbstractScrollArea::mouseMoveEvent(event);
}

}  // namespace tavrel
