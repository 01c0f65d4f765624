#pragma once

#include "host/file/DataContext.h"
#include "host/framework/CDDataResources.h"

namespace kelo {

// Brackets a scan or an update: Add resources, ObtainResources (opens one transaction),
// work through Context(), ReleaseResources (commits). A manager destroyed while its resources
// are still obtained aborts, so an update that throws half way leaves nothing behind.
class CDDataResourceManager final {
public:
    // Works on its own copy of the context: its walk positions are its own.
    explicit CDDataResourceManager(const DataContext& context);
    ~CDDataResourceManager();
    CDDataResourceManager(const CDDataResourceManager&) = delete;
    CDDataResourceManager& operator=(const CDDataResourceManager&) = delete;

    CDDataResources& GetResources() { return m_resources; }
    // Throws FileError when the transaction cannot be opened (or a second write is asked for).
    void ObtainResources();
    // Commits; nothing when not obtained.
    void ReleaseResources();
    // Aborts; nothing when not obtained.
    void AbandonResources();
    bool Obtained() const { return m_txn != nullptr; }

    DataContext& Context() { return m_context; }

private:
    DataContext m_context;
    CDDataResources m_resources;
    store::Txn* m_txn = nullptr;
};

}  // namespace kelo
