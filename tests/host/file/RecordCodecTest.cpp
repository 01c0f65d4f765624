// The stored form of a record: whatever it holds comes back whole, and any change to the stored
// bytes is found rather than read as a record.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "host/file/RecordCodec.h"

namespace kelo {
namespace {

std::string randomBytes(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = char(gen());
    return s;
}

struct Sample {
    const char* name;
    std::string record;
};

const Sample kSamples[] = {
    {"one byte", "x"},
    {"zeros", std::string(784, '\0')},
    {"padded text", "SMITH   Smith & Sons Ltd" + std::string(4795, ' ')},
    {"incompressible", randomBytes(539, 7)},
    {"large", std::string(12392, 'a')},
};

// Every record file's tests read back what they wrote; here each sample's stored size, the notes'
// reading, and damage.
TEST(RecordCodec, EveryRecordComesBackWhole)
{
    for (const Sample& s : kSamples) {
        const std::string stored = codec::Encode(42, s.record);
        std::string text;
        EXPECT_TRUE(codec::DecodeText(42, stored, text)) << s.name;
        EXPECT_EQ(text, s.record) << s.name;
        EXPECT_LE(stored.size(), s.record.size() + 8) << s.name << ": more than a few bytes of header";
    }
    EXPECT_LT(codec::Encode(1, kSamples[2].record).size(), kSamples[2].record.size() / 8);
}

TEST(RecordCodec, EveryFlippedByteAndEveryCutIsDamage)
{
    for (const Sample& s : kSamples) {
        const std::string stored = codec::Encode(42, s.record);
        std::string back(s.record.size(), '\0');
        for (size_t i = 0; i < stored.size(); ++i) {
            std::string bad = stored;
            bad[i] = char(bad[i] ^ (1 << (i % 8)));
            EXPECT_FALSE(codec::Decode(42, bad, back.data(), back.size())) << s.name << " byte " << i;
        }
        for (size_t n = 0; n < stored.size(); n += 1 + n / 4)
            EXPECT_FALSE(codec::Decode(42, stored.substr(0, n), back.data(), back.size()))
                << s.name << " cut to " << n;
        // A record of another length is not this file's record.
        std::string other(s.record.size() + 1, '\0');
        EXPECT_FALSE(codec::Decode(42, stored, other.data(), other.size())) << s.name;
        // Nor is a record stored under another number: its key was damaged.
        for (const uint32_t number : {0u, 41u, 43u, 42u | 0x80000000u})
            EXPECT_FALSE(codec::Decode(number, stored, back.data(), back.size()))
                << s.name << " under " << number;
    }
}

}  // namespace
}  // namespace kelo
