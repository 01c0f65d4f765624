#include "tests/controls/TempRegistry.h"

#include <QSettings>

#include "host/util/Settings.h"
#include "host/data/GlobalBlock.h"

namespace kelo::test {

TempRegistry::TempRegistry(const std::string& user) : m_block(kGlobalBlockLength, 0)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path() + "/registry");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path() + "/registry");
    SetINIFolder(m_dir.path() + "/settings");
    GlobalBlock(m_block.data()).SetText(kGlobalUserName, user);
    g_lpGlobVar = m_block.data();
}

TempRegistry::~TempRegistry()
{
    g_lpGlobVar = nullptr;
    SetINIFolder(QString());
}

QStringList TempRegistry::Keys(const QString& group) const
{
    QSettings settings(QStringLiteral("Kelo"), QStringLiteral("Plinth 70"));
    settings.beginGroup(group);
    return settings.childKeys();
}

QVariant TempRegistry::Value(const QString& group, const QString& name) const
{
    QSettings settings(QStringLiteral("Kelo"), QStringLiteral("Plinth 70"));
    return settings.value(group + '/' + name);
}

void TempRegistry::SetValue(const QString& group, const QString& name, const QVariant& value)
{
    QSettings settings(QStringLiteral("Kelo"), QStringLiteral("Plinth 70"));
    settings.setValue(group + '/' + name, value);
}

}  // namespace kelo::test
