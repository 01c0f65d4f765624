#include "host/framework/CBAccessManager.h"

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/data/UserRecord.h"

namespace kelo {

CBAccessManager::CBAccessManager(DataContext& context, const std::string& userName)
{
    CDDataResourceManager rm(context);
    rm.GetResources().Add(CDPersistentAccess::GetStaticResourcesFor(kResourceRead));
    rm.ObtainResources();
    DataFile users = rm.Context().File(kFileUsers);
    std::vector<uint8_t> rec(users->recordLength);
    const uint32_t count = RecCount(users);
    for (uint32_t n = 1; n <= count; ++n) {
        if (!ReadRec(users, n, rec.data()) || rec[0] == 0xFF) continue;
        if (GetText(rec.data(), kUserName) == userName) {
            m_user = rec;
            m_known = true;
            break;
        }
    }
    rm.ReleaseResources();
}

bool CBAccessManager::Check(int module, int level) const
{
    if (!m_known) return true;
    return UserModuleAccess(m_user.data(), module) <= level;
}

bool CBAccessManager::Check(int module, int option, int level) const
{
    return Check(module, level) || UserOptionBarred(m_user.data(), module, option);
}

}  // namespace kelo
