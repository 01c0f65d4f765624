#include "src/controls/CIntelliCache.h"

#include <algorithm>

#include "src/controls/CIntelliStore.h"

namespace kelo {

namespace {

struct CacheEntry {
    uint32_t kind;
    uint32_t flag;
    std::weak_ptr<CIntelliCache> cache;
};

std::vector<CacheEntry>& Caches()
{
    static std::vector<CacheEntry> caches;
    return caches;
}

}  // namespace

std::shared_ptr<CIntelliCache> CIntelliCache::Get(uint32_t kind, uint32_t flag,
                                                  const CIntelliCache* previous)
{
    std::vector<CacheEntry>& caches = Caches();
    std::erase_if(caches, [](const CacheEntry& e) { return e.cache.expired(); });
    for (const CacheEntry& e : caches)
        if (e.kind == kind && e.flag == flag) return e.cache.lock();
    auto cache = std::make_shared<CIntelliCache>(
        kind, flag, previous ? previous->Lifetime() : kDefaultLifetime,
        previous ? previous->SlotCount() : kDefaultSlots);
    caches.push_back({kind, flag, cache});
    return cache;
}

CIntelliCache::CIntelliCache(uint32_t kind, uint32_t flag, int64_t lifetime, int slotCount)
    : m_kind(kind), m_flag(flag), m_lifetime(lifetime), m_slots(std::max(slotCount, 1))
{
}

std::shared_ptr<CIntelliStore> CIntelliCache::Lookup(const QString& name)
{
    const int64_t now = CIntelliStore::Now();
    int use = -1;
    int oldest = -1;
    for (int i = 0; i < SlotCount(); ++i) {
        std::shared_ptr<CIntelliStore>& slot = m_slots[i];
        if (slot && slot->IsStale(now, m_lifetime)) slot.reset();
        if (slot && slot->Name().compare(name, Qt::CaseInsensitive) == 0) return slot;
        if (!slot)
            use = i;
        else if (oldest < 0 || slot->CreationTime() < m_slots[oldest]->CreationTime())
            oldest = i;
    }
    if (use < 0) {
        use = oldest;
        m_slots[use].reset();
    }

    auto store = std::make_shared<CIntelliStore>(name);
    // A longer text's matches are among a shorter text's: reuse them instead of searching
    // again. The longest such name gives the fewest entries to look through.
    const CIntelliStore* source = nullptr;
    for (const std::shared_ptr<CIntelliStore>& other : m_slots) {
        if (!other || other->IsHistory() || !name.startsWith(other->Name(), Qt::CaseInsensitive))
            continue;
        if (!source || other->Name().size() > source->Name().size()) source = other.get();
    }
    if (source)
        for (const CIntelliEntry& e : source->Entries())
            if (e.keyText.startsWith(name, Qt::CaseInsensitive)) store->Add(e.text, e.data, e.keyText);
    m_slots[use] = store;
    return store;
}

}  // namespace kelo
