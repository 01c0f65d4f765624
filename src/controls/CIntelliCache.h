#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QString>

namespace kelo {

class CIntelliStore;

// The stores of one popup kind: 32 slots, search stores living 60 seconds. One cache per
// (kind, flag) in the process, shared by every popup of that kind and gone with the last of
// them (its stores are released then, so histories are saved when their dialog closes).
class CIntelliCache final {
public:
    static constexpr int64_t kDefaultLifetime = 60000;
    static constexpr int kDefaultSlots = 32;

    // The process's cache of (kind, flag), made when there is none. A new cache takes its
    // lifetime and slot count from `previous` (the cache the popup held before), if any.
    static std::shared_ptr<CIntelliCache> Get(uint32_t kind, uint32_t flag,
                                              const CIntelliCache* previous = nullptr);

    CIntelliCache(uint32_t kind, uint32_t flag, int64_t lifetime, int slotCount);
    CIntelliCache(const CIntelliCache&) = delete;
    CIntelliCache& operator=(const CIntelliCache&) = delete;

    uint32_t Kind() const { return m_kind; }
    uint32_t Flag() const { return m_flag; }
    int64_t Lifetime() const { return m_lifetime; }
    void SetLifetime(int64_t milliseconds) { m_lifetime = milliseconds; }
    int SlotCount() const { return static_cast<int>(m_slots.size()); }

    // The store named `name` (ignoring case). Stale stores are released on the way; a new store
    // takes the last free slot or else the oldest store's, and starts with the entries of a
    // store whose name is a prefix of `name` whose key texts begin with `name` (ignoring case).
    std::shared_ptr<CIntelliStore> Lookup(const QString& name);
    // The store in a slot (null when free); for tests and diagnostics.
    std::shared_ptr<CIntelliStore> Slot(int slot) const { return m_slots.at(slot); }

private:
    uint32_t m_kind;
    uint32_t m_flag;
    int64_t m_lifetime;
    std::vector<std::shared_ptr<CIntelliStore>> m_slots;
};

}  // namespace kelo
