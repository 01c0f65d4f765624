// The remembered texts of an auto-complete field live in the user's registry file, which any
// program or hand edit may change: whatever it holds, a history loads with at most 32 texts of
// at most 255 characters, and takes a new one within the limit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "src/controls/CIntelliStore.h"

namespace {

QString g_registry;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    QDir(dir.path()).mkpath("Kelo");
    g_registry = dir.path() + "/Kelo/Plinth 70.conf";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string head = "[History/TasksToDoDesc]\n";
    if (std::FILE* f = std::fopen(g_registry.toLocal8Bit().constData(), "wb")) {
        std::fwrite(head.data(), 1, head.size(), f);
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    kelo::CIntelliStore store(kelo::CIntelliStore::kHistoryName);
    store.SetHistoryKey(QStringLiteral("Software\\Kelo\\Plinth 70\\History\\TasksToDoDesc"));
    if (store.Count() > kelo::CIntelliStore::kMaxEntries) std::abort();
    for (const kelo::CIntelliEntry& e : store.Entries()) {
        if (e.text.size() > kelo::CIntelliStore::kMaxText) std::abort();
    }
    store.Add(QStringLiteral("one more"));
    if (store.Count() > kelo::CIntelliStore::kMaxEntries) std::abort();
    return 0;
}
