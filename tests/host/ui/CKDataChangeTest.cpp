#include <vector>

#include <QTest>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../file/TempCompany.h"
#include "host/file/RecordFile.h"
#include "host/ui/CKDataChange.h"
#include "host/ui/CKDialog.h"

namespace kelo {
namespace {

class Watcher : public CKDialog {
public:
    bool OnCommand(int id) override
    {
        if (id == kCommandDataChanged) ++changes;
        return true;
    }
    int changes = 0;
};

void writeBill(DataContext& ctx, uint32_t recno)
{
    DataFile bills = ctx.File(kFileBills);
    std::vector<uint8_t> rec(bills->recordLength, 1);
    WriteRec(bills, recno, rec.data());
}

TEST(DataChange, AnotherProcessCommitReachesRegisteredWindowsOnly)
{
    test::TempCompany co;
    Watcher registered, other;
    RegisterWindowForUpdates(&registered, co.Context());

    writeBill(co.Context(), 1);  // this process: not announced
    QTest::qWait(200);
    EXPECT_EQ(registered.changes, 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DataContext own = DataContext::Open(co.Folder());
        writeBill(own, 2);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return registered.changes > 0; }, 3000));
    EXPECT_EQ(other.changes, 0);

}

}  // namespace
}  // namespace kelo
