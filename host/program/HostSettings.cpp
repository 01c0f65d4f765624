#include "host/program/HostSettings.h"

#include <QFileInfo>

#include "host/util/Settings.h"

namespace kelo::host {

namespace {
const QString kSection = QStringLiteral("Tasks");
const QString kBackgroundFill = QStringLiteral("AllowBackgroundFill");
}  // namespace

bool HostSettings::MakeIfMissing()
{
    if (QFileInfo::exists(GetINI(0))) return false;
    // A long list fills while the window stays usable unless the user turns it off.
    return WriteINIInt(GetINI(0), kSection, kBackgroundFill, 1);
}

bool HostSettings::BackgroundFill() { return ReadINIInt(GetINI(0), kSection, kBackgroundFill, 0) != 0; }

bool HostSettings::SetBackgroundFill(bool on)
{
    return WriteINIInt(GetINI(0), kSection, kBackgroundFill, on ? 1 : 0);
}

}  // namespace kelo::host
