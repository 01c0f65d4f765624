#pragma once

#include <vector>

namespace kelo {

// Access modes of a data resource.
inline constexpr int kResourceRead = 0;
inline constexpr int kResourceSave = 3;
inline constexpr int kResourceDelete = 4;

// A set of files with the access each needs. Obtaining a set that saves or deletes opens a
// write transaction; a set that only reads opens a read transaction.
class CDDataResources final {
public:
    struct Item {
        int file;
        bool index;
        int mode;
    };

    CDDataResources& AddDataFile(int file, int mode = kResourceRead);
    CDDataResources& AddIndexFile(int file, int mode = kResourceRead);
    CDDataResources& Add(const CDDataResources& other);

    bool Writes() const;
    bool Empty() const { return m_items.empty(); }
    const std::vector<Item>& Items() const { return m_items; }

private:
    std::vector<Item> m_items;
};

}  // namespace kelo
