#include "app/RcrDistancesDialog.h"

#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "app/DialogParts.h"
#include "app/IntegerField.h"
#include "document/ProgramValues.h"
#include "shape/RcrPatches.h"

namespace tavrel {
namespace {

constexpr int kPatchId = 1024;
constexpr int kFirstFieldId = 1000;
// In the order of the block in the executable.
constexpr std::array kFieldLabels{"Cockpit View :", "On Board View:", "Chase View:", "Camera View :"};

class RcrDistancesDialog : public QDialog {
 public:
  RcrDistancesDialog(QWidget* parent, ProgramValues& program, Messages& messages)
      : QDialog(parent), m_Program(program), m_Messages(messages) {
    setWindowTitle(QStringLiteral("RCR Distances"));
    const RcrDistances shown =
        ReadRcrDistances(m_Program.ExecutablePath(), RcrBlockOffset(m_Program.PatchLevel()), m_Messages)
            .value_or(RcrDistances{});
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_Fields.size(); ++i) {
      m_Fields[i] = NewIntegerEdit(kFirstFieldId + static_cast<int>(i), shown[i], this);
      form->addRow(QString::fromLatin1(kFieldLabels[i]), m_Fields[i]);
    }

    auto* patch = NewButton(QStringLiteral("Patch"), kPatchId);
    auto* cancel = NewButton(QStringLiteral("Cancel"), kCancelId);
    connect(patch, &QPushButton::clicked, this, [this] { Patch(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(patch);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(RcrNoteBox(QStringLiteral("3840/7680")));
    layout->addLayout(buttons);
    setMinimumWidth(340);
  }

 protected:
  // The dialog has no OK button: Enter presses the focused button, and
  // anywhere else closes the dialog as OK would, writing nothing.
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier)) {
      QDialog::keyPressEvent(event);
      return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
      button->click();
    else
      accept();
  }

 private:
  void Patch() {
    RcrDistances distances{};
    for (std::size_t i = 0; i < m_Fields.size(); ++i) {
      const std::optional<int> value = TakeInteger(*m_Fields[i], m_Messages);
      if (!value) return;
      distances[i] = *value;
    }
    // Path and level are taken anew: either may have changed since the dialog opened.
    const PatchResult result =
        WriteRcrDistances(m_Program.ExecutablePath(), m_Program.PatchLevel(), distances, m_Messages);
    // The player may make the executable writable and press Patch again.
    if (result.failure == PatchFailure::CannotOpen) return;
    accept();
  }

  ProgramValues& m_Program;
  Messages& m_Messages;
  std::array<QLineEdit*, 4> m_Fields{};
};

}  // namespace

void RunRcrDistances(QWidget* parent, ProgramValues& program, Messages& messages) {
  RcrDistancesDialog dialog(parent, program, messages);
  dialog.exec();
}

}  // namespace tavrel
