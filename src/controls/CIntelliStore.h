#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>

#include "src/controls/CIntelliEntry.h"

namespace kelo {

// The entries an auto-complete popup lists: either the result of one search (named by the text
// it was filled for) or a field's history (named "CACHE", with the registry key it lives under).
// Shared by reference (std::shared_ptr); a history is saved when its last reference goes.
//
// History rules: a text already present (exact, case-sensitive) is not added again; at 32
// entries the oldest goes before a new one is appended. The registry is QSettings("Kelo",
// "Plinth 70"): the key "Software\Kelo\Plinth 70\History\X" is its group "History/X", holding
// the string values History0, History1, ... oldest first. Registry failures are silent.
class CIntelliStore final {
public:
    static constexpr int kMaxEntries = 32;
    static constexpr int kMaxText = 255;
    static inline const QString kHistoryName = QStringLiteral("CACHE");

    // `name` is cut to 255 characters; the creation time is Now().
    explicit CIntelliStore(const QString& name);
    // Saves a history.
    ~CIntelliStore();
    CIntelliStore(const CIntelliStore&) = delete;
    CIntelliStore& operator=(const CIntelliStore&) = delete;

    const QString& Name() const { return m_name; }
    void SetName(const QString& name);
    int64_t CreationTime() const { return m_created; }
    // A search store older than `lifetime` milliseconds; a history never goes stale.
    bool IsStale(int64_t now, int64_t lifetime) const;

    const std::vector<CIntelliEntry>& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    int MaxEntries() const { return kMaxEntries; }

    const QString& HistoryKey() const { return m_historyKey; }
    bool IsHistory() const { return !m_historyKey.isEmpty(); }
    // Makes this store the history of `key` (cut to 255 characters) and loads it from the
    // registry. A history it held before is saved first, so switching keys loses nothing.
    void SetHistoryKey(const QString& key);

    // Appends an entry: for a history under the history rules (texts cut to 255 characters),
    // for a search store as it comes.
    void Add(const QString& text, uint32_t data = 0, const QString& keyText = QString());
    // Removes the first entry whose text equals `text` ignoring case; false when none does.
    bool Delete(const QString& text);
    void DeleteAll();

    // Replaces the entries with the registry's History0.. values, up to the first missing one
    // or 32. A value that is not a string is passed over; one longer than 255 characters is cut.
    void LoadHistory();
    // Deletes the key, then writes the entries (when there are any). False when the registry
    // could not be written.
    bool SaveHistory() const;

    // The QSettings group of a registry key under HKEY_CURRENT_USER.
    static QString HistoryGroup(const QString& key);
    // The millisecond tick stores are aged by; tests may replace it (an empty function restores
    // the steady clock).
    static int64_t Now();
    static void SetClock(std::function<int64_t()> clock);

private:
    QString m_name;
    int64_t m_created;
    std::vector<CIntelliEntry> m_entries;
    QString m_historyKey;
};

}  // namespace kelo
