#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace kelo {

// How a column's value is stored in a packed row.
enum class ColumnKind {
    Text,    // `length` bytes, NUL-terminated inside them
    UInt32,  // 4 bytes, unsigned, little-endian
    Amount,  // 8-byte double, shown with `decimals` decimals (2)
};

// One column of a list: the list-column resource of a page, one record per column.
struct CKColumn {
    QString title;          // may be empty; an untitled column can still be shown
    ColumnKind kind = ColumnKind::Text;
    int displayWidth = 0;   // in average characters
    int length = 0;         // bytes in the row: the text length (terminator included), 4 or 8
    int decimals = 0;       // 2 on amounts
    bool hidden = false;    // carried in the row but not shown
    uint16_t flags = 0;     // the resource's column flags, kept for the page; the list ignores them
    QString name;           // stable field name for tools and exports ("category"); may be empty
    bool date = false;      // a text column holding dd/mm/yyyy dates: sorts by the date

    static CKColumn Text(const QString& title, int displayWidth, int length);
    // A text column whose texts are dates as DateNumberToFullString writes them.
    static CKColumn Date(const QString& title, int displayWidth, int length);

    static CKColumn UInt32(const QString& title, int displayWidth);
    static CKColumn Amount(const QString& title, int displayWidth, int decimals = 2);
    static CKColumn HiddenText(int length);
    static CKColumn HiddenUInt32();
    // This column with a field name, for the hidden fields that have no caption.
    CKColumn Named(const QString& fieldName) const;
    // This column with the page resource's column flags.
    CKColumn Flagged(uint16_t columnFlags) const;
};

// The columns of a list and the layout of its packed rows: each column's field follows the one
// before with no padding. Row bytes are read and written through these accessors only; all of
// them need a row of RowSize() bytes and a valid column of the right kind, and throw
// std::out_of_range / std::invalid_argument otherwise. Text bytes are shown as Latin-1.
class CKColumnSet final {
public:
    CKColumnSet() = default;
    CKColumnSet(std::initializer_list<CKColumn> columns);

    // Appends a column. Throws std::invalid_argument for a text length < 1.
    void Add(const CKColumn& column);

    int Count() const { return static_cast<int>(m_columns.size()); }
    const CKColumn& Column(int column) const;  // throws std::out_of_range
    int Offset(int column) const;              // byte offset of the column's field in a row
    int RowSize() const { return m_rowSize; }  // bytes of one packed row

    // Field readers. ReadText stops at the terminator or the field's end; trailing spaces kept.
    std::string ReadText(std::span<const uint8_t> row, int column) const;
    uint32_t ReadUInt32(std::span<const uint8_t> row, int column) const;
    double ReadAmount(std::span<const uint8_t> row, int column) const;
    // Field writers. WriteText cuts to length-1 bytes and zero-fills the rest.
    void WriteText(std::span<uint8_t> row, int column, std::string_view text) const;
    void WriteUInt32(std::span<uint8_t> row, int column, uint32_t value) const;
    void WriteAmount(std::span<uint8_t> row, int column, double value) const;

    // What the list shows for a field: the text, the number, the amount with its decimals.
    QString DisplayText(std::span<const uint8_t> row, int column) const;
    // The same as UTF-8, without a QString per cell (for exports of many rows).
    std::string DisplayUtf8(std::span<const uint8_t> row, int column) const;

private:
    void Check(std::span<const uint8_t> row, int column, ColumnKind kind) const;

    std::vector<CKColumn> m_columns;
    std::vector<int> m_offsets;
    int m_rowSize = 0;
};

}  // namespace kelo
