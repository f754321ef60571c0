#include "app/UpDownArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tavrel {

UpDownArrows::UpDownArrows(int id, QLineEdit& field, int minimum, int maximum)
    : m_Field(field), m_Minimum(minimum), m_Maximum(maximum) {
  setObjectName(QStringLiteral("spin%1").arg(id));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(NewArrow(Qt::UpArrow, 1));
  layout->addWidget(NewArrow(Qt::DownArrow, -1));
  setFixedHeight(field.sizeHint().height());
  field.installEventFilter(this);
}

QToolButton* UpDownArrows::NewArrow(Qt::ArrowType direction, int steps) {
  auto* arrow = new QToolButton(this);
  arrow->setObjectName(direction == Qt::UpArrow ? QStringLiteral("up") : QStringLiteral("down"));
  arrow->setArrowType(direction);
  arrow->setAutoRepeat(true);
  // The focus stays in the field, as it would with a spin box.
  arrow->setFocusPolicy(Qt::NoFocus);
  arrow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  arrow->setFixedWidth(16);
  connect(arrow, &QToolButton::clicked, this, [this, steps] { Step(steps); });
  return arrow;
}

void UpDownArrows::Step(int steps) {
  bool isNumber = false;
  const int value = m_Field.text().trimmed().toInt(&isNumber);
  if (!isNumber) return;
  // A typed number beyond the range comes back into it at the nearer end.
  const long long stepped = std::clamp<long long>(static_cast<long long>(value) + steps, m_Minimum, m_Maximum);
  m_Field.setText(QString::number(stepped));
}

bool UpDownArrows::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_Field && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavrel
