#include "host/util/Settings.h"

#include <mutex>
#include <stdexcept>
#include <string>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

std::mutex g_folderMutex;
QString g_folderOverride;

QString SettingsFolder() {
    {
        std::lock_guard lock(g_folderMutex);
        if (!g_folderOverride.isEmpty()) {
            return g_folderOverride;
        }
    }
    const QString fromEnvironment = qEnvironmentVariable("KELO_CONFIG_DIR");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kelo");
}

QString KeyPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

}  // namespace

QString GetINI(int which) {
    switch (which) {
        case 0:
            return SettingsFolder() + QStringLiteral("/kelo-program.ini");
        case 1:
            return SettingsFolder() + QStringLiteral("/kelo-user.ini");
        default:
            throw std::invalid_argument("GetINI: no settings file " + std::to_string(which));
    }
}

void SetINIFolder(const QString& folder) {
    std::lock_guard lock(g_folderMutex);
    g_folderOverride = folder;
}

QString ReadINIString(const QString& file, const QString& section, const QString& key,
                      const QString& defaultValue) {
    const QSettings settings(file, QSettings::IniFormat);
    const QVariant value = settings.value(KeyPath(section, key));
    if (!value.isValid()) {
        return defaultValue;
    }
    // An unquoted value with commas in a hand-edited file reads as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

int ReadINIInt(const QString& file, const QString& section, const QString& key, int defaultValue) {
    const QString text = ReadINIString(file, section, key, QString()).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : defaultValue;
}

bool WriteINIString(const QString& file, const QString& section, const QString& key,
                    const QString& value) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        return false;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(KeyPath(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool WriteINIInt(const QString& file, const QString& section, const QString& key, int value) {
    return WriteINIString(file, section, key, QString::number(value));
}
