#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace kelo {

// Buttons a message box answers with, as the platform numbers them.
enum class MsgAnswer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Kinds of message box: 1 stop icon, OK; 2 exclamation, OK; 3 and 4 information, OK;
// 5 question, Yes/No; 6 question, Yes/No/Cancel; any other value: no icon, OK.
namespace MsgKind {
inline constexpr int Stop = 1;
inline constexpr int Exclamation = 2;
inline constexpr int Information = 3;
inline constexpr int Information2 = 4;
inline constexpr int YesNo = 5;
inline constexpr int YesNoCancel = 6;
}  // namespace MsgKind

// Extra style bit: the second button (No) is the default one.
inline constexpr int kMsgDefaultSecond = 0x100;

// The one way the program shows a message box. Show() hands the message to the installed
// answerer; the default answerer shows a modal QMessageBox owned by `owner` (or the active
// window) and returns the button pressed (Escape/close: Cancel, or No where there is no Cancel,
// OK on an OK box). Tests install a scripted answerer (CKScriptedAnswerer) so nothing blocks.
// UI thread only.
class CKMessageBox final {
public:
    static inline const QString kTitle = QStringLiteral("Kelo Task Manager");

    using Answerer = std::function<MsgAnswer(QWidget* owner, const QString& text, int kind,
                                             const QString& title, int extra)>;

    static MsgAnswer Show(QWidget* owner, const QString& text, int kind,
                          const QString& title = kTitle, int extra = 0);

    // Installs an answerer and returns the one it replaces. An empty function restores the
    // real dialog.
    static Answerer SetAnswerer(Answerer answerer);

    // The real dialog, as the default answerer shows it.
    static MsgAnswer ShowDialog(QWidget* owner, const QString& text, int kind,
                                const QString& title, int extra);
};

}  // namespace kelo
