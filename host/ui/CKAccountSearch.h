#pragma once

// The host's account search function, which the dialog library exports for the auto-complete
// fields that list accounts (kind 258, nominal accounts).

#include <cstdint>
#include <string_view>
#include <vector>

#include <QString>

#include "host/ui/CKIntelliNotify.h"

namespace kelo {

class DataContext;

class CKAccountSearch final {
public:
    struct Match {
        QString text;     // "CODE\tName": the code is what goes into the field
        uint32_t recNo;   // the account's record number
        QString keyText;  // the code or the name, whichever the typed text began
    };

    // The nominal accounts whose code or name begins with `text` (ignoring case), in code order;
    // an empty text matches every account. Other ledgers give nothing. Runs in a read bracket
    // of its own; throws FileError on a fault of the data layer.
    static std::vector<Match> Find(DataContext& context, int ledger, std::string_view text);

    // The search function (CKSearchFunction). For code 101 it adds Find's matches for
    // notify.kind and notify.text to notify.popup, over the company of the host's global block;
    // no block, another code or a fault of the data layer: nothing. Returns the entries added.
    static int Search(QWidget* field, const CKIntelliNotify& notify, intptr_t userValue);
};

}  // namespace kelo
