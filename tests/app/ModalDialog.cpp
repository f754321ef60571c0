#include "ModalDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tavrel::test {

bool AnswerDialog(const std::function<void()>& run, const std::function<void(QDialog&)>& answer) {
  bool shown = false;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    poll.stop();
    shown = true;
    answer(*dialog);
    if (dialog->isVisible()) {
      ADD_FAILURE() << "the dialog was left open";
      dialog->reject();
    }
  });
  poll.start();
  run();
  return shown;
}

void Click(QDialog& dialog, const char* button) {
  if (auto* found = Find<QPushButton>(dialog, button)) found->click();
}

QString Text(QDialog& dialog, const char* edit) {
  auto* found = Find<QLineEdit>(dialog, edit);
  return found ? found->text() : QString();
}

void SetText(QDialog& dialog, const char* edit, const QString& text) {
  if (auto* found = Find<QLineEdit>(dialog, edit)) found->setText(text);
}

}  // namespace tavrel::test
