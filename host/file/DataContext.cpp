#include "host/file/DataContext.h"

#include "host/file/RecordFile.h"

namespace kelo {

DataContext::DataContext(std::shared_ptr<FileEnvironment> env) : m_env(std::move(env))
{
    for (size_t n = 0; n < m_files.size(); ++n) {
        datafilemap& f = m_files[n];
        f.number = int(n);
        f.env = m_env.get();
        InitialiseFile(&f);
    }
}

DataContext DataContext::OpenForReading(const std::string& folder)
{
    return DataContext(FileEnvironment::Open(folder, false, true));
}

DataContext DataContext::Open(const std::string& folder)
{
    return DataContext(FileEnvironment::Open(folder, false));
}

DataContext DataContext::Create(const std::string& folder)
{
    DataContext ctx(FileEnvironment::Open(folder, true));
    // One transaction: a company is made whole or not at all.
    FileEnvironment& env = ctx.Environment();
    store::Txn* txn = env.PushTxn(true);
    try {
        for (const FileInfo& info : AllFiles()) FileCreate(ctx.File(info.number), 16, 1);
    } catch (...) {
        env.ReleaseTxn(txn, false);
        throw;
    }
    env.ReleaseTxn(txn, true);
    return ctx;
}

}  // namespace kelo
