#include "app/TriggerDistanceDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>

#include "app/DialogParts.h"
#include "app/IntegerField.h"
#include "document/ProgramValues.h"
#include "shape/ExecutableFile.h"
#include "shape/RcrPatches.h"

namespace tavrel {
namespace {

constexpr int kDistanceId = 1000;

struct PresetButton {
  const char* text;
  int id;
  int distance;
};
constexpr PresetButton kPresets[] = {
    {"Default", 1020, 3200},
    {"RCR jams only", 1021, 0},
    {"Tavrel Default.", 1022, 10000},
};

class TriggerDistanceDialog : public QDialog {
 public:
  TriggerDistanceDialog(QWidget* parent, int distance, Messages& messages) : QDialog(parent), m_Messages(messages) {
    setWindowTitle(QStringLiteral("Distance to RCR image trigger"));
    m_Field = NewIntegerEdit(kDistanceId, distance, this);
    auto* presets = new QHBoxLayout;
    for (const PresetButton& preset : kPresets) {
      auto* button = NewButton(QString::fromLatin1(preset.text), preset.id);
      connect(button, &QPushButton::clicked, this, [this, preset] { ShowInteger(*m_Field, preset.distance); });
      presets->addWidget(button);
    }
    presets->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Distance to trigger:"), m_Field);
    form->addRow(QString(), presets);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RcrNoteBox(QStringLiteral("3200")));
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(OkCancelButtons(*this));
    setMinimumWidth(420);
  }

  // The distance taken on OK.
  int Distance() const { return m_Distance; }

  void accept() override {
    const std::optional<int> distance = TakeInteger(*m_Field, m_Messages);
    if (!distance) return;
    m_Distance = *distance;
    QDialog::accept();
  }

 private:
  Messages& m_Messages;
  QLineEdit* m_Field = nullptr;
  int m_Distance = 0;
};

}  // namespace

void RunTriggerDistance(QWidget* parent, ProgramValues& program, Messages& messages) {
  const std::filesystem::path path = program.ExecutablePath();
  // A player who cannot patch the executable is told so before typing a value.
  // The file is not held open while the dialog runs: the patch takes its own
  // lock on the executable and checks again.
  if (!ExecutableFile::Open(path, ExecutableFile::Mode::Update, messages)) return;
  const std::optional<ExeValue> current = ReadTriggerValue(path, kTriggerOffset, messages);
  if (!current) return;
  TriggerDistanceDialog dialog(parent, current->value, messages);
  if (dialog.exec() == QDialog::Accepted) WriteTriggerDistance(path, kTriggerOffset, dialog.Distance(), messages);
}

}  // namespace tavrel
