#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/framework/CBAccessManager.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"

namespace kelo::test {

// The application services of a test: the user's rights as the company's users file holds
// them (none for a user it does not know), a fixed program date, message boxes through
// CKMessageBox (so a CKScriptedAnswerer answers them), and a yield that runs the event loop
// only when background fill is on, after an optional hook.
class FakeTaskServices final : public TaskServices {
public:
    FakeTaskServices(DataContext& context, std::string user);

    uint16_t GetProgramDateChecked() override { return programDate; }
    void YieldToHost() override;
    bool BackgroundFill() const override { return backgroundFill; }
    int TaskMessageBox(const std::string& text, int kind, int extra = 0) override;
    int TaskMessageBoxId(int stringId, int kind, int extra = 0) override;
    const std::string& CurrentUserName() const override { return userName; }
    DataContext& Context() override { return m_context; }
    const CBAccessManager& AccessManager() const override { return m_access; }
    GlobalBlock Block() const override { return block; }
    void ShowFillProgress(int rows) override { progress.push_back(rows); }

    uint16_t programDate = 0;
    bool backgroundFill = false;
    std::string userName;
    // None unless the test hands in one.
    GlobalBlock block{nullptr};
    int yields = 0;
    // Runs at each yield, before the event loop; gets the yield's number (1 = the first).
    std::function<void(int)> onYield;
    // What the status bar was told, in order (-1: taken away).
    std::vector<int> progress;

private:
    DataContext& m_context;
    CBAccessManager m_access;
};

// Delivers what pages post to themselves (fills, deferred deletes) until nothing is left, without
// running timers or input, so a test sees a page exactly as its posted work leaves it.
void DrainPostedEvents();

}  // namespace kelo::test
