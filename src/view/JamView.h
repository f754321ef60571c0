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

#include "textures/JamLayout.h"

namespace tavrel {

class Document;
class JAM;
class Messages;

class JamView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // `jamSeed` unscrambles a JAM whose file could not be read before.
  JamView(Document& document, Messages& messages, std::uint32_t jamSeed, QWidget* parent = nullptr);

  // The JAM shown: the document's selected JAM when the view was first shown.
  const std::shared_ptr<JAM>& Jam() const { return m_Jam; }
  // The file name of the JAM shown, or of the one it will show; empty when there is none.
  QString JamName() const;
  double Zoom() const { return m_Layout.Zoom(); }
  bool ShowsJamIds() const { return m_ShowJamIds; }

  void ZoomIn();
  void ZoomOut();
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
  void Zoomed();
  void UpdateScrollRanges();
  QPoint ScrollOffset() const;
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
  JamLayout m_Layout;
  bool m_ShowJamIds = false;
  bool m_Reporting = false;
  // Each item's picture, made the first time it is shown; an empty image for an
  // item that has none.
  std::vector<std::optional<QImage>> m_Pictures;
};

}  // namespace tavrel
