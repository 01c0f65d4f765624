#include "host/ui/CKDialog.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace kelo {
namespace {

// Records the commands and life-cycle calls it receives.
class Recorder : public CKDialog {
public:
    explicit Recorder(std::vector<std::string>* log, QWidget* parent = nullptr, int id = 0)
        : CKDialog(id, parent), m_log(log)
    {
    }
    bool OnCommand(int id) override
    {
        m_log->push_back("command " + std::to_string(id));
        if (id == 2348) {
            // Posting to itself from a handler runs after this handler returns.
            if (m_postAgain) {
                m_postAgain = false;
                PostCommand(2348);
            }
            return true;
        }
        return CKDialog::OnCommand(id);
    }
    bool m_postAgain = false;

protected:
    bool OnInitDialog() override
    {
        m_log->push_back("init");
        return m_initResult;
    }
    void OnDestroy() override { m_log->push_back("destroy " + std::to_string(DialogId())); }
    void PostNcDestroy() override
    {
        m_log->push_back("final " + std::to_string(DialogId()));
        CKDialog::PostNcDestroy();
    }

public:
    bool m_initResult = true;

private:
    std::vector<std::string>* m_log;
};

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

using Log = std::vector<std::string>;

TEST(CKDialog, SendRunsNowPostRunsFromTheEventLoop)
{
    Log log;
    Recorder d(&log);
    EXPECT_TRUE(d.SendCommand(2348));
    EXPECT_FALSE(d.SendCommand(32794)) << "a command nobody handles";
    EXPECT_EQ(log, (Log{"command 2348", "command 32794"}));
    log.clear();
    d.m_postAgain = true;
    d.PostCommand(2348);
    d.PostCommand(500);
    EXPECT_TRUE(log.empty());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (Log{"command 2348", "command 500", "command 2348"}));
}

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
