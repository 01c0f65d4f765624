#include "tests/controls/AccountRecords.h"

#include <vector>

#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/file/RecordFile.h"

namespace kelo::test {

uint32_t AddNominal(DataContext& context, const std::string& code, const std::string& name,
                    uint8_t kind)
{
    std::vector<uint8_t> rec(kNominalLength, 0);
    SetText(rec.data(), kNominalCode, code);
    SetText(rec.data(), kNominalName, name);
    SetU8(rec.data(), kNominalAccountKind, kind);
    const uint32_t recNo = RecCount(context.File(kFileNominal)) + 1;
    WriteRec(context.File(kFileNominal), recNo, rec.data());
    const AccountKey key = BuildAccountKey(code);
    AddKey(context.File(kFileNominalIndex), key.data(), recNo, 0, 0);
    return recNo;
}

uint32_t AddBank(DataContext& context, const std::string& code)
{
    std::vector<uint8_t> rec(kBankLength, 0);
    SetText(rec.data(), kBankCode, code);
    SetU8(rec.data(), kBankKind, kBankKindBank);
    SetU8(rec.data(), kBankCurrency, kBankCurrencyBase);
    const uint32_t recNo = RecCount(context.File(kFileBank)) + 1;
    WriteRec(context.File(kFileBank), recNo, rec.data());
    const AccountKey key = BuildAccountKey(code);
    AddKey(context.File(kFileBankIndex), key.data(), recNo, 0, 0);
    return recNo;
}

}  // namespace kelo::test
