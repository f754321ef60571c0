#pragma once
// What a document window shows until the car view exists: the car's name and
// its element counts. It prints the same lines.

#include <QWidget>

#include "app/CommandTarget.h"
#include "base/Signal.h"

class QLabel;
class QPainter;
class QPrinter;

namespace tavrel {

class Document;
class Observer;
class Messages;
class ProgramValues;

// The lines shown and printed for a document titled `title`.
QStringList SummaryLines(const Document& document, const QString& title);
// Draws the lines in the page's rectangle; never leaves a page blank.
void PaintSummary(QPainter& painter, const QRect& page, const QStringList& lines);

class SummaryView : public QWidget, public CommandTarget {
  Q_OBJECT
 public:
  SummaryView(Document& document, QPrinter& printer, ProgramValues& program, Messages& messages);

  Document& GetDocument() { return m_Document; }
  void SetTitle(const QString& title);
  QStringList Lines() const { return SummaryLines(m_Document, m_Title); }

 private:
  void Refresh();
  void Print(QPrinter& printer) const;

  Document& m_Document;
  QString m_Title;
  QLabel* m_Text;
  std::vector<Signal<>::Connection> m_Connections;
  Signal<Observer&>::Connection m_EditConnection;
};

}  // namespace tavrel
