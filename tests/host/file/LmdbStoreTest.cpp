// The store's tables keep LMDB's byte order whatever the keys' lengths, so companies written by
// any version stay readable and index walks meet keys in the order they always did.
#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/file/Store.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

TEST(LmdbStoreTest, KeysComeBackInByteOrderWhateverTheirLength)
{
    using namespace std::string_literals;
    // Record numbers as stored (big-endian, so the top bit decides first) beside index keys
    // that share their first four bytes with them or are shorter or longer.
    const std::vector<std::string> keys = {
        "\x00\x00\x00\x01"s, "\x00\x00\x00\xff"s, "\x00\x00\x01\x00"s, "\x7f\xff\xff\xff"s,
        "\x80\x00\x00\x00"s, "\xff\xff\xff\xff"s, "\x00"s,             "\x00\x00\x00\x01\x00"s,
        "\x80\x00\x00"s,     "\x80\x00\x00\x00\x01"s, "abcd"s,          "abc"s,
        "abcde"s,            "abd"s,
    };
    test::TempCompany company;
    // On a test server the company's database takes the table beside the company's own.
    auto store = test::TestStoreUrl().empty() ? store::OpenLmdbStore(company.Folder() + "/keys", true)
                                              : store::OpenStore(company.Folder(), true);
    auto txn = store->Begin(true);
    const store::Table t = *txn->OpenTable("keys", true);
    for (const std::string& k : keys) txn->Put(t, k, "v");
    txn->Commit();

    std::vector<std::string> sorted = keys;
    std::sort(sorted.begin(), sorted.end());  // unsigned bytes, the shorter first on a tie
    auto read = store->Begin(false);
    auto c = read->OpenCursor(*read->OpenTable("keys", false));
    std::vector<std::string> walked;
    for (bool ok = c->First(); ok; ok = c->Next()) walked.emplace_back(c->Key());
    EXPECT_EQ(walked, sorted);
    std::vector<std::string> back;
    for (bool ok = c->Last(); ok; ok = c->Prev()) back.emplace_back(c->Key());
    EXPECT_EQ(back, std::vector<std::string>(sorted.rbegin(), sorted.rend()));
    for (const auto& [wanted, landed] : {std::pair{"\x00\x00\x00\x02"s, "\x00\x00\x00\xff"s},
                                         std::pair{"\x80\x00\x00\x00"s, "\x80\x00\x00\x00"s},
                                         std::pair{"\x7f\xff\xff\xff\x00"s, "\x80\x00\x00"s}}) {
        ASSERT_TRUE(c->Seek(wanted));
        EXPECT_EQ(std::string(c->Key()), landed);
    }
}

// A read transaction's walks remember where records lie and answer later seeks from that; what
// they answer must be what a search would, also between runs of keys, across gaps, at the ends
// and where longer keys sit between record numbers.
TEST(LmdbStoreTest, RememberedSeeksAnswerAsTheTreeDoes)
{
    using namespace std::string_literals;
    auto number = [](uint32_t n) {
        return std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    };
    std::map<std::string, std::string> model;
    std::mt19937 random(7);
    for (uint32_t n = 3; n < 2000; n += 1 + (random() % 5 == 0 ? random() % 40 : 0))
        model[number(n)] = std::string(1 + random() % 300, char('a' + n % 26));
    for (uint32_t n : {0u, 1u, 500u, 501u, 502u, 1200u, 1201u}) model[number(n)] = "r";
    for (uint32_t n : {500u, 501u, 1200u}) model[number(n) + "x"] = "between";

    test::TempCompany company;
    auto store = test::TestStoreUrl().empty() ? store::OpenLmdbStore(company.Folder() + "/seek", true)
                                              : store::OpenStore(company.Folder(), true);
    auto write = store->Begin(true);
    const store::Table t = *write->OpenTable("seek", true);
    for (const auto& [k, v] : model) write->Put(t, k, v);
    write->Commit();

    auto read = store->Begin(false);
    store::Cursor& c = read->TableCursor(t);
    std::vector<uint32_t> order;
    for (uint32_t n = 0; n < 2100; ++n) order.push_back(n);
    std::shuffle(order.begin(), order.end(), random);
    // Twice: the second time every record has been remembered.
    order.insert(order.end(), order.begin(), order.end());
    for (uint32_t n : order) {
        const auto want = model.lower_bound(number(n));
        ASSERT_EQ(c.Seek(number(n)), want != model.end()) << n;
        if (want == model.end()) continue;
        ASSERT_EQ(std::string(c.Key()), want->first) << n;
        ASSERT_EQ(std::string(c.Value()), want->second) << n;
        const auto after = std::next(want);
        ASSERT_EQ(c.Next(), after != model.end()) << n;
        if (after != model.end()) {
            ASSERT_EQ(std::string(c.Key()), after->first) << n;
        }
        ASSERT_TRUE(c.Seek(number(n)));
        ASSERT_EQ(c.Prev(), want != model.begin()) << n;
        if (want != model.begin()) {
            ASSERT_EQ(std::string(c.Key()), std::prev(want)->first) << n;
        }
    }
}

}  // namespace
}  // namespace kelo
