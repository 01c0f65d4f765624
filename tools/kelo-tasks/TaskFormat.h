#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace kelo {

class CKColumnSet;

enum class OutputFormat { Table, Csv, Json };

// The rows of one category as a page lists them.
struct CategoryRows {
    std::string category;
    uint32_t bit = 0;
    std::vector<std::vector<uint8_t>> rows;
};

// The stable name of a column in CSV headers and JSON: the column's own name when it has one,
// else its caption in lower case with every run of other characters turned into "_"
// ("A/C" → "a_c"); an untitled column is "field_N" (N its position, from 1).
std::string ColumnKey(const CKColumnSet& columns, int column);

// Writes the categories of one task. Table and CSV show the visible columns; JSON names
// every field, hidden ones included. Table puts each category under its heading; CSV starts
// with a header row and adds a "category" column when more than one category is written.
void WriteRows(std::ostream& out, OutputFormat format, const std::string& task,
               const CKColumnSet& columns, const std::vector<CategoryRows>& categories);

// One record of a viewer: named fields in order, each a text or a number.
struct DetailField {
    std::string key;
    std::string label;
    std::string text;  // as shown
    bool numeric = false;
    double value = 0;
};

// Table: "Label: value" lines; CSV: a header of keys and one row; JSON: one object.
void WriteDetails(std::ostream& out, OutputFormat format, const std::vector<DetailField>& fields);

struct AccountDetails;
struct TransactionDetails;
// The Account Details viewer's fields and aged analysis, and the Transaction Details fields.
std::vector<DetailField> AccountFields(const AccountDetails& d);
std::vector<DetailField> TransactionFields(const TransactionDetails& d);
struct RecurringDetails;
// The Recurring Entry Properties viewer's fields, labelled as the viewer labels them for the
// entry's kind.
std::vector<DetailField> RecurringFields(const RecurringDetails& d);

// RFC 4180: quoted when the field holds a comma, a quote or a line break; quotes doubled.
std::string CsvField(const std::string& text);

}  // namespace kelo
