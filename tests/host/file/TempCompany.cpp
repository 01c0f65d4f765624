#include "TempCompany.h"

#include <cstdlib>
#include <stdexcept>

namespace kelo::test {
namespace {

std::string makeFolder()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "kelo-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    return tmpl;
}

}  // namespace

void PlantRawRecord(DataContext& ctx, int number, uint32_t recno, const std::string& bytes)
{
    FileEnvironment& env = ctx.Environment();
    env.With(true, [&](store::Txn& txn) {
        const char key[4] = {char(recno >> 24), char(recno >> 16), char(recno >> 8), char(recno)};
        txn.Put(env.Find(txn, ctx.File(number)->path)->table, std::string_view(key, 4), bytes);
    });
}

std::string StoredRecord(DataContext& ctx, int number, uint32_t recno)
{
    FileEnvironment& env = ctx.Environment();
    return env.With(false, [&](store::Txn& txn) {
        const char key[4] = {char(recno >> 24), char(recno >> 16), char(recno >> 8), char(recno)};
        auto v = txn.Get(env.Find(txn, ctx.File(number)->path)->table, std::string_view(key, 4));
        return v ? std::string(*v) : std::string();
    });
}

TempCompany::TempCompany() : m_folder(makeFolder()), m_ctx(DataContext::Create(m_folder)) {}

TempCompany::~TempCompany()
{
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
}

}  // namespace kelo::test
