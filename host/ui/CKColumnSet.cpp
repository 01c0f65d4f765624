#include "host/ui/CKColumnSet.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace kelo {

CKColumn CKColumn::Text(const QString& title, int displayWidth, int length)
{
    return CKColumn{title, ColumnKind::Text, displayWidth, length, 0, false, 0, {}, false};
}

CKColumn CKColumn::Date(const QString& title, int displayWidth, int length)
{
    CKColumn c = Text(title, displayWidth, length);
    c.date = true;
    return c;
}

CKColumn CKColumn::UInt32(const QString& title, int displayWidth)
{
    return CKColumn{title, ColumnKind::UInt32, displayWidth, 4, 0, false, 0, {}, false};
}

CKColumn CKColumn::Amount(const QString& title, int displayWidth, int decimals)
{
    return CKColumn{title, ColumnKind::Amount, displayWidth, 8, decimals, false, 0, {}, false};
}

CKColumn CKColumn::HiddenText(int length)
{
    return CKColumn{QString(), ColumnKind::Text, 0, length, 0, true, 0, {}, false};
}

CKColumn CKColumn::HiddenUInt32()
{
    return CKColumn{QString(), ColumnKind::UInt32, 0, 4, 0, true, 0, {}, false};
}

CKColumnSet::CKColumnSet(std::initializer_list<CKColumn> columns)
{
    for (const CKColumn& c : columns) Add(c);
}

void CKColumnSet::Add(const CKColumn& column)
{
    CKColumn c = column;
    // The field width follows from the kind for numbers, so a hand-built column cannot disagree.
    if (c.kind == ColumnKind::UInt32) c.length = 4;
    if (c.kind == ColumnKind::Amount) c.length = 8;
    if (c.length < 1) throw std::invalid_argument("list column: text length must be at least 1");
    m_columns.push_back(c);
    m_offsets.push_back(m_rowSize);
    m_rowSize += c.length;
}

const CKColumn& CKColumnSet::Column(int column) const
{
    if (column < 0 || column >= Count()) throw std::out_of_range("list column out of range");
    return m_columns[static_cast<size_t>(column)];
}

int CKColumnSet::Offset(int column) const
{
    Column(column);
    return m_offsets[static_cast<size_t>(column)];
}

void CKColumnSet::Check(std::span<const uint8_t> row, int column, ColumnKind kind) const
{
    if (Column(column).kind != kind)
        throw std::invalid_argument("list column is of another kind");
    if (static_cast<int>(row.size()) < m_rowSize)
        throw std::invalid_argument("list row shorter than its column set");
}

std::string CKColumnSet::ReadText(std::span<const uint8_t> row, int column) const
{
    Check(row, column, ColumnKind::Text);
    const char* p = reinterpret_cast<const char*>(row.data() + Offset(column));
    return std::string(p, strnlen(p, static_cast<size_t>(Column(column).length)));
}

uint32_t CKColumnSet::ReadUInt32(std::span<const uint8_t> row, int column) const
{
    Check(row, column, ColumnKind::UInt32);
    uint32_t v;
    std::memcpy(&v, row.data() + Offset(column), sizeof v);
    return v;
}

double CKColumnSet::ReadAmount(std::span<const uint8_t> row, int column) const
{
    Check(row, column, ColumnKind::Amount);
    double v;
    std::memcpy(&v, row.data() + Offset(column), sizeof v);
    return v;
}

void CKColumnSet::WriteText(std::span<uint8_t> row, int column, std::string_view text) const
{
    Check(row, column, ColumnKind::Text);
    const size_t width = static_cast<size_t>(Column(column).length);
    uint8_t* p = row.data() + Offset(column);
    const size_t n = std::min(width - 1, text.size());
    std::memset(p, 0, width);
    std::memcpy(p, text.data(), n);
}

void CKColumnSet::WriteUInt32(std::span<uint8_t> row, int column, uint32_t value) const
{
    Check(row, column, ColumnKind::UInt32);
    std::memcpy(row.data() + Offset(column), &value, sizeof value);
}

void CKColumnSet::WriteAmount(std::span<uint8_t> row, int column, double value) const
{
    Check(row, column, ColumnKind::Amount);
    std::memcpy(row.data() + Offset(column), &value, sizeof value);
}

QString CKColumnSet::DisplayText(std::span<const uint8_t> row, int column) const
{
    return QString::fromStdString(DisplayUtf8(row, column));
}

std::string CKColumnSet::DisplayUtf8(std::span<const uint8_t> row, int column) const
{
    const CKColumn& c = Column(column);
    switch (c.kind) {
    case ColumnKind::Text: {
        std::string out;
        for (unsigned char ch : ReadText(row, column)) {
            if (ch < 0x80) {
                out += char(ch);
            } else {  // Latin-1 to UTF-8
                out += char(0xC0 | (ch >> 6));
                out += char(0x80 | (ch & 0x3F));
            }
        }
        return out;
    }
    case ColumnKind::UInt32:
        return std::to_string(ReadUInt32(row, column));
    case ColumnKind::Amount: {
        char buf[64];
        const int n = std::snprintf(buf, sizeof buf, "%.*f", c.decimals, ReadAmount(row, column));
        std::string s(buf, n > 0 ? size_t(n) : 0);
        // A small negative amount rounds to "-0.00"; show it as the zero it is.
        if (!s.empty() && s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos)
            s.erase(0, 1);
        return s;
    }
    }
    return {};
}

CKColumn CKColumn::Named(const QString& fieldName) const
{
    CKColumn c = *this;
    c.name = fieldName;
    return c;
}

CKColumn CKColumn::Flagged(uint16_t columnFlags) const
{
    CKColumn c = *this;
    c.flags = columnFlags;
    return c;
}

}  // namespace kelo
