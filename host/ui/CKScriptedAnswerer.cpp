#include "host/ui/CKScriptedAnswerer.h"

namespace kelo {

CKScriptedAnswerer::CKScriptedAnswerer(std::initializer_list<MsgAnswer> script)
    : m_script(script)
{
    m_previous = CKMessageBox::SetAnswerer(
        [this](QWidget*, const QString& text, int kind, const QString& title, int extra) {
            return Answer(text, kind, title, extra);
        });
}

CKScriptedAnswerer::~CKScriptedAnswerer() { CKMessageBox::SetAnswerer(std::move(m_previous)); }

MsgAnswer CKScriptedAnswerer::Answer(const QString& text, int kind, const QString& title,
                                     int extra)
{
    m_shown.push_back({text, kind, title, extra});
    const bool question = kind == MsgKind::YesNo || kind == MsgKind::YesNoCancel;
    if (!question) {
        // An OK box has one answer; a scripted entry meant for it is used up all the same.
        if (!m_script.empty() && m_script.front() == MsgAnswer::Ok) m_script.pop_front();
        return MsgAnswer::Ok;
    }
    if (m_script.empty()) return m_fallback;
    const MsgAnswer answer = m_script.front();
    m_script.pop_front();
    return answer;
}

}  // namespace kelo
