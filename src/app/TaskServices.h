#pragma once

#include <cstdint>
#include <string>

#include "host/data/GlobalBlock.h"

class QWidget;

namespace kelo {

class CBAccessManager;
class DataContext;

// The application services every page, dialog and viewer uses. CReminderApp provides them;
// tests hand in their own (a fixed program date, a scripted message box, no yields), so no
// window reaches for a global.
class TaskServices {
public:
    virtual ~TaskServices() = default;

    // The program date (16-bit date number). When it differs from the last one seen and the
    // main window exists, command 2350 is posted to the main window and the current page.
    virtual uint16_t GetProgramDateChecked() = 0;
    // Lets the host process its queue when background fill is on; nothing otherwise.
    virtual void YieldToHost() = 0;
    virtual bool BackgroundFill() const = 0;
    // A message box titled "Kelo Task Manager"; kinds 1 stop, 2 exclamation, 3/4 information,
    // 5 Yes/No, 6 Yes/No/Cancel. Returns the button: 1 OK, 2 Cancel, 6 Yes, 7 No.
    virtual int TaskMessageBox(const std::string& text, int kind, int extra = 0) = 0;
    // The string-table text of `stringId` followed by one space, through TaskMessageBox.
    virtual int TaskMessageBoxId(int stringId, int kind, int extra = 0) = 0;

    // The logged-on user's name ("OVERSEE" is the supervisor).
    virtual const std::string& CurrentUserName() const = 0;
    // The company's file block; pages and dialogs take copies for their brackets.
    virtual DataContext& Context() = 0;
    // The logged-on user's rights: Check answers true when the user is barred.
    virtual const CBAccessManager& AccessManager() const = 0;
    // The host's global block as the application took it at start (ledger ageing, the
    // auto-complete option, the user's name for remembered sizes). Without a host, none.
    virtual GlobalBlock Block() const { return GlobalBlock(nullptr); }
    // A long background fill's rows so far, in the status bar; a negative count takes it away.
    virtual void ShowFillProgress(int /*rows*/) {}
};

// The supervisor's logon name; compared exactly, case-sensitive.
inline constexpr const char* kSupervisorName = "OVERSEE";

}  // namespace kelo
