#include "Expect.h"

#include <cstdio>
#include <cstdlib>

namespace kelvara {

void ExpectationFailed(const char* condition, const char* file, int line) noexcept
{
    std::fprintf(stderr, "%s:%d: expected %s\n", file, line, condition);
    std::abort();
}

} // namespace kelvara
