// Linked into every test binary: the environment the tests expect, whether ctest or a person
// starts them. Values already set win.
#include <cstdlib>

namespace {

const int kEnvironmentSet = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("KELO_SOURCE_DIR", KELO_SOURCE_DIR_VALUE, 0);
    return 0;
}();

}  // namespace
