// libpq, and the TLS, Kerberos and LDAP libraries it brings (twenty in all), cost every start of
// every program more to map and relocate than all its other libraries together, about 6 ms, while
// only a company on a server needs them. So nothing links libpq: the functions below stand in
// for it and load it at the first call. Each libpq function used anywhere in the programs or
// their tests is listed here, with libpq's own declaration checking its signature.

#include <dlfcn.h>
#include <libpq-fe.h>

#include <string>

#include "host/file/FileError.h"

namespace {

void* library()
{
    static void* const handle = [] {
        void* h = ::dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
        if (!h)
            throw kelo::FileError(std::string("cannot reach a company on a server: the "
                                              "PostgreSQL client library is not installed (") +
                                  ::dlerror() + ")");
        return h;
    }();
    return handle;
}

// The real function behind `Fn`, looked up once.
template <auto Fn>
auto real(const char* name)
{
    static const auto fn = [name] {
        void* f = ::dlsym(library(), name);
        if (!f)
            throw kelo::FileError(std::string("the PostgreSQL client library lacks ") + name +
                                  ": it is older than this program needs");
        return reinterpret_cast<decltype(Fn)>(f);
    }();
    return fn;
}

}  // namespace

extern "C" {

PGconn* PQconnectdb(const char* conninfo) { return real<&PQconnectdb>("PQconnectdb")(conninfo); }
void PQfinish(PGconn* c) { real<&PQfinish>("PQfinish")(c); }
ConnStatusType PQstatus(const PGconn* c) { return real<&PQstatus>("PQstatus")(c); }
char* PQerrorMessage(const PGconn* c) { return real<&PQerrorMessage>("PQerrorMessage")(c); }
int PQsocket(const PGconn* c) { return real<&PQsocket>("PQsocket")(c); }
PQnoticeProcessor PQsetNoticeProcessor(PGconn* c, PQnoticeProcessor p, void* arg)
{
    return real<&PQsetNoticeProcessor>("PQsetNoticeProcessor")(c, p, arg);
}

PGresult* PQexec(PGconn* c, const char* query) { return real<&PQexec>("PQexec")(c, query); }
PGresult* PQexecPrepared(PGconn* c, const char* stmt, int n, const char* const* values,
                         const int* lengths, const int* formats, int resultFormat)
{
    return real<&PQexecPrepared>("PQexecPrepared")(c, stmt, n, values, lengths, formats,
                                                   resultFormat);
}
int PQsendQueryPrepared(PGconn* c, const char* stmt, int n, const char* const* values,
                        const int* lengths, const int* formats, int resultFormat)
{
    return real<&PQsendQueryPrepared>("PQsendQueryPrepared")(c, stmt, n, values, lengths,
                                                             formats, resultFormat);
}
PGresult* PQgetResult(PGconn* c) { return real<&PQgetResult>("PQgetResult")(c); }
int PQenterPipelineMode(PGconn* c) { return real<&PQenterPipelineMode>("PQenterPipelineMode")(c); }
int PQexitPipelineMode(PGconn* c) { return real<&PQexitPipelineMode>("PQexitPipelineMode")(c); }
int PQpipelineSync(PGconn* c) { return real<&PQpipelineSync>("PQpipelineSync")(c); }
int PQconsumeInput(PGconn* c) { return real<&PQconsumeInput>("PQconsumeInput")(c); }
PGnotify* PQnotifies(PGconn* c) { return real<&PQnotifies>("PQnotifies")(c); }

ExecStatusType PQresultStatus(const PGresult* r)
{
    return real<&PQresultStatus>("PQresultStatus")(r);
}
char* PQresultErrorMessage(const PGresult* r)
{
    return real<&PQresultErrorMessage>("PQresultErrorMessage")(r);
}
int PQntuples(const PGresult* r) { return real<&PQntuples>("PQntuples")(r); }
char* PQgetvalue(const PGresult* r, int row, int col)
{
    return real<&PQgetvalue>("PQgetvalue")(r, row, col);
}
int PQgetlength(const PGresult* r, int row, int col)
{
    return real<&PQgetlength>("PQgetlength")(r, row, col);
}
int PQgetisnull(const PGresult* r, int row, int col)
{
    return real<&PQgetisnull>("PQgetisnull")(r, row, col);
}
char* PQcmdTuples(PGresult* r) { return real<&PQcmdTuples>("PQcmdTuples")(r); }
void PQclear(PGresult* r) { real<&PQclear>("PQclear")(r); }
void PQfreemem(void* p) { real<&PQfreemem>("PQfreemem")(p); }

}  // extern "C"
