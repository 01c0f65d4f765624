#pragma once

#include <cstdint>
#include <string>

#include "host/ui/CKAboutBox.h"

class QWidget;

namespace kelo {

class TaskServices;

// What the About box reads from the host's global block; the application fills it from there.
struct AboutHostValues {
    std::string programDirectory;
    std::string dataPath;
    std::string licensee;  // the registered user line
    std::string serial;    // the second licence line
    uint16_t lastBackup = 0;
    uint16_t clearAuditTrailRan = 0;  // 0: never, and the item is left out
    uint16_t clearStockRan = 0;
    uint16_t lastRestore = 0;
    uint32_t lastInvoice = 0;
    uint32_t lastCreditNote = 0;
    uint32_t lastSalesOrder = 0;
    uint32_t lastPurchaseOrder = 0;
};

// Help → About Task Manager: the product, where program, data and settings live, and the
// record counts and housekeeping dates support staff read off the screen.
class CAboutInfo final {
public:
    static constexpr int kLogoBitmap = 418;

    // The filled information record, sections "Directories" and "Data Information".
    static CKAboutInfo Build(TaskServices& services, const AboutHostValues& host,
                             ::QWidget* owner);
    // Builds it and shows the box modally.
    static void ShowAboutBox(TaskServices& services, const AboutHostValues& host, ::QWidget* owner);

    // The data path as the Data Directory line shows it: the company folder, ending in '/'.
    static std::string AddAccdata(const std::string& path);
    // The folder of the program-wide settings file.
    static std::string GetCommonSettingsFolder();
};

}  // namespace kelo
