#pragma once
// The JAM view: the items of the JAM file selected in the tree, each drawn where
// it lies on the file's canvas, at a scale the zoom commands change; the canvas
// byte under the mouse goes out as a status text.

#include <QAbstractScrollArea>
#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavrel {

class Document;
class JAM;
class Messages;

class JamView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // The scrollable area at scale 1; it grows and shrinks with the scale.
  static constexpr int kAreaWidth = 512;
  static constexpr int kAreaHeight = 2000;
  static constexpr double kZoomInFactor = 1.1;
  static constexpr double kZoomOutFactor = 0.9;
  // Zoom commands that would leave this range do nothing: beyond it the drawing's
  // coordinates would overflow, or the drawing would vanish.
  static constexpr double kMaxZoom = 32.0;
  static constexpr double kMinZoom = 1.0 / 32.0;
  // The outlines of "Show RCR Jam Ids" stand in a column, one every this many rows at scale 1.
  static constexpr int kIdRowSpacing = 30;

  // `jamSeed` unscrambles a JAM whose file could not be read before.
  JamView(Document& document, Messages& messages, std::uint32_t jamSeed, QWidget* parent = nullptr);

  // The JAM shown: the document's selected JAM when the view was first shown.
  const std::shared_ptr<JAM>& Jam() const { return m_Jam; }
  // Every how many items an id label is written at this zoom, so that labels of
  // `textHeight` pixels never run into each other.
  static int IdLabelStep(double zoom, int textHeight);
  // The file name of the JAM shown, or of the one it will show; empty when there is none.
  QString JamName() const;
  double Zoom() const { return m_Zoom; }
  bool ShowsJamIds() const { return m_ShowJamIds; }

  void ZoomIn() { ZoomBy(kZoomInFactor); }
  void ZoomOut() { ZoomBy(kZoomOutFactor); }
  void ToggleJamIds();

 signals:
  // "[value] = RGB(r,g,b) x,y(x,y)" for the mouse's place, as it moves over a JAM.
  void StatusText(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void ZoomBy(double factor);
  void UpdateScrollRanges();
  QPoint ScrollOffset() const;
  int Scaled(int length) const;
  // Shows a message once the current event is handled; while one is waiting or
  // open, further ones are dropped, so a burst of repaints opens one box.
  void Report(std::string text);

  // Draws the items (and their ids when asked) that fall in `exposed`, given in
  // viewport coordinates. Only with `makePictures` are missing pictures made.
  void DrawItems(QPainter& painter, const QRect& exposed, bool makePictures);
  void DrawJamIds(QPainter& painter, const QRect& exposed);
  QRect ItemRect(int i) const;
  const QImage* PictureOf(int i, bool make);
  // The colour drawn at a viewport position, from the pictures already made.
  QColor PixelAt(QPoint position);

  Document& m_Document;
  Messages& m_Messages;
  std::uint32_t m_JamSeed;
  bool m_JamTaken = false;
  std::shared_ptr<JAM> m_Jam;
  double m_Zoom = 1.0;
  bool m_ShowJamIds = false;
  bool m_Reporting = false;
  // Each item's picture, made the first time it is shown; an empty image for an
  // item that has none.
  std::vector<std::optional<QImage>> m_Pictures;
};

}  // namespace tavrel
