#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <libpq-fe.h>

namespace kelo::store {

using PgResult = std::unique_ptr<PGresult, decltype(&PQclear)>;

// One connection to the company server, with the statements the store runs prepared on it.
// Every failure throws kelo::FileError in one line: what was being done and what the server said.
class PgSession final {
public:
    // A parameter sent in binary: bytes as they are, integers in network order.
    struct Param {
        std::string_view bytes;
        bool null = false;  // sent as SQL NULL
    };

    PgSession(const std::string& url, const std::string& shown);
    ~PgSession();
    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    // Runs SQL text (several statements allowed) and returns the last result.
    PgResult Exec(const std::string& sql, const char* what);
    // Runs a prepared statement with binary parameters and binary results.
    PgResult Run(const char* statement, std::initializer_list<Param> params, const char* what);
    // Runs a prepared statement once per row of parameters in one round trip (a pipeline).
    void RunEach(const char* statement, const std::vector<std::vector<Param>>& rows, const char* what);
    // Makes the store's tables and prepares its statements; false when the database holds no
    // company and `create` is false.
    bool Prepare(bool create);
    // Whether the company's records keep the link a walk follows (companies copied to the
    // server before links were kept do not, and are read without following chains).
    bool KeepsLinks() const { return m_links; }
    bool Healthy() const { return PQstatus(m_conn) == CONNECTION_OK; }
    PGconn* Conn() const { return m_conn; }
    [[noreturn]] void Fail(const char* what, const PGresult* result) const;

private:
    PGconn* m_conn = nullptr;
    std::string m_shown;
    bool m_links = false;
};

// Integers as the binary protocol carries them.
struct PgInt4 {
    explicit PgInt4(uint32_t n) : b{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} {}
    PgSession::Param param() const { return {std::string_view(b, 4)}; }
    char b[4];
};
uint64_t PgIntValue(const PGresult* r, int row, int column);

}  // namespace kelo::store
