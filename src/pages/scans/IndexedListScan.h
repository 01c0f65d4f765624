#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "host/data/Field.h"
#include "host/framework/CDDataResources.h"
#include "src/pages/scans/ScanSink.h"

namespace kelo {

class CKColumnSet;

// What one of the read-only pages over an indexed host file (Invoices, Sales Orders, Purchase
// Orders, Stock) needs of its file: the resource set that brackets the walk, the data and
// index files, the record and key lengths, and the text field whose first byte 0xFF marks a
// deleted record.
struct IndexedList {
    CDDataResources (*resources)(int mode);
    int dataFile;
    int indexFile;
    uint32_t recordLength;
    uint32_t keyLength;
    Field deletedMark;
};

// The category bits of one record; 0 lists it nowhere.
using ClassifyRecord = std::function<uint32_t(const uint8_t* record)>;
// Writes the page's own fields of a listed record into a zeroed row; the walk adds the record
// number and the category bits, the row's last two fields.
using BuildRow = void (*)(const uint8_t* record, const CKColumnSet& columns, std::span<uint8_t> row);

// The fill these pages share: under the file's read resources, the first record by an
// all-zero key, then NextRecord to the end, passing over records reached by NextRecord that are
// marked deleted (the first record is not tested, as the host's pages never did). For each
// record: classify, check the program date, offer the row when its bits share one with the
// category value, yield; the walk ends as soon as the sink says stop. A company without the
// file (or its index) lists nothing.
void ScanIndexedList(const ScanInput& input, ScanSink& sink, const IndexedList& list,
                     const CKColumnSet& columns, const ClassifyRecord& classify, BuildRow build);

// The two trailing fields every such row carries.
uint32_t IndexedRowRecord(const CKColumnSet& columns, std::span<const uint8_t> row);
uint32_t IndexedRowBits(const CKColumnSet& columns, std::span<const uint8_t> row);

// The column set the Invoices, Sales Orders and Purchase Orders lists share (92-byte rows):
// "No.", "Date", "Name", "Amount", then the hidden record number and category bits.
enum class DocumentColumn { Number, Date, Name, Amount, RecordNumber, Bits, Count };
const CKColumnSet& DocumentColumns();
// Fills a document row's shown fields; the date is written as dd/mm/yyyy (empty for no date).
void WriteDocumentRow(std::span<uint8_t> row, uint32_t number, uint16_t date,
                      std::string_view name, double value);

}  // namespace kelo
