#include "cli/Commands.h"

#include <cstdio>

namespace lumivar::cli {

// Filled in with the calculation engine.
int RunCalc(const Args&)
{
    std::fputs("calc: not available yet\n", stderr);
    return 3;
}
int RunPoint(const Args&)
{
    std::fputs("point: not available yet\n", stderr);
    return 3;
}
int RunLumen(const Args&)
{
    std::fputs("lumen: not available yet\n", stderr);
    return 3;
}

} // namespace lumivar::cli
