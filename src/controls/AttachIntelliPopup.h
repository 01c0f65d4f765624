#pragma once

#include <cstdint>

#include "host/ui/CKIntelliNotify.h"

class QWidget;

namespace kelo {

class CIntelliPopupImpl;

// The history source of an attachment: a registry path under HKEY_CURRENT_USER, a string-table
// id naming one (61255, 61256), or none (a search list filled by the provider).
struct IntelliHistorySource {
    IntelliHistorySource() = default;
    IntelliHistorySource(const char* path) : registryPath(path) {}  // NOLINT: reads as a path
    IntelliHistorySource(int id) : stringId(id) {}                  // NOLINT: reads as an id
    const char* registryPath = nullptr;
    int stringId = 0;
};

// Gives `control` the auto-complete popup `popup` (held by the dialog). The edit is `control`
// when it is a line edit, otherwise the first line edit down its chain of first children; with
// none, nothing is attached and the answer is false. Without a history source the popup lists
// what `provider` finds (the application's account search function, CKAccountSearch::Search,
// when none is given), called with `userValue`.
bool AttachIntelliPopup(CIntelliPopupImpl& popup, QWidget* control, uint32_t kind, uint32_t flag,
                        IntelliHistorySource history, CKSearchFunction provider = nullptr,
                        intptr_t userValue = 0);

}  // namespace kelo
