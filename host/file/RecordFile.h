#pragma once

// The record-file library: the calls every page, dialog and tool reads and writes records with.
// Each call runs in the open data-resource bracket's transaction, or in a short one of its own.
// Faults (a corrupt record, a backend error) throw kelo::FileError naming the file and record;
// "not found" is a 0 result, never an exception.

#include <cstdint>
#include <string>

#include "host/file/DataContext.h"

namespace kelo {

using DataFile = datafilemap*;

// Ledger codes of the account lookups.
inline constexpr int kLedgerSales = 256;
inline constexpr int kLedgerPurchases = 257;
inline constexpr int kLedgerNominal = 258;
inline constexpr int kLedgerBank = 260;

// Record numbers run from 1 to this; the checks and dumps that walk every number stay bounded.
inline constexpr uint32_t kMaxRecordNumber = 16'777'215;

// Data files: reads record `recno` (1-based) into buf (the descriptor's record length).
// Index files: reads the recno-th entry in key order as the key bytes followed by the
// 32-bit record number. Returns non-zero when read, 0 when there is no such record.
int ReadRec(DataFile f, uint32_t recno, void* buf);
// Writes the descriptor's record length from buf as record `recno`.
void WriteRec(DataFile f, uint32_t recno, const void* buf);
// The highest record number of a data file (records are 1..count); index files: entries.
uint32_t RecCount(DataFile f);

// The first index entry whose key is not below `key` (key width bytes): writes that entry's
// key back into `key`, reads its record into `rec` and returns the record number; 0 = none.
uint32_t SearchRecord(DataFile data, DataFile index, void* key, void* rec, int flags);
// The entry after the one `key` holds (continuing exactly from the last SearchRecord or
// NextRecord of this descriptor when `key` still holds its key); 0 at the end.
uint32_t NextRecord(DataFile data, DataFile index, void* key, void* rec, int flags);

// Adds an index entry for (key, recno). Equal keys stay apart, ordered by record number.
void AddKey(DataFile index, const void* key, uint32_t recno, int flags, int unique);
// Removes the first entry with exactly this key; nothing when there is none.
void DeleteKey(DataFile index, const void* key, int flags, int unique);
// Removes the entry of exactly (key, recno), for indexes whose keys are not unique.
void DeleteKeyOf(DataFile index, const void* key, uint32_t recno);
// The last entry in key order: writes its key into `key` (key width bytes) and returns its
// record number; 0 when the index is empty. Numbering indexes take their next number from it.
uint32_t LastKey(DataFile index, void* key);
// The record number a new record of the index's data file gets.
uint32_t FindNewRecNo(DataFile index);

// Position (1-based, in key order) of the first entry not below `key`, compared over the
// key's text up to its terminator; 0 when none. recno receives that entry's record number.
uint32_t SearchKey(DataFile index, const char* key, uint32_t* recno);
// The record number of the entry whose key equals `key` (key width bytes); 0 when none.
uint32_t FindKey(DataFile index, const void* key, int flags);

// Notes: writes `text` (length includes the terminator) in place of block `oldBlock`
// (-1 = none yet) and returns the block number to keep.
int32_t WriteMemoBlock(DataFile notes, const char* text, uint32_t length, int32_t oldBlock);
// The text of a block, malloc'ed (the caller frees it); an empty text when there is none.
char* ReadMemoBlock(DataFile notes, char** text, int32_t block);
std::string ReadMemoText(DataFile notes, int32_t block);

// Advisory record locks, held across processes until unlocked or the process ends.
// LockRec returns non-zero when the lock was taken, 0 when another process holds it.
int LockRec(DataFile f, uint32_t recno);
void UnLockRec(DataFile f, uint32_t recno);

// Makes the descriptor's file empty (creating it when missing). Returns non-zero on success.
int FileCreate(DataFile f, int mode, int flags);
void FileClose(DataFile f);
// Removes the descriptor's file and its records.
void FileDelete(DataFile f);
// Resets the descriptor to its file-map defaults (path, length).
void InitialiseFile(DataFile f);
void SetLength(DataFile f, uint32_t recordLength);
std::string GetPathName(DataFile f);
void SetPathName(DataFile f, const std::string& path);
// Renames a file of the company; a file already at `to` is replaced.
void RenameFile(DataFile f, const std::string& from, const std::string& to);
// Whether the descriptor's path names an existing file.
bool FileExists(DataFile f);

// Account lookups by code (8 characters, space-padded) for ledger codes 256, 257, 258, 260:
// the record number (its record read into rec), 0 = no such account.
uint32_t FlashFindAccount(DataContext& block, int ledger, const char* code, void* rec, int flags);
uint32_t FindAccount(DataContext& block, int ledger, const char* code, void* rec, int flags);
uint32_t NetworkFlashFindAccount(DataContext& block, int ledger, const char* code, void* rec,
                                 int flags);

}  // namespace kelo
