// Bytes as the store may hold them after damage: decoding never reads or writes past either
// buffer, and whatever decodes re-encodes to a record that decodes the same.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/file/RecordCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    const size_t length = size_t(data[0]) << 4;  // record lengths up to 4 KiB
    const std::string_view stored(reinterpret_cast<const char*>(data + 1), size - 1);
    auto out = std::make_unique<char[]>(length + 1);
    // The corpus was stored under number 0.
    if (kelo::codec::Decode(0, stored, out.get(), length)) {
        std::string again(length, '\0');
        if (!kelo::codec::Decode(7, kelo::codec::Encode(7, std::string_view(out.get(), length)),
                                 again.data(), length) ||
            again != std::string_view(out.get(), length))
            __builtin_trap();
    }
    std::string text;
    (void)kelo::codec::DecodeText(0, stored, text);
    // Any record round-trips under its own number, and no other.
    const std::string encoded = kelo::codec::Encode(size, stored);
    std::string back(stored.size(), '\0');
    if (!kelo::codec::Decode(size, encoded, back.data(), back.size()) || back != stored ||
        kelo::codec::Decode(size + 1, encoded, back.data(), back.size()))
        __builtin_trap();
    return 0;
}
