#include "src/controls/CNominalPopupDlg.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"

namespace kelo {

CNominalPopupDlg::CNominalPopupDlg(CKPopupField* owner, DataContext& context)
    : CFixedPopup(owner, context, kFileNominal, kFileNominalIndex)
{
    setWindowTitle(QStringLiteral("Nominal Accounts"));
}

bool CNominalPopupDlg::OnInitDialog()
{
    try {
        CDDataResources resources;
        resources.AddDataFile(kFileNominal, kResourceRead).AddIndexFile(kFileNominalIndex, kResourceRead);
        Resources().GetResources().Add(resources);
        Resources().ObtainResources();
        // Rows are index entries: a data file with gaps must not list empty rows at its end.
        SetRecordCount(std::min(CBNom::GetCount(Context()), RecCount(Context().File(kFileNominalIndex))));
        InitialiseCommon();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void CNominalPopupDlg::FillRange(int first, int last)
{
    DataFile data = Context().File(kFileNominal);
    DataFile index = Context().File(kFileNominalIndex);
    std::vector<uint8_t> entry(kAccountKeyLength + 4, 0);
    std::vector<uint8_t> rec(kNominalLength, 0);
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(RecordCount()); ++i) {
        if (ReadRec(index, static_cast<uint32_t>(i) + 1, entry.data()) == 0) continue;
        const uint32_t recNo = GetU32(entry.data(), kAccountIndexRecordNumber);
        if (ReadRec(data, recNo, rec.data()) == 0) continue;
        AppendRow(i, RowText(GetText(rec.data(), kNominalCode), GetText(rec.data(), kNominalName)));
    }
}

}  // namespace kelo
