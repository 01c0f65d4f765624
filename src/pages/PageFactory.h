#pragma once

#include <functional>

class QWidget;

namespace kelo {

class CKTreeView;
class CReminderPage;
class TaskServices;

// Makes the page of a task: a plain table from the task's command to the function creating its
// page. A task whose page is not in the table gets none, and choosing it shows nothing new.
class PageFactory final {
public:
    using Creator = std::function<CReminderPage*(int command, TaskServices& services,
                                                 QWidget* parent, CKTreeView* tree)>;

    // A new, not yet created page for `command`; nullptr when the task has no page.
    static CReminderPage* Create(int command, TaskServices& services, QWidget* parent,
                                 CKTreeView* tree);
    static bool Has(int command);

    // Tests put their own pages in front of the table: a creator that answers nullptr falls
    // back to the table. An empty function removes it. Returns the one it replaces.
    static Creator SetOverride(Creator creator);
};

}  // namespace kelo
