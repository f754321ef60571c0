#include "app/QtSettings.h"

namespace tavrel {
namespace {
QString Key(const std::string& section, const std::string& name) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(name);
}
}  // namespace

QtSettings::QtSettings(const QString& iniPath)
    : m_Store(iniPath.isEmpty() ? std::make_unique<QSettings>(kOrganisation, kApplicationName)
                                : std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

int QtSettings::ReadInt(const std::string& section, const std::string& name, int fallback) {
  bool ok = false;
  const int value = m_Store->value(Key(section, name)).toInt(&ok);
  // A value that is not a number is as good as none.
  return ok ? value : fallback;
}

std::string QtSettings::ReadString(const std::string& section, const std::string& name, const std::string& fallback) {
  const QVariant value = m_Store->value(Key(section, name));
  return value.isValid() ? value.toString().toStdString() : fallback;
}

void QtSettings::WriteInt(const std::string& section, const std::string& name, int value) {
  m_Store->setValue(Key(section, name), value);
  m_Store->sync();
}

void QtSettings::WriteString(const std::string& section, const std::string& name, const std::string& value) {
  m_Store->setValue(Key(section, name), QString::fromStdString(value));
  m_Store->sync();
}

}  // namespace tavrel
