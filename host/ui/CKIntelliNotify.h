#pragma once

// What an auto-complete popup tells the code that fills it: its search provider, or the dialog
// that holds the field when there is no provider.

#include <cstdint>

#include <QString>

class QWidget;

namespace kelo {

class CKIntelliTarget;

// Notification codes.
inline constexpr int kIntelliCreated = 100;  // the popup windows were created
inline constexpr int kIntelliFill = 101;     // the store for the text is empty: fill it now
inline constexpr int kIntelliShowing = 102;  // the popup is about to be shown
inline constexpr int kIntelliHidden = 103;   // the popup was hidden

// Popup kinds (also the identifier of the notifications and of the remembered size).
inline constexpr uint32_t kIntelliHistory = 0;
inline constexpr uint32_t kIntelliNominal = 258;

struct CKIntelliNotify {
    QWidget* list = nullptr;           // the popup's list window
    uint32_t kind = 0;
    int code = 0;
    CKIntelliTarget* popup = nullptr;  // where a provider adds its matches
    QString text;                      // code 101 only: the field's text
};

// A search provider: called with the field, the notification and the user value given at
// attachment. For code 101 it adds its matches through notify.popup; the answer is the number
// of entries it added (0 for the other codes).
using CKSearchFunction = int (*)(QWidget* field, const CKIntelliNotify& notify, intptr_t userValue);

}  // namespace kelo
