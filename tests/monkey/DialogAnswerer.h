#pragma once
// Answers whatever modal window the program opens, while any action runs: it
// types values (bad ones too) into a dialog's fields, picks in its lists and
// presses one of its buttons. Windows that stay up after a few answers are
// cancelled, so no action hangs.

#include <QObject>
#include <QTimer>

#include "monkey/Random.h"

class QDialog;
class QWidget;

namespace tavrel::monkey {

class DialogAnswerer : public QObject {
  Q_OBJECT
 public:
  // `printing` allows accepting the print dialog: only when its printer can
  // be nothing but a file.
  DialogAnswerer(Random& random, bool printing);

  int answered = 0;

 private:
  void Poll();
  void Answer(QWidget& modal);
  void FillFields(QDialog& dialog);
  void PressButton(QDialog& dialog);

  Random& m_Random;
  bool m_Printing;
  QTimer m_Timer;
  int m_Tries = 0;
};

}  // namespace tavrel::monkey
