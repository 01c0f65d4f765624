#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/data/Field.h"
#include "host/framework/CDDataResources.h"

namespace kelo {

class DataContext;
class TaskServices;

// How a dialog or command writes a record that another desk may be using at the same time.
//
// The dialog keeps one CRecordWrite for the record it was opened on. The record number and the
// copy as read are held from the start, so a list that refills meanwhile can never send the
// write to another row:
//
//     CRecordWrite m_write{services, CBToDo::GetStaticResourcesFor(kResourceSave), kFileToDo,
//                          &ReadToDoWithNotes};
//     // opening, inside the read bracket:
//     m_write.HoldAsRead(manager.Context(), recNo);
//     // OK:
//     switch (m_write.Save([&](DataContext& files, bool vanished) { ...write... })) {
//     case CRecordWrite::Result::Written:   update the list by record number; close
//     case CRecordWrite::Result::Discarded: close; the page lists what the other user saved
//     case CRecordWrite::Result::Cancelled: stay in the dialog; nothing was written
//     }
//
// Save and Delete take the record lock (LockRec), re-read the record and compare it with the
// copy. A lock held by another user is a message and no write. A record that another user
// changed or deleted meanwhile is a question (asked outside any transaction, with the lock
// held): overwrite, or leave theirs. Then `write` runs inside the save (or delete) bracket with
// the lock still held, and the lock goes after the commit. A record number of 0 (a new record)
// runs `write` in the bracket with no lock and no check. UI thread only.
class CRecordWrite final {
public:
    enum class Result {
        Written,    // `write` ran and committed
        Cancelled,  // nothing written; the user goes back to the dialog (or the lock was held)
        Discarded,  // nothing written; the user keeps the other user's record, or it is gone
    };

    // What is compared: the record's bytes and whatever else the dialog shows of it (its notes,
    // say). Runs inside the bracket it is handed. Empty when the record is gone (never written,
    // or deleted: first byte 0xFF).
    using Reader = std::function<std::vector<uint8_t>(DataContext& files, uint32_t recNo)>;
    // The write itself, inside the bracket. `vanished` is true when the record was deleted by
    // another user and this user chose to save it again (its index key must be added afresh).
    using Writer = std::function<void(DataContext& files, bool vanished)>;

    // `resources` is the bracket of the write (save or delete mode); `dataFile` the file number
    // the record lives in (its locks are that file's). An empty reader compares the record only.
    CRecordWrite(TaskServices& services, CDDataResources resources, int dataFile,
                 Reader reader = {});

    // The record the dialog was opened on and its copy as read. recNo 0: a new record.
    void Hold(uint32_t recNo, std::vector<uint8_t> asRead);
    // Reads the copy through the reader inside the caller's bracket, holds it and returns it
    // (empty when the record is gone).
    const std::vector<uint8_t>& HoldAsRead(DataContext& files, uint32_t recNo);

    // The same in a read bracket of its own (a delete holds the record as the question is asked).
    const std::vector<uint8_t>& HoldCurrent(uint32_t recNo);

    uint32_t RecordNumber() const { return m_recNo; }
    const std::vector<uint8_t>& AsRead() const { return m_asRead; }

    // OK of an edit. Asks 61291 (changed: Yes overwrite, No discard, Cancel go back) or 61292
    // (deleted: Yes save it again, ...). Afterwards the copy is the record as written.
    Result Save(const Writer& write);
    // A delete. Asks 61293 when the record changed (Yes delete, No leave it), says 61294 when it
    // is already gone (Discarded, nothing runs).
    Result Delete(const Writer& write);

    // The reader that compares the record's bytes alone.
    static Reader RecordBytes(int dataFile);
    // The record's bytes followed by the text of its notes block (the block number is the
    // record's field `notesBlock`, -1 for none), for dialogs that edit the notes too.
    static Reader RecordWithNotes(int dataFile, int notesFile, const Field& notesBlock);

    // Message ids of the string table.
    static constexpr int kLockedByOther = 61290;
    static constexpr int kChangedOnSave = 61291;
    static constexpr int kDeletedOnSave = 61292;
    static constexpr int kChangedOnDelete = 61293;
    static constexpr int kDeletedOnDelete = 61294;

private:
    Result Run(const Writer& write, bool deleting);
    std::vector<uint8_t> ReadNow() const;
    // Compares the record as it is now with `expected`; asks when they differ. Sets `vanished`
    // and `expected` to what the user agreed to write over.
    Result Confirm(std::vector<uint8_t>& expected, bool& vanished, bool deleting);

    TaskServices& m_services;
    CDDataResources m_resources;
    int m_dataFile;
    Reader m_reader;
    uint32_t m_recNo = 0;
    std::vector<uint8_t> m_asRead;
};

}  // namespace kelo
