#include "app/PatchLevelDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/DialogParts.h"

namespace tavrel {
namespace {

constexpr int kOriginalId = 1027;
constexpr int kPatchedId = 1028;

QRadioButton* newRadio(const QString& text, int id) {
  auto* radio = new QRadioButton(text);
  radio->setObjectName(QStringLiteral("radio%1").arg(id));
  return radio;
}

}  // namespace

std::optional<int> ChoosePatchLevel(QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Choose Zav Patch Level"));

  auto* question = new QLabel(
      QStringLiteral("Since Zav Tavrel reads the ZAV.exe we need to know which version of Zav you are using."));
  question->setWordWrap(true);
  auto* levels = new QGroupBox(QStringLiteral("Patch Level:"));
  auto* original = newRadio(QStringLiteral("Original Zav"), kOriginalId);
  auto* patched = newRadio(QStringLiteral("Zav Patch Level 1.13"), kPatchedId);
  auto* levelLayout = new QVBoxLayout(levels);
  levelLayout->addWidget(original);
  levelLayout->addWidget(patched);
  // Offered every time, whatever the current level.
  patched->setChecked(true);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(question);
  layout->addWidget(levels);
  layout->addWidget(OkCancelButtons(dialog));
  dialog.setMinimumWidth(340);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return original->isChecked() ? 0 : 1;
}

}  // namespace tavrel
