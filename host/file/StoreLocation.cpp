#include <fstream>
#include <regex>

#include "host/file/Store.h"

namespace kelo::store {
namespace {

bool isUrl(const std::string& s)
{
    return s.rfind("postgresql://", 0) == 0 || s.rfind("postgres://", 0) == 0;
}

}  // namespace

std::string ServerUrl(const std::string& company)
{
    if (isUrl(company)) return company;
    std::ifstream in(company + "/server.url");
    std::string line;
    if (!in || !std::getline(in, line)) return {};
    const auto first = line.find_first_not_of(" \t\r");
    const auto last = line.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

std::string ShownUrl(const std::string& url)
{
    static const std::regex password(R"(^([a-z]+://[^:/@]*):[^@/]*@)");
    return std::regex_replace(url, password, "$1@");
}

std::unique_ptr<Store> OpenStore(const std::string& company, bool create, bool readOnly)
{
    const std::string url = ServerUrl(company);
    if (url.empty()) return OpenLmdbStore(company, create, readOnly);
    return OpenPgStore(url, create, readOnly);
}

}  // namespace kelo::store
