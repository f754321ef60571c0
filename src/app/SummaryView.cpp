#include "app/SummaryView.h"

#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "app/CommandTable.h"
#include "app/RcrDistancesDialog.h"
#include "app/ValueDialogs.h"
#include "document/Document.h"

namespace tavrel {

QStringList SummaryLines(const Document& document, const QString& title) {
  QStringList lines{title};
  const Car* car = document.GetCar();
  if (!car) return lines << QObject::tr("No car loaded");
  const int parts = int(bool(car->m_Wheel)) + int(bool(car->m_Helmet)) + int(bool(car->m_Cockpit)) +
                    int(bool(car->m_SteeringWheel));
  return lines << QObject::tr("Car: %1").arg(QString::fromStdString(car->GetName()))
               << QObject::tr("Points: %1").arg(car->m_PointCount)
               << QObject::tr("Connections: %1").arg(car->m_ConnectionCount)
               << QObject::tr("Commands: %1").arg(car->m_CommandCount)
               << QObject::tr("Data values: %1").arg(car->m_DataValueCount) << QObject::tr("Parts: %1").arg(parts);
}

void PaintSummary(QPainter& painter, const QRect& page, const QStringList& lines) {
  QFont font = painter.font();
  font.setPointSize(14);
  painter.setFont(font);
  painter.drawText(page, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines.join('\n'));
}

SummaryView::SummaryView(Document& document, QPrinter& printer, ProgramValues& program, Messages& messages)
    : m_Document(document), m_Text(new QLabel(this)) {
  setObjectName("summaryView");
  m_Text->setObjectName("summaryText");
  m_Text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_Text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_Text->setMargin(12);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_Text);
  setMinimumSize(320, 220);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  for (Signal<>* changed : {&document.CarListed(), &document.CarUnlisted(), &document.RedrawWanted()})
    m_Connections.push_back(changed->Connect([this] { Refresh(); }));
  m_EditConnection = document.ElementEdited().Connect([this](Observer&) { Refresh(); });

  using namespace command;
  Handle(kPrint, [this, &printer] {
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) Print(printer);
  });
  Handle(kPrintDirect, [this, &printer] { Print(printer); });
  Handle(kPrintPreview, [this, &printer] {
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { Print(*target); });
    preview.exec();
  });
  Handle(kRcrDistances, [this, &program, &messages] { RunRcrDistances(this, program, messages); });
  // The car view will own the livery; until then the document keeps the name for it.
  Handle(kSetCarTextureJam, [this] {
    if (std::optional<std::string> name = ChooseCarJam(window())) m_Document.SetCarJamName(std::move(*name));
  });
}

void SummaryView::SetTitle(const QString& title) {
  m_Title = title;
  Refresh();
}

void SummaryView::Refresh() { m_Text->setText(Lines().join('\n')); }

void SummaryView::Print(QPrinter& printer) const {
  QPainter painter(&printer);
  PaintSummary(painter, painter.viewport(), Lines());
}

}  // namespace tavrel
