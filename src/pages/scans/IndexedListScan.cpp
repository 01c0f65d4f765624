#include "src/pages/scans/IndexedListScan.h"

#include <algorithm>
#include <vector>

#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"

namespace kelo {

namespace {

constexpr uint16_t kShownFlags = 0x0008;
constexpr uint16_t kNumberFlags = 0x0108;
constexpr uint8_t kDeletedByte = 0xFF;

int col(DocumentColumn c) { return static_cast<int>(c); }

}  // namespace

void ScanIndexedList(const ScanInput& input, ScanSink& sink, const IndexedList& list,
                     const CKColumnSet& columns, const ClassifyRecord& classify, BuildRow build)
{
    CDDataResourceManager resources(input.context);
    resources.GetResources().Add(list.resources(kResourceRead));
    resources.ObtainResources();
    DataContext& context = resources.Context();
    DataFile data = context.File(list.dataFile);
    DataFile index = context.File(list.indexFile);
    if (!FileExists(data) || !FileExists(index)) {
        resources.ReleaseResources();
        return;
    }

    std::vector<uint8_t> key(list.keyLength, 0);
    std::vector<uint8_t> record(list.recordLength, 0);
    std::vector<uint8_t> row(static_cast<size_t>(columns.RowSize()), 0);
    const int recordColumn = columns.Count() - 2;
    const int bitsColumn = columns.Count() - 1;
    auto next = [&] {
        for (;;) {
            const uint32_t recNo = NextRecord(data, index, key.data(), record.data(), 0);
            if (recNo == 0 || record[list.deletedMark.offset] != kDeletedByte) return recNo;
        }
    };
    for (uint32_t recNo = SearchRecord(data, index, key.data(), record.data(), 0);
         recNo != 0 && !sink.Stopped(); recNo = next()) {
        const uint32_t bits = classify(record.data());
        sink.CheckProgramDate();
        if (bits & input.category) {
            // Built only for rows that are offered: nothing else of it is ever seen.
            std::fill(row.begin(), row.end(), 0);
            build(record.data(), columns, row);
            columns.WriteUInt32(row, recordColumn, recNo);
            columns.WriteUInt32(row, bitsColumn, bits);
            sink.AddRow(row);
        }
        sink.Yield();
    }
    resources.ReleaseResources();
}

uint32_t IndexedRowRecord(const CKColumnSet& columns, std::span<const uint8_t> row)
{
    return columns.ReadUInt32(row, columns.Count() - 2);
}

uint32_t IndexedRowBits(const CKColumnSet& columns, std::span<const uint8_t> row)
{
    return columns.ReadUInt32(row, columns.Count() - 1);
}

const CKColumnSet& DocumentColumns()
{
    static const CKColumnSet columns{
        CKColumn::UInt32("No.", 8).Named("no").Flagged(kNumberFlags),
        CKColumn::Date("Date", 13, 11).Flagged(kShownFlags),
        CKColumn::Text("Name", 31, 61).Flagged(kShownFlags),
        CKColumn::Amount("Amount", 15).Flagged(kNumberFlags),
        CKColumn::HiddenUInt32().Named("record_number"),
        CKColumn::HiddenUInt32().Named("category"),
    };
    return columns;
}

void WriteDocumentRow(std::span<uint8_t> row, uint32_t number, uint16_t date,
                      std::string_view name, double value)
{
    const CKColumnSet& columns = DocumentColumns();
    columns.WriteUInt32(row, col(DocumentColumn::Number), number);
    columns.WriteText(row, col(DocumentColumn::Date), DateNumberToFullString(date));
    columns.WriteText(row, col(DocumentColumn::Name), name);
    columns.WriteAmount(row, col(DocumentColumn::Amount), value);
}

}  // namespace kelo
