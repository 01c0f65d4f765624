// Stored records as the tools decode them: any bytes, under every layout, turn into fields and
// JSON without reading past the record.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "host/data/Layouts.h"
#include "tools/kelo-data/RecordJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const auto layouts = kelo::AllLayouts();
    const kelo::Layout* layout = layouts[data[0] % layouts.size()];
    // Exactly the record's length on the heap, so a read past it is caught.
    auto rec = std::make_unique<uint8_t[]>(layout->length);
    std::memset(rec.get(), 0, layout->length);
    std::memcpy(rec.get(), data + 1, std::min<size_t>(size - 1, layout->length));
    (void)kelo::tool::RecordToJson(*layout, rec.get());
    for (const kelo::Field& f : layout->fields) (void)kelo::tool::FieldText(f, rec.get());
    return 0;
}
