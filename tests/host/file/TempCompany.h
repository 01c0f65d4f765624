#pragma once

#include <filesystem>
#include <string>

#include "host/file/DataContext.h"

namespace kelo::test {

// Where a test company goes: a fresh temporary folder, or with KELO_TEST_STORE naming a test
// cluster's admin URL, a fresh database there (its URL). Removed again by RemoveCompany.
std::string NewCompanyLocation();
void RemoveCompany(const std::string& location);
// The test cluster's admin URL; empty when the tests run on LMDB.
std::string TestStoreUrl();

// A company made empty in a fresh temporary folder (or test database), removed with the fixture.
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
