#include "host/framework/CDDataResourceManager.h"

namespace kelo {

CDDataResourceManager::CDDataResourceManager(const DataContext& context) : m_context(context) {}

CDDataResourceManager::~CDDataResourceManager() { AbandonResources(); }

void CDDataResourceManager::ObtainResources()
{
    if (m_txn) return;
    m_txn = m_context.Environment().PushTxn(m_resources.Writes());
}

void CDDataResourceManager::ReleaseResources()
{
    if (!m_txn) return;
    store::Txn* txn = m_txn;
    m_txn = nullptr;
    m_context.Environment().ReleaseTxn(txn, true);
}

void CDDataResourceManager::AbandonResources()
{
    if (!m_txn) return;
    store::Txn* txn = m_txn;
    m_txn = nullptr;
    m_context.Environment().ReleaseTxn(txn, false);
}

}  // namespace kelo
