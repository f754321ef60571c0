#pragma once
// A pair of arrows beside a number field ("spin<id>"): each click, and the up
// and down keys in the field, step the field's number by one within a range.
// The range limits only the arrows; a number typed in stays as it is.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tavrel {

class UpDownArrows : public QWidget {
 public:
  UpDownArrows(int id, QLineEdit& field, int minimum, int maximum);

  // Moves the field's number `steps` up (or down), stopping at the range's ends.
  // A field that holds no number is left alone.
  void Step(int steps);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* NewArrow(Qt::ArrowType direction, int steps);

  QLineEdit& m_Field;
  int m_Minimum;
  int m_Maximum;
};

}  // namespace tavrel
