#include "host/ui/CKDialog.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace kelo {
namespace {

// Records the commands and the steps of its end it receives.
class Recorder : public CKDialog {
public:
    explicit Recorder(std::vector<std::string>* log, QWidget* parent = nullptr, int id = 0)
        : CKDialog(id, parent), m_log(log)
    {
    }
    bool OnCommand(int id) override
    {
        m_log->push_back("command " + std::to_string(id));
        return true;
    }

protected:
    void OnDestroy() override { m_log->push_back("destroy " + std::to_string(DialogId())); }
    void PostNcDestroy() override
    {
        m_log->push_back("final " + std::to_string(DialogId()));
        CKDialog::PostNcDestroy();
    }

private:
    std::vector<std::string>* m_log;
};

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

using Log = std::vector<std::string>;

TEST(CKDialog, PostedCommandNeverReachesADeletedOrDestroyedDialog)
{
    Log log;
    auto* deleted = new Recorder(&log, nullptr, 1);
    deleted->PostCommand(2348);
    delete deleted;

    auto* destroyed = new Recorder(&log, nullptr, 2);
    QPointer<Recorder> guard(destroyed);
    destroyed->PostCommand(2348);
    destroyed->DestroyWindow();
    EXPECT_FALSE(destroyed->SendCommand(2348));
    QCoreApplication::processEvents();
    RunDeferredDeletes();
    EXPECT_EQ(log, (Log{"destroy 2", "final 2"}));
    EXPECT_TRUE(guard.isNull()) << "the default final step deletes the object";
}

}  // namespace
}  // namespace kelo
