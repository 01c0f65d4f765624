#include "src/pages/scans/ModemSettings.h"

#include "host/util/Settings.h"

namespace kelo {

ModemSettings ModemSettings::Read()
{
    ModemSettings s;
    const QString file = GetINI(0);
    // The host's text buffers hold 30 characters.
    s.dialType = ReadINIString(file, "Modem", "DialType", "ATDT").left(30).toStdString();
    s.modem = ReadINIString(file, "Modem", "Modem", "COM1").left(30).toStdString();
    s.delay = ReadINIInt(file, "Modem", "Delay", 30);
    return s;
}

}  // namespace kelo
