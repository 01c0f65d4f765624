#include "host/ui/CKAccountSearch.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <string>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKIntelliTarget.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"

namespace kelo {

namespace {

bool BeginsIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](unsigned char a, unsigned char b) {
                          return std::toupper(a) == std::toupper(b);
                      });
}

QString Latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }

}  // namespace

std::vector<CKAccountSearch::Match> CKAccountSearch::Find(DataContext& context, int ledger,
                                                          std::string_view text)
{
    std::vector<Match> matches;
    if (ledger != kLedgerNominal) return matches;

    CDDataResourceManager manager(context);
    manager.GetResources().Add(CBNom::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    DataFile data = manager.Context().File(kFileNominal);
    DataFile index = manager.Context().File(kFileNominalIndex);

    // The whole chart in code order: a name can match anywhere in it.
    AccountKey key{};
    std::vector<uint8_t> rec(kNominalLength);
    for (uint32_t recNo = SearchRecord(data, index, key.data(), rec.data(), 0);
         recNo != 0;
         recNo = NextRecord(data, index, key.data(), rec.data(), 0)) {
        if (rec[0] == 0xFF) continue;
        const std::string code = GetText(rec.data(), kNominalCode);
        const std::string name = GetText(rec.data(), kNominalName);
        const bool byCode = BeginsIgnoringCase(code, text);
        if (!byCode && !BeginsIgnoringCase(name, text)) continue;
        matches.push_back({Latin(code) + QLatin1Char('\t') + Latin(name), recNo,
                           Latin(byCode ? code : name)});
    }
    manager.ReleaseResources();
    return matches;
}

int CKAccountSearch::Search(QWidget*, const CKIntelliNotify& notify, intptr_t)
{
    if (notify.code != kIntelliFill || !notify.popup) return 0;
    const GlobalBlock block = GlobalBlock::Current();
    if (!block.Exists() || !block.Context()) return 0;
    std::vector<Match> matches;
    try {
        matches = Find(*block.Context(), static_cast<int>(notify.kind),
                       notify.text.toLatin1().toStdString());
    } catch (const std::exception&) {
        // A lookup list is a convenience: the user can still type the code.
        return 0;
    }
    for (const Match& m : matches) notify.popup->AddEntry(m.text, m.recNo, m.keyText);
    return static_cast<int>(matches.size());
}

}  // namespace kelo
