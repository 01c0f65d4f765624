// The store's tables keep LMDB's byte order whatever the keys' lengths, so companies written by
// any version stay readable and index walks meet keys in the order they always did.
#include <algorithm>
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

}  // namespace
}  // namespace kelo
