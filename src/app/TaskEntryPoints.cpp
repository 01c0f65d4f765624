#include "src/app/TaskEntryPoints.h"

#include <QWidget>

#include "src/app/CReminderApp.h"

extern "C" {

void TaskInitialise(void* hostWindow)
{
    kelo::CReminderApp::Instance().TaskInitialise(static_cast<QWidget*>(hostWindow));
}

void ShowTaskManager(void) { kelo::CReminderApp::Instance().ShowTaskManager(); }

void KillTaskManager(void) { kelo::CReminderApp::Instance().KillTaskManager(); }

int TaskIsShowing(void) { return kelo::CReminderApp::Instance().TaskIsShowing(); }
}
