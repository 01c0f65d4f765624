#pragma once

// Records as JSON objects keyed by the layout's field names (docs/data-format.md): texts as
// strings without their padding, numbers as numbers, raw bytes as hex strings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QJsonObject>

#include "host/data/Field.h"

namespace kelo::tool {

// Every named field of the record.
QJsonObject RecordToJson(const Layout& layout, const uint8_t* rec);

// Writes the fields named in `object` into rec; "record_number" and "deleted" are skipped.
// Throws ToolError naming the field when a name is not in the layout or a value does not fit;
// a text must keep to Latin-1, the records' character set.
void JsonToRecord(const Layout& layout, const QJsonObject& object, uint8_t* rec);

// The keys of the outermost object of a JSON text that parses, in their order, escapes decoded;
// a key given twice is listed twice (the parser keeps only the last value).
std::vector<QString> ObjectKeys(std::string_view json);

// One field's value as text for the plain dump.
std::string FieldText(const Field& field, const uint8_t* rec);

}  // namespace kelo::tool
