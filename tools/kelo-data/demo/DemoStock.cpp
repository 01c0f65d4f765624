#include <cstdio>
#include <string>

#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/StockRecord.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

constexpr int kItemsPerScale = 500;

struct Family {
    const char* prefix;
    const char* description;
    const char* variants[6];
};

// What an office supplies wholesaler keeps on its shelves.
constexpr Family kFamilies[] = {
    {"PAP", "Copier Paper", {"A4 80gsm White", "A4 90gsm White", "A3 80gsm White", "A4 80gsm Recycled", "A4 Pastel Blue", "A4 100gsm Premium"}},
    {"ENV", "Envelopes", {"DL White Self Seal", "C5 Manilla Gummed", "C4 White Peel & Seal", "C6 White", "DL Window", "Padded Size D"}},
    {"PEN", "Ballpoint Pens", {"Blue Box 50", "Black Box 50", "Red Box 50", "Green Box 50", "Assorted Box 20", "Gel Black Box 12"}},
    {"TON", "Laser Toner", {"Type 12A Black", "Type 05X Black", "Type 26A Black", "Type 201 Cyan", "Type 201 Magenta", "Type 201 Yellow"}},
    {"INK", "Inkjet Cartridge", {"No. 301 Black", "No. 301 Colour", "No. 950 Black", "No. 951 Cyan", "No. 951 Magenta", "No. 951 Yellow"}},
    {"FIL", "Lever Arch File", {"A4 Black", "A4 Blue", "A4 Red", "Foolscap Black", "A4 Marbled", "A4 Polypropylene"}},
    {"LAB", "Address Labels", {"21 per Sheet", "14 per Sheet", "8 per Sheet", "Single Sheet", "65 per Sheet", "Clear 21 per Sheet"}},
    {"NTB", "Notebook", {"A4 Ruled", "A5 Ruled", "Reporters Pad", "Spiral A4", "Hardback A4", "Shorthand"}},
    {"STK", "Sticky Notes", {"76x76 Yellow", "76x127 Yellow", "38x51 Yellow", "76x76 Neon", "Index Tabs", "Page Markers"}},
    {"CHR", "Office Chair", {"Operator Black", "Operator Blue", "Executive Leather", "Mesh Back", "Visitor Stacking", "Draughtsman"}},
    {"DSK", "Desk", {"Straight 1200mm", "Straight 1600mm", "Wave Left Hand", "Wave Right Hand", "Corner Workstation", "Height Adjustable"}},
    {"CAB", "Filing Cabinet", {"2 Drawer Grey", "3 Drawer Grey", "4 Drawer Grey", "4 Drawer Black", "Cupboard 1800mm", "Pedestal 3 Drawer"}},
    {"USB", "USB Memory Stick", {"16GB", "32GB", "64GB", "128GB", "256GB", "Twin Pack 32GB"}},
    {"SHR", "Shredder", {"Cross Cut 8 Sheet", "Cross Cut 12 Sheet", "Micro Cut 10 Sheet", "Strip Cut 20 Sheet", "Shredder Bags 100", "Shredder Oil"}},
};

// Items that are not stocked (type 1) and services (type 2): never reported on.
constexpr const char* kNonStock[] = {"Delivery Charge", "Furniture Assembly", "Special Order Item",
                                     "Printer Servicing", "Installation Service", "Design Work"};

}  // namespace

void MakeStock(DemoBuilder& b)
{
    DemoRandom& r = b.Random();
    const int count = kItemsPerScale * b.Scale();
    const int familyCount = int(std::size(kFamilies));
    Record rec = Blank(kStockLength);
    int serial[std::size(kFamilies)] = {};
    for (int i = 0; i < count; ++i) {
        std::fill(rec.begin(), rec.end(), 0);
        uint8_t* p = rec.data();
        const uint32_t recno = uint32_t(i + 1);
        char code[32];
        std::string description;
        uint8_t type = 0;
        if (i % 50 == 10) {
            type = uint8_t(1 + (i / 50) % 2);
            std::snprintf(code, sizeof code, "S%s-%05d", type == 1 ? "NS" : "SV", i);
            description = kNonStock[(i / 50) % std::size(kNonStock)];
        } else {
            const int f = i % familyCount;
            const Family& family = kFamilies[f];
            const int n = serial[f]++;
            std::snprintf(code, sizeof code, "%s-%05d", family.prefix, n + 1);
            description = std::string(family.description) + " " + family.variants[n % 6];
            if (n >= 6) description += " (Pack of " + std::to_string(5 * (1 + n / 6 % 20)) + ")";
        }
        SetText(p, kStockCode, code);
        SetText(p, kStockDescription, description);
        SetU8(p, kStockItemType, type);

        // Stock levels by position, so every level turns up; the amounts vary with the seed.
        double reorder = r.Chance(80) ? double(r.Between(2, 20) * 5) : 0.0;
        double inStock = reorder + double(r.Between(1, 200));
        double onOrder = 0, allocated = r.Chance(10) ? double(r.Between(1, 20)) : 0.0;
        switch (i % 20) {
        case 3: inStock = 0; reorder = double(r.Between(2, 10) * 5); break;  // out of stock
        case 7: inStock = double(r.Between(1, int(reorder > 5 ? reorder : 10))); reorder = std::max(reorder, inStock); break;
        case 11: inStock = reorder = double(r.Between(2, 8) * 5); break;  // exactly at reorder
        case 13: inStock = -double(r.Between(1, 4)); reorder = 10; break;  // sold before booked in
        case 17: inStock = 0; reorder = 0; break;  // discontinued line, none left
        }
        if (i % 20 == 3 || i % 20 == 7 || i % 20 == 13 || i % 6 == 5)
            onOrder = double(r.Between(1, 12) * 10);
        if (i % 8 == 2) allocated = double(r.Between(1, 30));
        if (type) inStock = reorder = 0;
        SetF64(p, kStockReorderLevel, reorder);
        SetF64(p, kStockQuantityInStock, inStock);
        SetF64(p, kStockQuantityOnOrder, onOrder);
        SetF64(p, kStockQuantityAllocated, allocated);
        b.Put(kFileStock, recno, rec);
        const StockKey key = BuildStockKey(code, recno);
        b.Key(kFileStockIndex, key.data(), recno);
    }
    b.Report("stock: " + Count(count) + " items");
}

}  // namespace kelo::demo
