#pragma once

// Records as JSON objects keyed by the layout's field names (docs/data-format.md): texts as
// strings without their padding, numbers as numbers, raw bytes as hex strings.

#include <cstdint>
#include <string>

#include <QJsonObject>

#include "host/data/Field.h"

namespace kelo::tool {

// Every named field of the record.
QJsonObject RecordToJson(const Layout& layout, const uint8_t* rec);

// Writes the fields named in `object` into rec; "record_number" and "deleted" are skipped.
// Throws ToolError naming the field when a name is not in the layout or a value does not fit.
void JsonToRecord(const Layout& layout, const QJsonObject& object, uint8_t* rec);

// One field's value as text for the plain dump.
std::string FieldText(const Field& field, const uint8_t* rec);

}  // namespace kelo::tool
