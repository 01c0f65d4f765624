// One line of a `kelo-data import` file into every layout: refused with a message or written
// within the record, never past it.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "host/data/Layouts.h"
#include "tools/kelo-data/RecordJson.h"
#include "tools/kelo-data/ToolError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QJsonParseError err;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(data), int(size)), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject()) return 0;
    const QJsonObject object = doc.object();
    for (const kelo::Layout* layout : kelo::AllLayouts()) {
        // A guard after the record: a write past the layout's length shows up there (and ASan
        // sees it in the heap block).
        std::vector<uint8_t> rec(layout->length + 16, 0xA5);
        try {
            kelo::tool::JsonToRecord(*layout, object, rec.data());
        } catch (const kelo::tool::ToolError&) {
        }
        for (size_t i = layout->length; i < rec.size(); ++i)
            if (rec[i] != 0xA5) std::abort();
    }
    return 0;
}
