#include "tests/pages/FakeTaskServices.h"

#include <QCoreApplication>
#include <QString>

#include "src/app/StringTable.h"

namespace kelo::test {

void DrainPostedEvents()
{
    // Posted work may post more (a stopped fill reposts its fill): a few rounds settle it.
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

FakeTaskServices::FakeTaskServices(DataContext& context, std::string user)
    : userName(std::move(user)), m_context(context), m_access(context, userName)
{
}

void FakeTaskServices::YieldToHost()
{
    if (!backgroundFill) return;
    ++yields;
    if (onYield) onYield(yields);
    QCoreApplication::processEvents();
}

int FakeTaskServices::TaskMessageBox(const std::string& text, int kind, int extra)
{
    return static_cast<int>(
        CKMessageBox::Show(nullptr, QString::fromStdString(text), kind, CKMessageBox::kTitle, extra));
}

int FakeTaskServices::TaskMessageBoxId(int stringId, int kind, int extra)
{
    return TaskMessageBox(StringTable::Load(stringId) + " ", kind, extra);
}

}  // namespace kelo::test
