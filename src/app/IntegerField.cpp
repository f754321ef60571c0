#include "app/IntegerField.h"

#include <QLineEdit>
#include <charconv>
#include <string_view>

#include "base/Messages.h"

namespace tavrel {
namespace {

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<int> parseInteger(std::string_view text) {
  text = trimmed(text);
  // from_chars takes a minus but no plus.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
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
  const std::optional<int> value = parseInteger(field.text().toStdString());
  if (!value) {
    messages.show("Please enter an integer.");
    field.setFocus();
    field.selectAll();
  }
  return value;
}

}  // namespace tavrel
