#include "src/controls/CIntelliStore.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include <QSettings>
#include <QVariant>

namespace kelo {

namespace {

const QString kRegistryRoot = QStringLiteral("Software\\Kelo\\Plinth 70\\");

std::function<int64_t()>& Clock()
{
    static std::function<int64_t()> clock;
    return clock;
}

QString ValueName(int position) { return QStringLiteral("History%1").arg(position); }

}  // namespace

CIntelliStore::CIntelliStore(const QString& name) : m_name(name.left(kMaxText)), m_created(Now())
{
}

CIntelliStore::~CIntelliStore()
{
    if (IsHistory()) SaveHistory();
}

void CIntelliStore::SetName(const QString& name) { m_name = name.left(kMaxText); }

bool CIntelliStore::IsStale(int64_t now, int64_t lifetime) const
{
    return !IsHistory() && now - m_created > lifetime;
}

void CIntelliStore::SetHistoryKey(const QString& key)
{
    if (IsHistory()) SaveHistory();
    m_historyKey = key.left(kMaxText);
    LoadHistory();
}

void CIntelliStore::Add(const QString& text, uint32_t data, const QString& keyText)
{
    if (!IsHistory()) {
        m_entries.push_back({text, data, keyText.left(kMaxText)});
        return;
    }
    const QString kept = text.left(kMaxText);
    const bool present = std::any_of(m_entries.begin(), m_entries.end(),
                                     [&](const CIntelliEntry& e) { return e.text == kept; });
    if (present) return;
    if (Count() >= kMaxEntries) m_entries.erase(m_entries.begin());
    m_entries.push_back({kept, data, keyText.left(kMaxText)});
}

bool CIntelliStore::Delete(const QString& text)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const CIntelliEntry& e) {
        return e.text.compare(text, Qt::CaseInsensitive) == 0;
    });
    if (it == m_entries.end()) return false;
    m_entries.erase(it);
    return true;
}

void CIntelliStore::DeleteAll() { m_entries.clear(); }

void CIntelliStore::LoadHistory()
{
    m_entries.clear();
    if (!IsHistory()) return;
    QSettings settings(QStringLiteral("Kelo"), QStringLiteral("Plinth 70"));
    settings.beginGroup(HistoryGroup(m_historyKey));
    for (int i = 0; i < kMaxEntries; ++i) {
        const QVariant value = settings.value(ValueName(i));
        if (!value.isValid()) break;
        // A hand-edited value can read as a list or a typed variant: not a text of ours.
        if (value.typeId() != QMetaType::QString) continue;
        Add(value.toString());
    }
}

bool CIntelliStore::SaveHistory() const
{
    if (!IsHistory()) return false;
    QSettings settings(QStringLiteral("Kelo"), QStringLiteral("Plinth 70"));
    const QString group = HistoryGroup(m_historyKey);
    settings.remove(group);
    if (!m_entries.empty()) {
        settings.beginGroup(group);
        for (int i = 0; i < Count(); ++i) settings.setValue(ValueName(i), m_entries[i].text);
        settings.endGroup();
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString CIntelliStore::HistoryGroup(const QString& key)
{
    QString path = key;
    // Our registry root is QSettings' own root; any other key keeps its whole path below it.
    if (path.startsWith(kRegistryRoot, Qt::CaseInsensitive)) path = path.mid(kRegistryRoot.size());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // Never the root itself: removing an empty group would clear every setting.
    return path.isEmpty() ? QStringLiteral("History/Unnamed") : path;
}

int64_t CIntelliStore::Now()
{
    if (Clock()) return Clock()();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void CIntelliStore::SetClock(std::function<int64_t()> clock) { Clock() = std::move(clock); }

}  // namespace kelo
