#include "TempCompany.h"

#include <atomic>
#include <cstdlib>
#include <stdexcept>

#include <libpq-fe.h>
#include <unistd.h>

#include "host/file/RecordCodec.h"

namespace kelo::test {
namespace {

std::string makeFolder()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "kelo-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    return tmpl;
}

void runAdmin(const std::string& sql)
{
    PGconn* c = PQconnectdb(std::getenv("KELO_TEST_STORE"));
    PQsetNoticeProcessor(c, [](void*, const char*) {}, nullptr);
    PGresult* r = PQexec(c, sql.c_str());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    const std::string why = PQerrorMessage(c);
    PQclear(r);
    PQfinish(c);
    if (!ok) throw std::runtime_error(sql + ": " + why);
}

// On the server the test cluster names, a company is a database of its own; its URL is the
// cluster's admin URL with the database replaced.
std::string makeDatabase()
{
    static std::atomic<int> made{0};
    const std::string name = "kelo_test_" + std::to_string(::getpid()) + "_" + std::to_string(made++);
    runAdmin("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
    runAdmin("CREATE DATABASE " + name);
    const std::string admin = std::getenv("KELO_TEST_STORE");
    const size_t path = admin.find('/', admin.find("://") + 3);
    const size_t query = admin.find('?', path);
    return admin.substr(0, path + 1) + name + (query == std::string::npos ? "" : admin.substr(query));
}

}  // namespace

std::string TestStoreUrl() { return std::getenv("KELO_TEST_STORE") ? std::getenv("KELO_TEST_STORE") : ""; }

std::string NewCompanyLocation()
{
    return TestStoreUrl().empty() ? makeFolder() : makeDatabase();
}

void RemoveCompany(const std::string& location)
{
    if (location.rfind("postgresql://", 0) != 0) {
        std::error_code ec;
        std::filesystem::remove_all(location, ec);
        return;
    }
    const std::string name = location.substr(location.find('/', location.find("://") + 3) + 1);
    runAdmin("DROP DATABASE IF EXISTS " + name.substr(0, name.find('?')) + " WITH (FORCE)");
}

void PlantRawRecord(DataContext& ctx, int number, uint32_t recno, const std::string& bytes)
{
    FileEnvironment& env = ctx.Environment();
    env.With(true, [&](store::Txn& txn) {
        txn.Put(env.Find(txn, ctx.File(number)->path)->table, codec::NumberKey(recno).view(), bytes);
    });
}

std::string StoredRecord(DataContext& ctx, int number, uint32_t recno)
{
    FileEnvironment& env = ctx.Environment();
    return env.With(false, [&](store::Txn& txn) {
        auto v = txn.Get(env.Find(txn, ctx.File(number)->path)->table, codec::NumberKey(recno).view());
        return v ? std::string(*v) : std::string();
    });
}

TempCompany::TempCompany() : m_folder(NewCompanyLocation()), m_ctx(DataContext::Create(m_folder)) {}

TempCompany::~TempCompany()
{
    try {
        RemoveCompany(m_folder);
    } catch (const std::exception&) {
        // a database still in use is left to the cluster's removal
    }
}

}  // namespace kelo::test
