#include "host/data/UserRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {kUserName, kUserModuleAccess, kUserOptionBars};

bool InRange(int v, int count) { return v >= 0 && v < count; }

Field MaskField(int module)
{
    return Field{"option_mask", kUserOptionBars.offset + 4 * static_cast<uint32_t>(module), 4,
                 FieldType::U32};
}

}  // namespace

const Layout kUserLayout{"user", kUserLength, kFields};

uint8_t UserModuleAccess(const uint8_t* rec, int module)
{
    return InRange(module, kUserModuleCount) ? rec[kUserModuleAccess.offset + module] : kAccessNone;
}

void SetUserModuleAccess(uint8_t* rec, int module, uint8_t level)
{
    if (InRange(module, kUserModuleCount)) rec[kUserModuleAccess.offset + module] = level;
}

bool UserOptionBarred(const uint8_t* rec, int module, int option)
{
    if (!InRange(module, kUserModuleCount) || !InRange(option, kUserOptionCount)) return false;
    return (GetU32(rec, MaskField(module)) >> option) & 1u;
}

void SetUserOptionBarred(uint8_t* rec, int module, int option, bool barred)
{
    if (!InRange(module, kUserModuleCount) || !InRange(option, kUserOptionCount)) return;
    const Field f = MaskField(module);
    uint32_t mask = GetU32(rec, f);
    const uint32_t bit = 1u << option;
    SetU32(rec, f, barred ? (mask | bit) : (mask & ~bit));
}

}  // namespace kelo
