#include "src/pages/scans/AccountDetails.h"

#include <cstdio>
#include <vector>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/util/Money.h"
#include "host/data/AccountRecord.h"
#include "src/pages/scans/LedgerWalk.h"

namespace kelo {

AccountDetails AccountDetails::Load(DataContext& context, uint32_t recNo, int ledger,
                                    const AgingSettings& settings, uint16_t programDate)
{
    AccountDetails details;
    CDDataResourceManager resources(context);
    const LedgerFiles files = LedgerFilesOf(ledger);
    resources.GetResources().AddDataFile(files.data);
    resources.GetResources().Add(CBTranhead::GetStaticResourcesFor(kResourceRead));
    resources.ObtainResources();

    std::vector<uint8_t> rec(kAccountLength, 0);
    if (recNo != 0 && ReadRec(resources.Context().File(files.data), recNo, rec.data())) {
        details.found = true;
        details.reference = GetRawText(rec.data(), kAccountReference);
        details.name = GetText(rec.data(), kAccountName);
        details.contact = GetText(rec.data(), kAccountContactName);
        details.telephone = GetText(rec.data(), kAccountTelephone);
        details.aged = ComputeAgedAnalysis(resources.Context(), ledger,
                                           GetU32(rec.data(), kAccountFirstHeader), settings,
                                           programDate, programDate);
    }
    resources.ReleaseResources();
    return details;
}

std::string FormatViewerAmount(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", 2, NormaliseZero(value, 2));
    return text;
}

}  // namespace kelo
