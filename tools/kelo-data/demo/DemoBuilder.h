#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/file/DataContext.h"
#include "host/framework/CDDataResourceManager.h"
#include "tools/kelo-data/demo/DemoCompany.h"
#include "tools/kelo-data/demo/DemoRandom.h"

namespace kelo::demo {

using Record = std::vector<uint8_t>;

// A customer or supplier as the later families need it (orders, reminders, recurring entries).
struct DemoAccount {
    std::string code;
    std::string name;
    uint32_t recno = 0;
    uint32_t chain = 0;  // its audit-trail chain, until the trail is posted
};

// What the families share while the demo company is made: the context, the random source, the
// program date, the accounts made so far, and writes batched into large transactions.
class DemoBuilder final {
public:
    DemoBuilder(DataContext& ctx, const DemoOptions& options);
    ~DemoBuilder();  // an unfinished batch is abandoned
    DemoBuilder(const DemoBuilder&) = delete;
    DemoBuilder& operator=(const DemoBuilder&) = delete;

    DemoRandom& Random() { return m_random; }
    int Scale() const { return m_scale; }
    uint16_t Today() const { return m_today; }
    // The program date moved by `days`, kept inside the date numbers.
    uint16_t Day(int days) const;

    // Writes go to the open batch, which is committed every so many records.
    void Put(int file, uint32_t recno, const Record& rec);
    void Key(int index, const void* key, uint32_t recno);
    // Reads a record back, written batch included.
    Record Get(int file, uint32_t recno);
    int32_t Notes(const std::string& text);
    // Commits the open batch.
    void Finish();

    void Report(const std::string& line);

    std::vector<DemoAccount> customers;
    std::vector<DemoAccount> suppliers;

private:
    void Open();
    void Wrote();

    DataContext& m_ctx;
    DemoRandom m_random;
    int m_scale;
    uint16_t m_today;
    std::function<void(const std::string&)> m_progress;
    std::unique_ptr<CDDataResourceManager> m_batch;
    uint32_t m_pending = 0;
};

// Blank record of the given length.
inline Record Blank(uint32_t length) { return Record(length, 0); }

// A count with thousands separators for progress lines ("1,000,000").
std::string Count(uint64_t n);

}  // namespace kelo::demo
