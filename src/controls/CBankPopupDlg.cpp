#include "src/controls/CBankPopupDlg.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/util/Text.h"

namespace kelo {

CBankPopupDlg::CBankPopupDlg(CKPopupField* owner, DataContext& context)
    : CFixedPopup(owner, context, kFileBank, kFileBankIndex)
{
    setWindowTitle(QStringLiteral("Bank Accounts"));
}

bool CBankPopupDlg::OnInitDialog()
{
    try {
        Resources().GetResources().Add(CDPersistentNom::GetStaticResourcesFor(kResourceRead));
        Resources().GetResources().Add(CDPersistentBank::GetStaticResourcesFor(kResourceRead));
        Resources().ObtainResources();
        SetRecordCount(std::min(CBBank::GetCount(Context()), RecCount(Context().File(kFileBankIndex))));
        InitialiseCommon();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void CBankPopupDlg::FillRange(int first, int last)
{
    DataFile data = Context().File(kFileBank);
    DataFile index = Context().File(kFileBankIndex);
    std::vector<uint8_t> entry(kAccountKeyLength + 4, 0);
    std::vector<uint8_t> bank(kBankLength, 0);
    std::vector<uint8_t> nominal(kNominalLength, 0);
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(RecordCount()); ++i) {
        if (ReadRec(index, static_cast<uint32_t>(i) + 1, entry.data()) == 0) continue;
        const uint32_t recNo = GetU32(entry.data(), kAccountIndexRecordNumber);
        if (ReadRec(data, recNo, bank.data()) == 0) continue;
        const std::string code = FillUp(GetText(bank.data(), kBankCode), kAccountKeyLength);
        // A bank whose nominal account is missing still shows its own code, with no name.
        std::fill(nominal.begin(), nominal.end(), uint8_t{0});
        if (FindAccount(Context(), kLedgerNominal, code.c_str(), nominal.data(), 0) == 0)
            AppendRow(i, RowText(GetText(bank.data(), kBankCode), std::string()));
        else
            AppendRow(i, RowText(GetText(nominal.data(), kNominalCode),
                                 GetText(nominal.data(), kNominalName)));
    }
}

}  // namespace kelo
