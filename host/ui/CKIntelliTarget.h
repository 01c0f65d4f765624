#pragma once

#include <cstdint>

#include <QString>

namespace kelo {

// The add operation of an auto-complete popup, as a search provider sees it.
class CKIntelliTarget {
public:
    virtual ~CKIntelliTarget() = default;

    // Appends an entry to the store being filled. `text` holds tab-separated columns, the first
    // being what goes into the field; `data` travels with the list row; `keyText` is the text
    // the entry matched on (up to 255 characters), which lets a longer search reuse the entry.
    virtual void AddEntry(const QString& text, uint32_t data, const QString& keyText) = 0;
};

}  // namespace kelo
