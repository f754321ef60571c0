#include "app/DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrel {

QPushButton* NewButton(const QString& text, int id) {
  auto* button = new QPushButton(text);
  button->setObjectName(QStringLiteral("button%1").arg(id));
  button->setAutoDefault(false);
  return button;
}

QGroupBox* RcrNoteBox(const QString& gameValue) {
  auto* box = new QGroupBox(QStringLiteral("Trigger Distance"));
  auto* text = new QLabel(QStringLiteral("Adjusting this value affects the point at which the rcr jams are used by "
                                         "zav. If the first time you use this function on your copy of zav you find "
                                         "this value is not %1 then it could be you have an incompatible version.")
                              .arg(gameValue));
  text->setWordWrap(true);
  (new QVBoxLayout(box))->addWidget(text);
  return box;
}

QDialogButtonBox* OkCancelButtons(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("button%1").arg(kOkId));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("button%1").arg(kCancelId));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace tavrel
