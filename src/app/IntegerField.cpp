#include "app/IntegerField.h"

#include <QLineEdit>
#include <charconv>
#include <string>
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

// The text without blanks around it and without a plus that a sign or digit
// follows: from_chars takes a minus but no plus.
std::string_view numberText(std::string_view text) {
  text = trimmed(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

// Reads the whole text as a `Number`: invalid_argument when it is no number of
// that kind, result_out_of_range when it is one too large for it.
template <typename Number>
std::errc parseNumber(std::string_view text, Number& value) {
  text = numberText(text);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || end != text.data() + text.size()) return std::errc::invalid_argument;
  return error;
}

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
  int value = 0;
  if (parseNumber(field.text().toStdString(), value) == std::errc()) return value;
  refuse(field, messages, "Please enter an integer.");
  return std::nullopt;
}

std::optional<unsigned> TakeUnsigned(QLineEdit& field, unsigned max, Messages& messages) {
  unsigned value = 0;
  const std::errc error = parseNumber(field.text().toStdString(), value);
  if (error == std::errc() && value <= max) return value;
  refuse(field, messages,
         error == std::errc::invalid_argument ? "Please enter a positive integer."
                                              : "Please enter an integer between 0 and " + std::to_string(max) + ".");
  return std::nullopt;
}

}  // namespace tavrel
