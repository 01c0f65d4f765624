// The saved window placement is text in a settings file anyone can edit: any text either parses
// to a placement that formats and parses back the same, or is refused.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "src/app/WindowPlacement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto placement = kelo::WindowPlacement::Parse(text);
    if (!placement) return 0;
    (void)placement->Fits(1920, 1080, 16, 16);
    (void)placement->RestoredShowCommand();
    const std::string again = placement->Format();
    const auto reparsed = kelo::WindowPlacement::Parse(again);
    if (!reparsed || reparsed->Format() != again) std::abort();
    return 0;
}
