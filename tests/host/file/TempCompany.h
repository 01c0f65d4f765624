#pragma once

#include <filesystem>
#include <string>

#include "host/file/DataContext.h"

namespace kelo::test {

// A company made empty in a fresh temporary folder, removed again with the fixture.
class TempCompany {
public:
    TempCompany();
    ~TempCompany();
    const std::string& Folder() const { return m_folder; }
    DataContext& Context() { return m_ctx; }

private:
    std::string m_folder;
    DataContext m_ctx;
};

// Stores `bytes` as record `recno` of data file `number` beneath the record API, which refuses
// damage such as a wrong length: for tests of what readers and checks make of damaged data.
void PlantRawRecord(DataContext& ctx, int number, uint32_t recno, const std::string& bytes);
// The bytes a record is stored as (compressed, behind its checksum); empty when there is none.
std::string StoredRecord(DataContext& ctx, int number, uint32_t recno);

}  // namespace kelo::test
