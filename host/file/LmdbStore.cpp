#include "host/file/Store.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <lmdb.h>

#include "host/file/FileError.h"
#include "host/file/RecordCodec.h"
#include "host/file/StoreFault.h"

namespace kelo::store {
namespace {

void check(int rc, const char* what)
{
    if (rc == MDB_SUCCESS) return;
    if (rc == MDB_MAP_FULL)
        throw FileError(std::string(what) + ": the company has filled the space reserved for it");
    if (rc == ENOSPC) throw FileError(std::string(what) + ": no space left on the disk");
    if (rc == MDB_CORRUPTED || rc == MDB_PAGE_NOTFOUND)
        throw FileError(std::string(what) + ": the company's store is damaged");
    throw FileError(std::string(what) + ": " + mdb_strerror(rc));
}

// The kernel maps every cached page a read touches, and its neighbours, into the process, so a walk
// over a large company leaves most of the file counted in the process's resident size. When the
// last transaction of a long read ends and the mapped pages pass a budget, they are let go: they
// stay in the page cache and map again on the next touch. Letting go during a walk instead was
// measured to fault twenty to thirty times as often. Dropping a few hundred megabytes of page
// tables takes the kernel 15-20 ms, too long a pause for a window, so a thread of its own does it;
// the map lock keeps it off a map that LMDB is moving or closing.
class ResidentWindow {
public:
    explicit ResidentWindow(const std::string& data) : m_data(data) {}
    ~ResidentWindow() { Stop(); }

    void Read() { ++m_reads; }
    void Idle()
    {
        if (m_reads < kLongRead) return;
        m_reads = 0;
        std::lock_guard lock(m_mutex);
        if (m_stopping) return;
        m_wanted = true;
        if (!m_thread.joinable()) m_thread = std::thread([this] { run(); });
        m_wake.notify_one();
    }
    // Held while the map moves or closes.
    std::unique_lock<std::mutex> HoldMap() { return std::unique_lock(m_mapMutex); }
    void Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable()) m_thread.join();
    }

private:
    static constexpr unsigned kLongRead = 8192;
    static constexpr long kBudgetBytes = 128L << 20;
    static constexpr std::chrono::milliseconds kGrace{250};

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_wanted || m_stopping; });
            // A program that reads once and closes the company would only wait for the trim.
            if (m_stopping || m_wake.wait_for(lock, kGrace, [this] { return m_stopping; })) return;
            m_wanted = false;
            lock.unlock();
            if (overBudget()) {
                std::lock_guard map(m_mapMutex);
                trim();
            }
            lock.lock();
        }
    }

    static bool overBudget()
    {
        std::FILE* f = std::fopen("/proc/self/statm", "re");
        if (!f) return false;
        long size = 0, resident = 0, fileBacked = 0;
        const int n = std::fscanf(f, "%ld %ld %ld", &size, &resident, &fileBacked);
        std::fclose(f);
        return n == 3 && fileBacked * ::sysconf(_SC_PAGESIZE) >= kBudgetBytes;
    }

    // LMDB does not say where it mapped the file, so the map is found by the file's inode.
    void trim() const
    {
        struct stat st {};
        if (::stat(m_data.c_str(), &st) != 0) return;
        std::FILE* f = std::fopen("/proc/self/maps", "re");
        if (!f) return;
        char line[4096];
        while (std::fgets(line, sizeof line, f)) {
            unsigned long from = 0, to = 0, inode = 0;
            if (std::sscanf(line, "%lx-%lx %*s %*s %*s %lu", &from, &to, &inode) == 3 &&
                inode == st.st_ino && std::strstr(line, "/data.mdb"))
                ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
        }
        std::fclose(f);
    }

    const std::string m_data;
    unsigned m_reads = 0;  // the caller's thread only
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_wanted = false;
    bool m_stopping = false;
    std::mutex m_mapMutex;
    std::thread m_thread;
};

// LMDB's own order (bytes compared as unsigned, the shorter first on a tie), without its call to
// memcmp for the four-byte big-endian record numbers that key every data file: a walk compares
// keys some twenty times a record. The order is the same, so any program reads the same tables.
int compareKeys(const MDB_val* a, const MDB_val* b)
{
    if (a->mv_size == 4 && b->mv_size == 4) {
        uint32_t x, y;
        std::memcpy(&x, a->mv_data, 4);
        std::memcpy(&y, b->mv_data, 4);
        x = __builtin_bswap32(x);
        y = __builtin_bswap32(y);
        return x < y ? -1 : x > y;
    }
    const size_t n = std::min(a->mv_size, b->mv_size);
    if (const int d = n ? std::memcmp(a->mv_data, b->mv_data, n) : 0) return d;
    return a->mv_size < b->mv_size ? -1 : a->mv_size > b->mv_size;
}

MDB_val val(Bytes b) { return MDB_val{b.size(), const_cast<char*>(b.data())}; }
Bytes bytes(const MDB_val& v) { return Bytes(static_cast<const char*>(v.mv_data), v.mv_size); }

// In a read transaction the store's pages stay put, so where each record's bytes lie can be kept.
// A walk along account chains reads records scattered through a large file, and each read would
// search the tree down to a leaf that is rarely still in the processor's cache; a seek that must
// search notes where the records on either side of it lie too (stepping through their leaf), and
// later seeks to them skip the search.
class LmdbCursor final : public Cursor {
public:
    LmdbCursor(MDB_txn* txn, MDB_dbi dbi, ResidentWindow& window, bool locate)
        : m_window(window), m_locate(locate)
    {
        check(mdb_cursor_open(txn, dbi, &m_cursor), "cursor");
        if (m_locate) check(mdb_cursor_open(txn, dbi, &m_ahead), "cursor");
    }
    ~LmdbCursor() override
    {
        mdb_cursor_close(m_cursor);
        if (m_ahead) mdb_cursor_close(m_ahead);
        if (m_places) ::munmap(m_places, m_placesBytes);
    }

    bool Seek(Bytes key) override
    {
        if (m_locate && key.size() == 4 && locating()) {
            m_window.Read();
            const uint32_t number = numberOf(key.data());
            if (number < m_count && m_places[number].noted()) return landNoted(number);
            if (noteFrom(key)) return true;
        }
        m_key = val(key);
        return move(MDB_SET_RANGE);
    }
    bool First() override { return move(MDB_FIRST); }
    bool Last() override { return move(MDB_LAST); }
    bool Next() override
    {
        // The next record number, when a pass saw nothing between it and this one.
        if (m_noted) {
            const uint32_t next = m_noted + 1;
            if (next < m_count && m_places[next].noted() && m_places[m_noted].next()) {
                m_window.Read();
                return landNoted(next);
            }
        }
        return move(MDB_NEXT);
    }
    bool Prev() override { return move(MDB_PREV); }
    // Where the record lies is a fetch from memory away: start it now, while the walk still works
    // on the record before (a fill that walks several chains in turn works on the others' first).
    // Fetching its bytes too, once the place has come, measured no faster.
    void Expect(Bytes key) override
    {
        // A walk in order (the cursor itself stepping) has its next record beside it already.
        if (key.size() != 4 || !m_places || !m_noted) return;
        const uint32_t number = numberOf(key.data());
        if (number < m_count) __builtin_prefetch(&m_places[number]);
    }
    bool Valid() const override { return m_valid; }
    Bytes Key() const override { return bytes(m_key); }
    Bytes Value() const override { return bytes(m_value); }

private:
    // Where one record's stored bytes lie in the map, and whether the entry after it in the table
    // is the next record number (no longer key lies between them, as a pass saw); in eight bytes,
    // so a big file's places take less of the cache and of the window's peak memory. A record
    // larger than kMostSize is not noted.
    struct Place {
        static constexpr uint64_t kMostSize = (uint64_t(1) << 23) - 1;
        uint64_t bits = 0;  // offset (40 bits) | size (23) | next (1)
        Place() = default;
        Place(uint64_t offset, uint64_t size) : bits(offset << 24 | size << 1) {}
        bool noted() const { return bits != 0; }
        uint64_t offset() const { return bits >> 24; }
        uint32_t size() const { return uint32_t(bits >> 1 & kMostSize); }
        bool next() const { return bits & 1; }
        void setNext() { bits |= 1; }
    };
    // Offsets are taken from a point half their range below the first record noted, so every
    // record of a map smaller than that half fits.
    static constexpr uint64_t kOffsets = uint64_t(1) << 40;
    bool fits(const MDB_val& v)
    {
        const auto at = reinterpret_cast<uintptr_t>(v.mv_data);
        if (!m_base) m_base = at > kOffsets / 2 ? at - kOffsets / 2 : 1;
        return v.mv_size <= Place::kMostSize && at >= m_base && at - m_base < kOffsets;
    }
    Place placeOf(const MDB_val& v) const
    {
        return Place(reinterpret_cast<uintptr_t>(v.mv_data) - m_base, v.mv_size);
    }
    // Enough to reach the end of the leaf a search lands on: some thirty records fit a page.
    static constexpr int kNoteAhead = 32;

    static uint32_t numberOf(const void* p) { return codec::NumberAt(static_cast<const char*>(p)); }
    bool landNoted(uint32_t number)
    {
        const Place& p = m_places[number];
        m_noted = number;
        m_noteKey = codec::NumberKey(number);
        m_key = MDB_val{4, m_noteKey.bytes};
        m_value = MDB_val{p.size(), reinterpret_cast<char*>(m_base + p.offset())};
        m_valid = true;
        return true;
    }
    // Whether this table's records are noted: a data file's, keyed by record number alone.
    bool locating()
    {
        if (m_places) return true;
        MDB_val k, v;
        const int rc = mdb_cursor_get(m_ahead, &k, &v, MDB_LAST);
        if (rc != MDB_NOTFOUND) check(rc, "cursor move");
        if (rc == MDB_SUCCESS && k.mv_size == 4) {
            // Zeroed pages, given as the walk touches them; large ones, since a walk over a big
            // file touches them all at random and small ones would each cost a TLB miss.
            constexpr size_t kLarge = size_t(2) << 20;
            const size_t bytes = (size_t(numberOf(k.mv_data) + 1) * sizeof(Place) + kLarge - 1) / kLarge * kLarge;
            void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p != MAP_FAILED) {
                ::madvise(p, bytes, MADV_HUGEPAGE);
                m_places = static_cast<Place*>(p);
                m_placesBytes = bytes;
                m_count = numberOf(k.mv_data) + 1;
            }
        }
        m_locate = m_places != nullptr;
        return m_locate;
    }
    // Searches for `key` with the cursor that reads ahead and notes the records from there.
    // False when the table holds other keys there, so the caller's cursor searches instead.
    bool noteFrom(Bytes key)
    {
        MDB_val k = val(key), v;
        int rc = mdb_cursor_get(m_ahead, &k, &v, MDB_SET_RANGE);
        if (rc == MDB_NOTFOUND) return false;
        check(rc, "cursor move");
        if (k.mv_size != 4) return false;
        const uint32_t first = numberOf(k.mv_data);
        uint32_t last = 0;
        for (int i = 0; rc == MDB_SUCCESS && k.mv_size == 4 && i < kNoteAhead; ++i) {
            const uint32_t number = numberOf(k.mv_data);
            if (number == 0 || number >= m_count || !fits(v)) break;  // 0 is "none" in m_noted
            Place& place = m_places[number];
            if (last) m_places[last].setNext();  // nothing lies between them
            if (last && place.noted()) break;    // noted by an earlier pass from there on
            place = placeOf(v);
            last = number;
            rc = mdb_cursor_get(m_ahead, &k, &v, MDB_NEXT);
        }
        if (rc != MDB_SUCCESS && rc != MDB_NOTFOUND) check(rc, "cursor move");
        if (!last) return false;
        // And the records before it on its leaf, which a later seek is as likely to want.
        const codec::NumberKey at(first);
        k = MDB_val{4, const_cast<char*>(at.bytes)};
        check(mdb_cursor_get(m_ahead, &k, &v, MDB_SET_KEY), "cursor move");
        for (int i = 0; i < kNoteAhead; ++i) {
            rc = mdb_cursor_get(m_ahead, &k, &v, MDB_PREV);
            if (rc == MDB_NOTFOUND || k.mv_size != 4) break;
            check(rc, "cursor move");
            if (numberOf(k.mv_data) == 0) break;
            Place& place = m_places[numberOf(k.mv_data)];
            const bool noted = place.noted();
            if (!noted && !fits(v)) break;
            if (!noted) place = placeOf(v);
            place.setNext();
            if (noted) break;
        }
        return landNoted(first);
    }
    bool move(MDB_cursor_op op)
    {
        m_window.Read();
        if (m_noted && (op == MDB_NEXT || op == MDB_PREV)) {
            // The cursor itself stands elsewhere: bring it to the noted record first.
            MDB_val k = m_key;
            check(mdb_cursor_get(m_cursor, &k, &m_value, MDB_SET_KEY), "cursor move");
        }
        m_noted = 0;
        const int rc = mdb_cursor_get(m_cursor, &m_key, &m_value, op);
        m_valid = rc == MDB_SUCCESS;
        if (rc == MDB_NOTFOUND) return false;
        check(rc, "cursor move");
        return true;
    }

    ResidentWindow& m_window;
    MDB_cursor* m_cursor = nullptr;
    MDB_cursor* m_ahead = nullptr;
    MDB_val m_key{};
    MDB_val m_value{};
    bool m_valid = false;
    bool m_locate;
    uintptr_t m_base = 0;  // what places' offsets count from
    // By record number, up to the last the table held when first sought in.
    Place* m_places = nullptr;
    size_t m_placesBytes = 0;
    uint32_t m_count = 0;
    uint32_t m_noted = 0;         // the record stood on when reached through m_places
    codec::NumberKey m_noteKey{0};
};

class LmdbStore;

class LmdbTxn final : public Txn {
public:
    LmdbTxn(MDB_env* env, bool write, LmdbStore* store, ResidentWindow& window);
    ~LmdbTxn() override;

    bool ReadOnly() const override { return !m_write; }

    std::optional<Bytes> Get(Table t, Bytes key) override
    {
        m_window.Read();
        MDB_val k = val(key), v;
        const int rc = mdb_get(m_txn, t, &k, &v);
        if (rc == MDB_NOTFOUND) return std::nullopt;
        check(rc, "read");
        return bytes(v);
    }
    void Put(Table t, Bytes key, Bytes value) override
    {
        MDB_val k = val(key), v = val(value);
        check(mdb_put(m_txn, t, &k, &v, 0), "write");
    }
    bool Del(Table t, Bytes key) override
    {
        MDB_val k = val(key);
        const int rc = mdb_del(m_txn, t, &k, nullptr);
        if (rc == MDB_NOTFOUND) return false;
        check(rc, "delete");
        return true;
    }
    void Clear(Table t) override
    {
        forgetCursor(t);
        check(mdb_drop(m_txn, t, 0), "empty file");
    }
    void Drop(Table t) override
    {
        forgetCursor(t);
        check(mdb_drop(m_txn, t, 1), "delete file");
    }
    std::unique_ptr<Cursor> OpenCursor(Table t) override
    {
        return std::make_unique<LmdbCursor>(m_txn, t, m_window, false);
    }
    Cursor& TableCursor(Table t) override
    {
        for (auto& [table, cursor] : m_cursors)
            if (table == t) return *cursor;
        m_cursors.emplace_back(t, std::make_unique<LmdbCursor>(m_txn, t, m_window, !m_write));
        return *m_cursors.back().second;
    }
    uint64_t Count(Table t) override
    {
        MDB_stat st;
        check(mdb_stat(m_txn, t, &st), "count");
        return st.ms_entries;
    }
    std::optional<Table> OpenTable(const std::string& name, bool create) override
    {
        MDB_dbi dbi;
        const int rc = mdb_dbi_open(m_txn, name.c_str(), create && m_write ? MDB_CREATE : 0, &dbi);
        if (rc == MDB_NOTFOUND) return std::nullopt;
        check(rc, "open file");
        check(mdb_set_compare(m_txn, dbi, &compareKeys), "open file");
        return dbi;
    }
    void Commit() override;

private:
    void forgetCursor(Table t)
    {
        std::erase_if(m_cursors, [t](const auto& c) { return c.first == t; });
    }

    MDB_txn* m_txn = nullptr;
    bool m_write;
    LmdbStore* m_store;
    ResidentWindow& m_window;
    std::vector<std::pair<Table, std::unique_ptr<LmdbCursor>>> m_cursors;
};

// Address space for the map: room to grow beyond the file, never a fixed huge reservation
// (that fails under `ulimit -v` and in valgrind). Grown between transactions as the file grows.
constexpr size_t kMinMap = size_t(1) << 30;

size_t mapFor(uint64_t fileBytes)
{
    return std::max<size_t>(kMinMap, size_t(fileBytes) * 2);
}

std::string openFailure(const std::string& folder, int rc)
{
    switch (rc) {
    case ENOENT: return folder + " is not a company folder (no data.mdb)";
    case EACCES:
    case EPERM: return "cannot open company " + folder + ": permission denied";
    case EROFS: return "cannot open company " + folder + " for writing: read-only file system";
    case ENOMEM: return "cannot open company " + folder + ": not enough address space to map it";
    case ENOSPC: return "cannot open company " + folder + ": no space left on the disk";
    case MDB_INVALID: return folder + "/data.mdb is not a company store, or its header is damaged";
    case MDB_VERSION_MISMATCH: return folder + "/data.mdb was written by another store version";
    default: return "cannot open company " + folder + ": " + mdb_strerror(rc);
    }
}

uint64_t fileSize(const std::string& path, bool* exists = nullptr)
{
    struct stat st {};
    const bool ok = ::stat(path.c_str(), &st) == 0;
    if (exists) *exists = ok;
    return ok ? uint64_t(st.st_size) : 0;
}

class LmdbStore final : public Store {
public:
    LmdbStore(const std::string& folder, bool create, bool readOnly) : m_folder(folder)
    {
        namespace fs = std::filesystem;
        const std::string data = folder + "/data.mdb";
        bool exists = false;
        const uint64_t bytes = fileSize(data, &exists);
        if (!create && !exists) throw FileError(folder + " is not a company folder (no data.mdb)");
        if (!create && bytes == 0) throw FileError(data + " is empty: the company is damaged");
        if (create) fs::create_directories(folder);
        if (!readOnly) preallocateLockFile();

        int rc = openEnv(mapFor(bytes), readOnly ? MDB_RDONLY : 0);
        if (readOnly && (rc == EACCES || rc == EROFS || rc == EPERM))
            rc = openEnv(mapFor(bytes), MDB_RDONLY | MDB_NOLOCK);  // nobody can write here anyway
        if (rc != MDB_SUCCESS) throw FileError(openFailure(folder, rc));
        m_readOnly = readOnly;
        try {
            checkFileSize(data);
        } catch (...) {
            // A throwing constructor runs no destructor: close the environment here.
            mdb_env_close(m_env);
            m_env = nullptr;
            throw;
        }
        if (!(m_flags & MDB_NOLOCK)) {
            int dead = 0;
            mdb_reader_check(m_env, &dead);  // slots of readers that were killed
            m_lockInode = lockInode();
        }
        const std::string lockPath = folder + "/records.lck";
        m_lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        // A reader never locks records, so a lock file it may not write is no obstacle.
        if (m_lockFd < 0 && !readOnly) {
            mdb_env_close(m_env);
            m_env = nullptr;
            throw FileError("cannot open the record lock file " + lockPath);
        }
        if (!readOnly)
            m_stampFd = ::open((folder + "/changes.stamp").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        watchMap();
    }
    ~LmdbStore() override
    {
        m_window.Stop();
        ForgetStoreMap(this);
        if (m_env) mdb_env_close(m_env);
        if (m_lockFd >= 0) ::close(m_lockFd);
        if (m_stampFd >= 0) ::close(m_stampFd);
    }
    bool Lock(int fileNumber, uint32_t recordNumber) override
    {
        return setLock(F_WRLCK, fileNumber, recordNumber);
    }
    void Unlock(int fileNumber, uint32_t recordNumber) override
    {
        setLock(F_UNLCK, fileNumber, recordNumber);
    }
    void Committed() override
    {
        // The writer's pid lets a watching process tell other processes' commits from its own.
        if (m_stampFd >= 0) {
            const int32_t pid = ::getpid();
            (void)!::pwrite(m_stampFd, &pid, sizeof pid, 0);
        }
    }
    std::unique_ptr<Txn> Begin(bool write) override
    {
        if (write) beforeWrite();
        auto txn = std::make_unique<LmdbTxn>(m_env, write, this, m_window);
        return txn;
    }

    void TxnEnded()
    {
        if (--m_open == 0) m_window.Idle();
    }
    void TxnBegun() { ++m_open; }
    // A lock file removed or replaced under us means other writers no longer share our
    // writer lock: writing now could lose their commits or ours.
    void CheckLock() const
    {
        if (!(m_flags & MDB_NOLOCK) && lockInode() != m_lockInode)
            throw FileError("the lock file of company " + m_folder +
                            " was removed or replaced while open; close every program using "
                            "the company and open it again");
    }
    // Less than a megabyte left on the company's file system.
    bool DiskFull() const
    {
        struct statvfs fs {};
        if (::statvfs(m_folder.c_str(), &fs) != 0) return false;
        return (::geteuid() == 0 ? fs.f_bfree : fs.f_bavail) * fs.f_frsize < (1u << 20);
    }

private:
    // Open file description locks belong to this store's descriptor, not to the process:
    // closing another open of the same company (a tool, a second window) leaves them in place,
    // two opens in one process exclude each other as two desks would, and they go when the
    // process dies.
    bool setLock(short type, int fileNumber, uint32_t recordNumber)
    {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = (off_t(fileNumber) << 32) | recordNumber;
        fl.l_len = 1;
        fl.l_pid = 0;
        return ::fcntl(m_lockFd, F_OFD_SETLK, &fl) == 0;
    }

    int openEnv(size_t map, unsigned flags)
    {
        const auto held = m_window.HoldMap();
        if (m_env) mdb_env_close(m_env);
        m_env = nullptr;
        check(mdb_env_create(&m_env), "create environment");
        mdb_env_set_maxdbs(m_env, 256);
        // NOTLS: a fill keeps a read transaction open across yields while the same thread writes.
        // Read-ahead stays on: with the file out of the page cache a list over the scale company
        // ran three to four times faster with it than with MDB_NORDAHEAD.
        m_flags = MDB_NOTLS | flags;
        int rc;
        // Under a limit on address space, settle for a smaller map rather than refuse.
        for (;;) {
            mdb_env_set_mapsize(m_env, map);
            m_map = map;
            rc = mdb_env_open(m_env, m_folder.c_str(), m_flags, 0644);
            if (rc != ENOMEM || map <= (size_t(64) << 20)) break;
            mdb_env_close(m_env);
            check(mdb_env_create(&m_env), "create environment");
            mdb_env_set_maxdbs(m_env, 256);
            map /= 2;
        }
        if (rc != MDB_SUCCESS) {
            mdb_env_close(m_env);
            m_env = nullptr;
        }
        return rc;
    }

    // A data file shorter than the pages the store says it has would fault on first touch
    // (SIGBUS): refuse it by name instead.
    void checkFileSize(const std::string& data)
    {
        MDB_envinfo info;
        MDB_stat st;
        mdb_env_info(m_env, &info);
        mdb_env_stat(m_env, &st);
        const uint64_t needed = (uint64_t(info.me_last_pgno) + 1) * st.ms_psize;
        const uint64_t have = fileSize(data);
        if (have < needed)
            throw FileError(data + " is damaged: it holds " + std::to_string(have) +
                            " bytes but its pages need " + std::to_string(needed) +
                            " (the file was cut short)");
    }

    // The reader table lives in a mapped lock file; on a full disk a sparse one faults when
    // first written, so give it real blocks before the store maps it.
    void preallocateLockFile()
    {
        const std::string lock = m_folder + "/lock.mdb";
        bool exists = false;
        if (fileSize(lock, &exists) > 0 && exists) return;
        const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return;  // the store's own open reports why
        const int rc = ::posix_fallocate(fd, 0, off_t(1) << 16);
        ::close(fd);
        if (rc == ENOSPC) {
            ::unlink(lock.c_str());
            throw FileError("cannot open company " + m_folder + ": no space left on the disk");
        }
    }

    ino_t lockInode() const
    {
        struct stat st {};
        return ::stat((m_folder + "/lock.mdb").c_str(), &st) == 0 ? st.st_ino : 0;
    }

    void beforeWrite()
    {
        if (m_readOnly) throw FileError("the company " + m_folder + " is open for reading only");
        CheckLock();
        int dead = 0;
        mdb_reader_check(m_env, &dead);
        if (m_open == 0) growMap();
    }

    void growMap()
    {
        MDB_envinfo info;
        MDB_stat st;
        mdb_env_info(m_env, &info);
        mdb_env_stat(m_env, &st);
        const uint64_t used = (uint64_t(info.me_last_pgno) + 1) * st.ms_psize;
        if (used * 2 < info.me_mapsize) return;
        const size_t want = mapFor(used);
        const auto held = m_window.HoldMap();
        if (mdb_env_set_mapsize(m_env, want) == MDB_SUCCESS) m_map = want;
        watchMap();  // the map may have moved
    }

    void watchMap() { WatchStoreMap(this, m_folder); }

    std::string m_folder;
    MDB_env* m_env = nullptr;
    ResidentWindow m_window{m_folder + "/data.mdb"};
    unsigned m_flags = 0;
    size_t m_map = 0;
    bool m_readOnly = false;
    ino_t m_lockInode = 0;
    int m_open = 0;
    int m_lockFd = -1;
    int m_stampFd = -1;
};

void LmdbTxn::Commit()
{
    // Again at the end: a writer let in beside this transaction by a new lock file may have
    // committed meanwhile, and this commit would write over it.
    if (m_write) m_store->CheckLock();
    m_cursors.clear();  // a write transaction frees its cursors at commit
    MDB_txn* txn = m_txn;
    m_txn = nullptr;
    int rc = mdb_txn_commit(txn);
    // LMDB reports a short write as EIO; on a regular file that is a full disk.
    if (rc == EIO && m_store->DiskFull()) rc = ENOSPC;
    check(rc, "commit");
}

LmdbTxn::LmdbTxn(MDB_env* env, bool write, LmdbStore* store, ResidentWindow& window)
    : m_write(write), m_store(store), m_window(window)
{
    int rc = mdb_txn_begin(env, nullptr, write ? 0 : MDB_RDONLY, &m_txn);
    if (rc == MDB_MAP_RESIZED) {
        // Another process grew the file past our map: adopt its size, then begin again.
        const auto held = m_window.HoldMap();
        mdb_env_set_mapsize(env, 0);
        rc = mdb_txn_begin(env, nullptr, write ? 0 : MDB_RDONLY, &m_txn);
    }
    check(rc, "begin transaction");
    m_store->TxnBegun();
}

LmdbTxn::~LmdbTxn()
{
    m_cursors.clear();
    if (m_txn) mdb_txn_abort(m_txn);
    m_store->TxnEnded();
}

}  // namespace

std::unique_ptr<Store> OpenLmdbStore(const std::string& folder, bool create, bool readOnly)
{
    return std::make_unique<LmdbStore>(folder, create, readOnly);
}

}  // namespace kelo::store
