// The library's tests never open a synthesizer unless a test asks for one: set before any test
// starts, also when the binary runs outside CTest.
#include <cstdlib>

namespace {
const bool kEnvironmentSet = [] {
    setenv("RONVALET_OUTPUT", "none", 0);
    return true;
}();
}  // namespace
