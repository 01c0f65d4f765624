// Dates as a user types them: any text either gives no date or a date that prints and reads back
// as itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/util/Dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const uint16_t number = DateStringToNumber(text);
    if (number != 0) {
        const std::string shown = DateNumberToFullString(number);
        if (DateStringToNumber(shown) != number) std::abort();
    }
    return 0;
}
