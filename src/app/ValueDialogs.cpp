#include "app/ValueDialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <array>
#include <utility>
#include <vector>

#include "app/DialogParts.h"
#include "app/IntegerField.h"
#include "app/QtDialogs.h"
#include "app/UpDownArrows.h"
#include "shape/JamFile.h"

namespace tavrel {
namespace {

constexpr int kValueId = 1000;
constexpr int kFirstArrowsId = 1021;
constexpr int kViewCenterId = 1024;
constexpr int kJamComboId = 1013;
constexpr int kArrowsLimit = 32760;
constexpr unsigned kLongestDelay = 65535;

// A dialog whose OK first takes the fields into the values: when `m_Take` says
// a field is wrong, the dialog stays open.
class CheckedDialog : public QDialog {
 public:
  CheckedDialog(QWidget* parent, const char* title) : QDialog(parent) { setWindowTitle(QString::fromLatin1(title)); }
  void accept() override {
    if (m_Take()) QDialog::accept();
  }

  std::function<bool()> m_Take;
};

// Wide enough for a sign and seven digits, no wider.
void SetFieldWidth(QLineEdit& field) { field.setFixedWidth(field.fontMetrics().horizontalAdvance("-0000000") + 12); }

// Signed integer fields bound to values; the values change only when every
// field holds a number.
class IntegerFields {
 public:
  QLineEdit* Add(int id, int& value, QWidget* parent) {
    QLineEdit* field = NewIntegerEdit(id, value, parent);
    SetFieldWidth(*field);
    m_Fields.emplace_back(field, &value);
    return field;
  }
  // The first field without a number tells the player and keeps the focus.
  bool Take(Messages& messages) const {
    std::vector<int> taken;
    for (const auto& [field, value] : m_Fields) {
      const std::optional<int> number = TakeInteger(*field, messages);
      if (!number) return false;
      taken.push_back(*number);
    }
    for (std::size_t i = 0; i < taken.size(); ++i) *m_Fields[i].second = taken[i];
    return true;
  }

 private:
  std::vector<std::pair<QLineEdit*, int*>> m_Fields;
};

struct LabelledField {
  int id;
  const char* label;
  int& value;
};

void AddRow(QGridLayout& grid, int row, int column, const char* label, QWidget* field) {
  grid.addWidget(new QLabel(QString::fromLatin1(label)), row, column);
  grid.addWidget(field, row, column + 1);
}

// The fields on the left; OK and Cancel at the top right, any further button
// at the bottom right.
void LayOut(QDialog& dialog, QLayout* fields, QPushButton* extraButton = nullptr) {
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addStretch();
  QDialogButtonBox* buttons = OkCancelButtons(dialog);
  buttons->setOrientation(Qt::Vertical);
  auto* right = new QVBoxLayout;
  right->addWidget(buttons);
  right->addStretch();
  if (extraButton) right->addWidget(extraButton);
  auto* layout = new QHBoxLayout(&dialog);
  layout->addLayout(left);
  layout->addSpacing(12);
  layout->addLayout(right);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// A dialog of one field with its label and OK and Cancel.
void LayOutOneField(QDialog& dialog, const char* label, QWidget* field) {
  auto* row = new QGridLayout;
  AddRow(*row, 0, 0, label, field);
  LayOut(dialog, row);
}

}  // namespace

bool RunPointEditor(QWidget* parent, PointValues& values, const std::function<void()>& viewCenter, Messages& messages) {
  CheckedDialog dialog(parent, "Point Values Editor");
  IntegerFields fields;
  auto* grid = new QGridLayout;
  const std::array<LabelledField, 3> rows{{{1000, "X:", values.x}, {1001, "Y:", values.y}, {1002, "Z:", values.z}}};
  for (int i = 0; i < int(rows.size()); ++i) {
    const LabelledField& row = rows[std::size_t(i)];
    QLineEdit* field = fields.Add(row.id, row.value, &dialog);
    auto* withArrows = new QHBoxLayout;
    withArrows->setSpacing(0);
    withArrows->addWidget(field);
    withArrows->addWidget(new UpDownArrows(kFirstArrowsId + i, *field, -kArrowsLimit, kArrowsLimit));
    grid->addWidget(new QLabel(QString::fromLatin1(row.label)), i, 0);
    grid->addLayout(withArrows, i, 1);
  }
  dialog.m_Take = [&] { return fields.Take(messages); };

  QPushButton* viewCenterButton = NewButton(QStringLiteral("View Center"), kViewCenterId);
  QObject::connect(viewCenterButton, &QPushButton::clicked, &dialog, [&viewCenter] { viewCenter(); });
  LayOut(dialog, grid, viewCenterButton);
  return dialog.exec() == QDialog::Accepted;
}

bool RunCameraEditor(QWidget* parent, CameraFields& values, Messages& messages) {
  CheckedDialog dialog(parent, "In Car Camera Editor");
  IntegerFields fields;
  auto* grid = new QGridLayout;
  // Position and angles side by side, the details below them.
  const std::array<std::array<LabelledField, 2>, 4> pairs{{
      {{{1000, "X:", values.x}, {1003, "Direction:", values.direction}}},
      {{{1001, "Y:", values.y}, {1004, "Pitch:", values.pitch}}},
      {{{1002, "Z:", values.z}, {1007, "Roll:", values.roll}}},
      {{{1008, "Detail1:", values.detail1}, {1009, "Detail2", values.detail2}}},
  }};
  for (int row = 0; row < int(pairs.size()); ++row) {
    for (int column = 0; column < 2; ++column) {
      const LabelledField& f = pairs[std::size_t(row)][std::size_t(column)];
      QLineEdit* field = fields.Add(f.id, f.value, &dialog);
      AddRow(*grid, row, 2 * column, f.label, field);
    }
  }
  grid->addItem(new QSpacerItem(0, 8), int(pairs.size()), 0);
  const std::array<LabelledField, 2> wheels{{{1025, "Rear Wheel (Sprite/Polygon)", values.rearWheel},
                                             {1026, "Front Wheel (Sprite/Polygon)", values.frontWheel}}};
  int row = int(pairs.size()) + 1;
  for (const LabelledField& f : wheels) {
    QLineEdit* field = fields.Add(f.id, f.value, &dialog);
    grid->addWidget(new QLabel(QString::fromLatin1(f.label)), row, 0, 1, 3);
    grid->addWidget(field, row++, 3);
  }
  grid->addWidget(new QLabel(QStringLiteral("(0=both poly 1=left 256=right)")), row, 0, 1, 4);
  dialog.m_Take = [&] { return fields.Take(messages); };
  LayOut(dialog, grid);
  return dialog.exec() == QDialog::Accepted;
}

bool RunDataValueEditor(QWidget* parent, int& value, Messages& messages) {
  CheckedDialog dialog(parent, "New Data Value");
  IntegerFields fields;
  QLineEdit* field = fields.Add(kValueId, value, &dialog);
  dialog.m_Take = [&] { return fields.Take(messages); };
  LayOutOneField(dialog, "New Value:", field);
  return dialog.exec() == QDialog::Accepted;
}

bool RunAnimationDelay(QWidget* parent, unsigned& delay, Messages& messages) {
  CheckedDialog dialog(parent, "Animation Delay Speed");
  QLineEdit* field = NewIntegerEdit(kValueId, 0, &dialog);
  field->setText(QString::number(delay));
  SetFieldWidth(*field);
  dialog.m_Take = [&] {
    const std::optional<unsigned> taken = TakeUnsigned(*field, kLongestDelay, messages);
    if (taken) delay = *taken;
    return taken.has_value();
  };
  LayOutOneField(dialog, "Animation Frame Delay", field);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> ChooseCarJam(QWidget* parent, const std::string& shown) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Set Car Texture Jam"));
  auto* combo = new QComboBox(&dialog);
  combo->setObjectName(QStringLiteral("combo%1").arg(kJamComboId));
  combo->setEditable(true);
  // A typed name is taken as it is, but never joins the list.
  combo->setInsertPolicy(QComboBox::NoInsert);
  QStringList liveries;
  for (const std::string& name : LiveryNames()) liveries << QString::fromStdString(name);
  liveries.sort(Qt::CaseInsensitive);
  combo->addItems(liveries);
  // OK without a change keeps the livery the view shows.
  const QString current = QString::fromStdString(shown);
  combo->setCurrentIndex(combo->findText(current, Qt::MatchFixedString));
  combo->setEditText(current);
  combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance("Minard98.jam") * 3 / 2);
  LayOutOneField(dialog, "Car Jam:", combo);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return combo->currentText().toStdString();
}

}  // namespace tavrel
