#include "tools/kelo-data/RecordJson.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QString>

#include "tools/kelo-data/ToolError.h"

namespace kelo::tool {

namespace {

std::string toHex(const uint8_t* p, uint32_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    s.reserve(n * 2);
    for (uint32_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void badValue(const Field& f, const std::string& why)
{
    throw ToolError("field " + std::string(f.name) + ": " + why);
}

long long integerOf(const Field& f, const QJsonValue& v, long long min, long long max)
{
    if (!v.isDouble()) badValue(f, "expected a whole number");
    const double d = v.toDouble();
    if (d != std::floor(d) || d < double(min) || d > double(max))
        badValue(f, "expected a whole number from " + std::to_string(min) + " to " +
                        std::to_string(max));
    return static_cast<long long>(d);
}

}  // namespace

QJsonObject RecordToJson(const Layout& layout, const uint8_t* rec)
{
    QJsonObject o;
    for (const Field& f : layout.fields) {
        const QString name = QString::fromLatin1(f.name);
        switch (f.type) {
        case FieldType::Text: o[name] = QString::fromLatin1(GetText(rec, f)); break;
        case FieldType::Bytes: o[name] = QString::fromLatin1(toHex(rec + f.offset, f.width)); break;
        case FieldType::U8: o[name] = GetU8(rec, f); break;
        case FieldType::I8: o[name] = GetI8(rec, f); break;
        case FieldType::U16: o[name] = GetU16(rec, f); break;
        case FieldType::I16: o[name] = GetI16(rec, f); break;
        case FieldType::U32: o[name] = double(GetU32(rec, f)); break;
        case FieldType::I32: o[name] = GetI32(rec, f); break;
        case FieldType::F64: o[name] = GetF64(rec, f); break;
        }
    }
    return o;
}

void JsonToRecord(const Layout& layout, const QJsonObject& object, uint8_t* rec)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string name = it.key().toStdString();
        if (name == "record_number" || name == "deleted") continue;
        const Field* f = layout.Find(name);
        if (!f) throw ToolError("no field " + name + " in a " + layout.name + " record");
        const QJsonValue v = it.value();
        switch (f->type) {
        case FieldType::Text: {
            if (!v.isString()) badValue(*f, "expected a string");
            const QString given = v.toString();
            for (const QChar ch : given)
                if (ch.unicode() > 0xFF)
                    badValue(*f, "\"" + given.toStdString() +
                                     "\" holds a character outside Latin-1, the records' "
                                     "character set (" + QString(ch).toStdString() + ")");
            const QByteArray text = given.toLatin1();
            if (text.contains('\0')) badValue(*f, "text holds a NUL");
            if (uint32_t(text.size()) > f->width - 1)
                badValue(*f, "text longer than " + std::to_string(f->width - 1) + " characters");
            SetText(rec, *f, std::string_view(text.constData(), size_t(text.size())));
            break;
        }
        case FieldType::Bytes: {
            const std::string hex = v.toString().toStdString();
            if (!v.isString() || hex.size() != size_t(f->width) * 2)
                badValue(*f, "expected " + std::to_string(f->width * 2) + " hex digits");
            for (uint32_t i = 0; i < f->width; ++i) {
                const int hi = hexDigit(hex[2 * i]), lo = hexDigit(hex[2 * i + 1]);
                if (hi < 0 || lo < 0) badValue(*f, "expected hex digits");
                rec[f->offset + i] = uint8_t(hi * 16 + lo);
            }
            break;
        }
        case FieldType::U8: SetU8(rec, *f, uint8_t(integerOf(*f, v, 0, 255))); break;
        case FieldType::I8: SetI8(rec, *f, int8_t(integerOf(*f, v, -128, 127))); break;
        case FieldType::U16: SetU16(rec, *f, uint16_t(integerOf(*f, v, 0, 65535))); break;
        case FieldType::I16: SetI16(rec, *f, int16_t(integerOf(*f, v, -32768, 32767))); break;
        case FieldType::U32:
            SetU32(rec, *f, uint32_t(integerOf(*f, v, 0, std::numeric_limits<uint32_t>::max())));
            break;
        case FieldType::I32:
            SetI32(rec, *f,
                   int32_t(integerOf(*f, v, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max())));
            break;
        case FieldType::F64:
            if (!v.isDouble()) badValue(*f, "expected a number");
            SetF64(rec, *f, v.toDouble());
            break;
        }
    }
}

std::vector<QString> ObjectKeys(std::string_view json)
{
    std::vector<QString> keys;
    int depth = 0;
    bool expectKey = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            size_t end = i + 1;
            while (end < json.size() && json[end] != '"') end += json[end] == '\\' ? 2 : 1;
            if (depth == 1 && expectKey) {
                // The parser decodes the key's escapes, so "n\u0061me" is seen as "name".
                const std::string quoted = "[" + std::string(json.substr(i, end - i + 1)) + "]";
                keys.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(quoted))
                                   .array()
                                   .at(0)
                                   .toString());
                expectKey = false;
            }
            i = end;
        } else if (c == '{' || c == '[') {
            ++depth;
            expectKey = c == '{' && depth == 1;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',' && depth == 1) {
            expectKey = true;
        }
    }
    return keys;
}

std::string FieldText(const Field& f, const uint8_t* rec)
{
    char buf[64];
    switch (f.type) {
    case FieldType::Text: return "\"" + GetText(rec, f) + "\"";
    case FieldType::Bytes: return toHex(rec + f.offset, f.width);
    case FieldType::U8: return std::to_string(GetU8(rec, f));
    case FieldType::I8: return std::to_string(GetI8(rec, f));
    case FieldType::U16: return std::to_string(GetU16(rec, f));
    case FieldType::I16: return std::to_string(GetI16(rec, f));
    case FieldType::U32: return std::to_string(GetU32(rec, f));
    case FieldType::I32: return std::to_string(GetI32(rec, f));
    case FieldType::F64: std::snprintf(buf, sizeof buf, "%.15g", GetF64(rec, f)); return buf;
    }
    return {};
}

}  // namespace kelo::tool
