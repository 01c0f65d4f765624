#include "tools/kelo-data/demo/DemoBuilder.h"

#include <algorithm>

#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/util/ProgramDate.h"

namespace kelo::demo {

namespace {

// Records per transaction: large enough that commits cost little, small enough that LMDB's
// dirty pages of one transaction stay in memory.
constexpr uint32_t kBatchRecords = 50000;

}  // namespace

DemoBuilder::DemoBuilder(DataContext& ctx, const DemoOptions& options)
    : m_ctx(ctx), m_random(options.seed), m_scale(std::max(1, options.scale)),
      m_today(options.date ? options.date : GetProgramDate()), m_progress(options.progress)
{
}

DemoBuilder::~DemoBuilder() = default;

uint16_t DemoBuilder::Day(int days) const
{
    return uint16_t(std::clamp(int(m_today) + days, 1, 65535));
}

void DemoBuilder::Wrote()
{
    if (++m_pending >= kBatchRecords) Finish();
}

void DemoBuilder::Open()
{
    if (m_batch) return;
    m_batch = std::make_unique<CDDataResourceManager>(m_ctx);
    m_batch->GetResources().AddDataFile(kFileSetup, kResourceSave);
    m_batch->ObtainResources();
}

void DemoBuilder::Put(int file, uint32_t recno, const Record& rec)
{
    Open();
    WriteRec(m_ctx.File(file), recno, rec.data());
    Wrote();
}

Record DemoBuilder::Get(int file, uint32_t recno)
{
    Open();
    DataFile f = m_ctx.File(file);
    Record rec(f->recordLength, 0);
    if (!ReadRec(f, recno, rec.data()))
        throw FileError("the demo lost record " + std::to_string(recno) + " of " + f->path);
    return rec;
}

void DemoBuilder::Key(int index, const void* key, uint32_t recno)
{
    Open();
    AddKey(m_ctx.File(index), key, recno, 0, 1);
    Wrote();
}

int32_t DemoBuilder::Notes(const std::string& text)
{
    Open();
    const int32_t block =
        WriteMemoBlock(m_ctx.File(kFileToDoNotes), text.c_str(), uint32_t(text.size() + 1), -1);
    Wrote();
    return block;
}

void DemoBuilder::Finish()
{
    if (m_batch) m_batch->ReleaseResources();
    m_batch.reset();
    m_pending = 0;
}

void DemoBuilder::Report(const std::string& line)
{
    if (m_progress) m_progress(line);
}

std::string Count(uint64_t n)
{
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace kelo::demo
