#include "app/IntegerField.h"

#include <QLineEdit>
#include <string>

#include "base/DecimalText.h"
#include "base/Messages.h"

namespace tavrel {
namespace {

void refuse(QLineEdit& field, Messages& messages, const std::string& text) {
  messages.show(text);
  field.setFocus();
  field.selectAll();
}

}  // namespace

QLineEdit* NewIntegerEdit(int id, int value, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QStringLiteral("edit%1").arg(id));
  ShowInteger(*field, value);
  return field;
}

void ShowInteger(QLineEdit& field, int value) { field.setText(QString::number(value)); }

std::optional<int> TakeInteger(QLineEdit& field, Messages& messages) {
  std::int32_t value = 0;
  if (parseWholeNumber(field.text().toStdString(), value) == std::errc()) return value;
  refuse(field, messages, "Please enter an integer.");
  return std::nullopt;
}

std::optional<unsigned> TakeUnsigned(QLineEdit& field, unsigned max, Messages& messages) {
  std::uint32_t value = 0;
  const std::errc error = parseWholeNumber(field.text().toStdString(), value);
  if (error == std::errc() && value <= max) return value;
  refuse(field, messages,
         error == std::errc::invalid_argument ? "Please enter a positive integer."
                                              : "Please enter an integer between 0 and " + std::to_string(max) + ".");
  return std::nullopt;
}

}  // namespace tavrel
