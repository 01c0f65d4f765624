#pragma once

#include <deque>
#include <vector>

#include <QString>

#include "host/ui/CKMessageBox.h"

namespace kelo {

// Test double for message boxes: while it lives every CKMessageBox::Show is recorded and
// answered from a script, and no dialog appears. A question (kinds 5, 6) takes the next scripted
// answer, or the fallback (No unless set) when the script is used up. An OK box always answers
// Ok and uses up a scripted Ok at the front of the script, so a script may list every box.
// Installs itself on construction and restores the previous answerer on destruction.
class CKScriptedAnswerer final {
public:
    struct Shown {
        QString text;
        int kind;
        QString title;
        int extra;
    };

    explicit CKScriptedAnswerer(std::initializer_list<MsgAnswer> script = {});
    ~CKScriptedAnswerer();
    CKScriptedAnswerer(const CKScriptedAnswerer&) = delete;
    CKScriptedAnswerer& operator=(const CKScriptedAnswerer&) = delete;

    void Push(MsgAnswer answer) { m_script.push_back(answer); }
    void SetFallback(MsgAnswer answer) { m_fallback = answer; }

    const std::vector<Shown>& Messages() const { return m_shown; }
    int Count() const { return static_cast<int>(m_shown.size()); }
    // Script entries not used yet.
    int Unused() const { return static_cast<int>(m_script.size()); }
    void Clear() { m_shown.clear(); }

private:
    MsgAnswer Answer(const QString& text, int kind, const QString& title, int extra);

    std::deque<MsgAnswer> m_script;
    std::vector<Shown> m_shown;
    MsgAnswer m_fallback = MsgAnswer::No;
    CKMessageBox::Answerer m_previous;
};

}  // namespace kelo
