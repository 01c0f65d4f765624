#include "host/ui/CKFunctionKeyHook.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(CKFunctionKeyHook, FunctionKeysInAnyWindowReachTheRegisteredHandler)
{
    const uint32_t message = CKFunctionKeyHook::RegisterWindowMessage("__ReminderFunctionKey__");
    std::vector<std::pair<uint32_t, int>> received;
    auto* main = new QWidget;
    CKFunctionKeyHook::Register(main, message, [&](uint32_t m, int vk) {
        received.emplace_back(m, vk);
    });

    QLineEdit elsewhere;  // another window of the application, a dialog say
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F11, Qt::Key_F12})
        QTest::keyClick(&elsewhere, key);
    QTest::keyClick(&elsewhere, Qt::Key_F5);
    QTest::keyClick(&elsewhere, Qt::Key_A);
    const std::vector<std::pair<uint32_t, int>> expected{
        {message, VK_F1}, {message, VK_F2}, {message, VK_F11}, {message, VK_F12}};
    EXPECT_EQ(received, expected);
    EXPECT_EQ(elsewhere.text(), "a") << "other keys pass through";

    delete main;  // a destroyed window receives nothing more
    QTest::keyClick(&elsewhere, Qt::Key_F2);
    EXPECT_EQ(received.size(), 4u);
    EXPECT_FALSE(CKFunctionKeyHook::Deliver(Qt::Key_F2));
}

}  // namespace
}  // namespace kelo
