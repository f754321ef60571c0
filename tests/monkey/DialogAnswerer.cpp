#include "monkey/DialogAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>

#include "monkey/Say.h"

namespace tavrel::monkey {
namespace {

// Answers given while modal windows stay up (a dialog and the messages about
// its bad values) before each is cancelled.
constexpr int kTriesBeforeCancel = 8;

// Values a player might type, the bad and the extreme among them.
constexpr std::array kTyped = {"0",    "1",      "-1",    "7",     "40",         "255",         "256",
                               "1000", "-32768", "32767", "65535", "2147483647", "-2147483648", "99999999999",
                               "",     "abc",    "1.5",   " 12 ",  "0x10",       "-",           "+5"};

// Answers are given once the timer's slot has returned: an answer that opens
// another modal window (a message about a bad value) runs its own event loop,
// in which the timer fires only when it is not still busy with the last answer.
template <typename Widget, typename Slot>
void Later(Widget& widget, Slot slot) {
  QMetaObject::invokeMethod(&widget, slot, Qt::QueuedConnection);
}

QString Describe(const QWidget& widget) {
  const QString title = widget.windowTitle();
  return QString("%1 \"%2\"").arg(widget.metaObject()->className(), title);
}

template <typename Widget>
QList<Widget*> Usable(QWidget& parent) {
  QList<Widget*> usable;
  for (Widget* child : parent.findChildren<Widget*>())
    if (child->isVisible() && child->isEnabled()) usable << child;
  return usable;
}

}  // namespace

DialogAnswerer::DialogAnswerer(Random& random, bool printing) : m_Random(random), m_Printing(printing) {
  m_Timer.setInterval(10);
  connect(&m_Timer, &QTimer::timeout, this, &DialogAnswerer::Poll);
  m_Timer.start();
}

void DialogAnswerer::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) {
    m_Tries = 0;
    return;
  }
  ++m_Tries;
  ++answered;
  Answer(*modal);
}

void DialogAnswerer::Answer(QWidget& modal) {
  auto* dialog = qobject_cast<QDialog*>(&modal);
  const QByteArray what = Describe(modal).toUtf8();
  if (!dialog || m_Tries > kTriesBeforeCancel) {
    Say("    cancel %s\n", what.constData());
    dialog ? Later(*dialog, &QDialog::reject) : Later(modal, &QWidget::close);
    return;
  }
  // The system's own dialogs are answered without typing into them: a file
  // dialog's or a print dialog's fields could name a place outside the run's folder.
  if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
    Say("    cancel %s\n", what.constData());
    Later(*files, &QDialog::reject);
  } else if (qobject_cast<QPrintDialog*>(dialog) || qobject_cast<QPrintPreviewDialog*>(dialog)) {
    const bool print = m_Printing && qobject_cast<QPrintDialog*>(dialog) && m_Random.Chance(50);
    Say("    %s %s\n", print ? "accept" : "cancel", what.constData());
    Later(*dialog, print ? &QDialog::accept : &QDialog::reject);
  } else {
    Say("    answer %s\n", what.constData());
    if (!qobject_cast<QMessageBox*>(dialog)) FillFields(*dialog);
    PressButton(*dialog);
  }
}

void DialogAnswerer::FillFields(QDialog& dialog) {
  for (QLineEdit* edit : Usable<QLineEdit>(dialog)) {
    if (edit->isReadOnly() || m_Random.Chance(40)) continue;
    const QString text = m_Random.Chance(30) ? QString::number(m_Random.Between(-5000, 5000))
                                             : QString::fromLatin1(m_Random.Pick(kTyped));
    Say("      %s = \"%s\"\n", qPrintable(edit->objectName()), qPrintable(text));
    edit->setText(text);
  }
  for (QComboBox* combo : Usable<QComboBox>(dialog))
    if (combo->count() > 0 && m_Random.Chance(50)) combo->setCurrentIndex(m_Random.Below(combo->count()));
  const QList<QRadioButton*> radios = Usable<QRadioButton>(dialog);
  if (!radios.isEmpty() && m_Random.Chance(50)) m_Random.Pick(radios)->click();
}

void DialogAnswerer::PressButton(QDialog& dialog) {
  // One of its buttons, or now and then Return or Escape.
  const QList<QAbstractButton*> buttons = Usable<QAbstractButton>(dialog);
  QList<QAbstractButton*> pushButtons;
  for (QAbstractButton* button : buttons)
    if (qobject_cast<QPushButton*>(button)) pushButtons << button;
  if (pushButtons.isEmpty() || m_Random.Chance(10)) {
    const Qt::Key key = m_Random.Chance(50) ? Qt::Key_Return : Qt::Key_Escape;
    Say("      key %s\n", key == Qt::Key_Return ? "Return" : "Escape");
    QTimer::singleShot(0, &dialog, [&dialog, key] { QTest::keyClick(&dialog, key); });
    return;
  }
  QAbstractButton* button = m_Random.Pick(pushButtons);
  Say("      press \"%s\"\n", qPrintable(button->text()));
  Later(*button, &QAbstractButton::click);
}

}  // namespace tavrel::monkey
