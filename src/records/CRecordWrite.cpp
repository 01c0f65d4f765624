#include "src/records/CRecordWrite.h"

#include <utility>

#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKMessageBox.h"
#include "src/app/TaskServices.h"

namespace kelo {

namespace {

// Holds a record lock until it goes out of scope, whatever way the write ends.
class HeldLock final {
public:
    HeldLock(DataFile file, uint32_t recNo) : m_file(file), m_recNo(recNo) {}
    ~HeldLock() { UnLockRec(m_file, m_recNo); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    DataFile m_file;
    uint32_t m_recNo;
};

CDDataResources ReadOnly(const CDDataResources& resources)
{
    CDDataResources read;
    for (const CDDataResources::Item& item : resources.Items()) {
        if (item.index) read.AddIndexFile(item.file, kResourceRead);
        else read.AddDataFile(item.file, kResourceRead);
    }
    return read;
}

}  // namespace

CRecordWrite::CRecordWrite(TaskServices& services, CDDataResources resources, int dataFile,
                           Reader reader)
    : m_services(services),
      m_resources(std::move(resources)),
      m_dataFile(dataFile),
      m_reader(reader ? std::move(reader) : RecordBytes(dataFile))
{
}

CRecordWrite::Reader CRecordWrite::RecordBytes(int dataFile)
{
    return [dataFile](DataContext& files, uint32_t recNo) {
        DataFile file = files.File(dataFile);
        std::vector<uint8_t> rec(file->recordLength, 0);
        if (rec.empty() || ReadRec(file, recNo, rec.data()) == 0 || rec[0] == 0xFF) rec.clear();
        return rec;
    };
}

CRecordWrite::Reader CRecordWrite::RecordWithNotes(int dataFile, int notesFile,
                                                   const Field& notesBlock)
{
    return [dataFile, notesFile, notesBlock](DataContext& files, uint32_t recNo) {
        std::vector<uint8_t> rec = RecordBytes(dataFile)(files, recNo);
        if (rec.empty()) return rec;
        const std::string notes = ReadMemoText(files.File(notesFile), GetI32(rec.data(), notesBlock));
        rec.insert(rec.end(), notes.begin(), notes.end());
        return rec;
    };
}

void CRecordWrite::Hold(uint32_t recNo, std::vector<uint8_t> asRead)
{
    m_recNo = recNo;
    m_asRead = std::move(asRead);
}

const std::vector<uint8_t>& CRecordWrite::HoldAsRead(DataContext& files, uint32_t recNo)
{
    Hold(recNo, recNo != 0 ? m_reader(files, recNo) : std::vector<uint8_t>{});
    return m_asRead;
}

const std::vector<uint8_t>& CRecordWrite::HoldCurrent(uint32_t recNo)
{
    m_recNo = recNo;
    m_asRead = recNo != 0 ? ReadNow() : std::vector<uint8_t>{};
    return m_asRead;
}

CRecordWrite::Result CRecordWrite::Save(const Writer& write) { return Run(write, false); }

CRecordWrite::Result CRecordWrite::Delete(const Writer& write) { return Run(write, true); }

std::vector<uint8_t> CRecordWrite::ReadNow() const
{
    CDDataResourceManager manager(m_services.Context());
    manager.GetResources().Add(ReadOnly(m_resources));
    manager.ObtainResources();
    std::vector<uint8_t> now = m_reader(manager.Context(), m_recNo);
    manager.ReleaseResources();
    return now;
}

CRecordWrite::Result CRecordWrite::Confirm(std::vector<uint8_t>& expected, bool& vanished,
                                           bool deleting)
{
    std::vector<uint8_t> now = ReadNow();
    vanished = now.empty();
    if (deleting && vanished) {
        m_services.TaskMessageBoxId(kDeletedOnDelete, MsgKind::Information);
        return Result::Discarded;
    }
    if (now == expected) return Result::Written;

    if (deleting) {
        if (m_services.TaskMessageBoxId(kChangedOnDelete, MsgKind::YesNo) !=
            static_cast<int>(MsgAnswer::Yes))
            return Result::Discarded;
    } else {
        const int answer = m_services.TaskMessageBoxId(
            vanished ? kDeletedOnSave : kChangedOnSave, MsgKind::YesNoCancel);
        if (answer == static_cast<int>(MsgAnswer::No)) return Result::Discarded;
        if (answer != static_cast<int>(MsgAnswer::Yes)) return Result::Cancelled;
    }
    expected = std::move(now);
    return Result::Written;
}

CRecordWrite::Result CRecordWrite::Run(const Writer& write, bool deleting)
{
    DataContext& context = m_services.Context();
    if (m_recNo == 0) {
        if (deleting) return Result::Discarded;
        CDDataResourceManager manager(context);
        manager.GetResources().Add(m_resources);
        manager.ObtainResources();
        write(manager.Context(), false);
        manager.ReleaseResources();
        return Result::Written;
    }

    DataFile file = context.File(m_dataFile);
    if (LockRec(file, m_recNo) == 0) {
        m_services.TaskMessageBoxId(kLockedByOther, MsgKind::Exclamation);
        return Result::Cancelled;
    }
    HeldLock lock(file, m_recNo);

    std::vector<uint8_t> expected = m_asRead;
    bool vanished = false;
    for (;;) {
        // The question runs a message loop, so it is asked before the write transaction opens.
        if (const Result r = Confirm(expected, vanished, deleting); r != Result::Written) return r;

        CDDataResourceManager manager(context);
        manager.GetResources().Add(m_resources);
        manager.ObtainResources();
        // A writer that does not take record locks may have come in since the question: ask
        // again about what is there now rather than write over it unseen.
        if (m_reader(manager.Context(), m_recNo) != expected) {
            manager.AbandonResources();
            continue;
        }
        write(manager.Context(), vanished);
        std::vector<uint8_t> written =
            deleting ? std::vector<uint8_t>{} : m_reader(manager.Context(), m_recNo);
        manager.ReleaseResources();
        m_asRead = std::move(written);
        return Result::Written;
    }
}

}  // namespace kelo
