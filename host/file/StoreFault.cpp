#include "host/file/StoreFault.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <link.h>
#include <lmdb.h>
#include <signal.h>
#include <sys/stat.h>
#include <ucontext.h>
#include <unistd.h>

namespace kelo::store {
namespace {

struct Watched {
    std::atomic<const void*> owner{nullptr};
    std::atomic<uintptr_t> base{0};
    std::atomic<size_t> size{0};
    char line[768] = {};
    std::atomic<size_t> length{0};
};

// Fixed slots: the handler may neither allocate nor lock.
Watched g_watched[16];
struct sigaction g_previous[2];
uintptr_t g_lmdbLow = 0, g_lmdbHigh = 0;
std::atomic<bool> g_installed{false};

int findLmdb(dl_phdr_info* info, size_t, void* self)
{
    const uintptr_t fn = reinterpret_cast<uintptr_t>(self);
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& p = info->dlpi_phdr[i];
        if (p.p_type != PT_LOAD || !(p.p_flags & PF_X)) continue;
        const uintptr_t low = info->dlpi_addr + p.p_vaddr;
        if (fn >= low && fn < low + p.p_memsz) {
            g_lmdbLow = low;
            g_lmdbHigh = low + p.p_memsz;
            return 1;
        }
    }
    return 0;
}

const Watched* faultOf(siginfo_t* info, void* context)
{
    const uintptr_t at = reinterpret_cast<uintptr_t>(info->si_addr);
    uintptr_t pc = 0;
#if defined(__x86_64__)
    pc = uintptr_t(static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    pc = uintptr_t(static_cast<ucontext_t*>(context)->uc_mcontext.pc);
#endif
    const bool inLmdb = pc >= g_lmdbLow && pc < g_lmdbHigh;
    const Watched* any = nullptr;
    for (const Watched& w : g_watched) {
        if (!w.owner.load()) continue;
        any = &w;
        const uintptr_t base = w.base.load();
        if (at >= base && at < base + w.size.load()) return &w;
    }
    return inLmdb ? any : nullptr;
}

void onFault(int sig, siginfo_t* info, void* context)
{
    const int slot = sig == SIGBUS ? 1 : 0;
    if (const Watched* w = faultOf(info, context)) {
        const ssize_t ignored = ::write(STDERR_FILENO, w->line, w->length.load());
        (void)ignored;
        ::_exit(1);
    }
    // Not ours: the previous handling (the default crash, or a sanitizer's report) runs when
    // the faulting instruction runs again.
    ::sigaction(sig, &g_previous[slot], nullptr);
}

void install()
{
    if (g_installed.exchange(true)) return;
    dl_iterate_phdr(findLmdb, reinterpret_cast<void*>(&mdb_cursor_get));
    struct sigaction sa {};
    sa.sa_sigaction = onFault;
    sa.sa_flags = SA_SIGINFO;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGSEGV, &sa, &g_previous[0]);
    ::sigaction(SIGBUS, &sa, &g_previous[1]);
}

}  // namespace

void WatchStoreMap(const void* owner, const std::string& folder)
{
    install();
    // LMDB does not tell where it mapped the file: the process's own map list does.
    const std::string data = folder + "/data.mdb";
    struct stat st {};
    if (::stat(data.c_str(), &st) != 0) return;
    uintptr_t base = 0;
    size_t size = 0;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        unsigned long long low = 0, high = 0, offset = 0, inode = 0;
        char perms[8] = {}, dev[16] = {};
        if (std::sscanf(line.c_str(), "%llx-%llx %7s %llx %15s %llu", &low, &high, perms, &offset,
                        dev, &inode) != 6 || inode != st.st_ino || offset != 0)
            continue;
        if (high - low > size) base = uintptr_t(low), size = size_t(high - low);
    }
    if (size == 0) return;
    Watched* slot = nullptr;
    for (Watched& w : g_watched)
        if (w.owner.load() == owner) slot = &w;
    for (Watched& w : g_watched) {
        const void* none = nullptr;
        if (!slot && w.owner.compare_exchange_strong(none, owner)) slot = &w;
    }
    if (!slot) return;  // more stores open than slots: these faults stay crashes
    const std::string line = std::string(program_invocation_short_name) + ": " + folder +
                             "/data.mdb is damaged: its structure cannot be read; restore the "
                             "company from a backup\n";
    slot->length = 0;
    std::strncpy(slot->line, line.c_str(), sizeof slot->line - 1);
    slot->base = base;
    slot->size = size;
    slot->length = std::strlen(slot->line);
}

void ForgetStoreMap(const void* owner)
{
    for (Watched& w : g_watched) {
        const void* mine = owner;
        if (w.owner.compare_exchange_strong(mine, nullptr)) w.size = 0;
    }
}

}  // namespace kelo::store
