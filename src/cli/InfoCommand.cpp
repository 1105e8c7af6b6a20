#include "cli/Commands.h"

#include <cstdio>

namespace lumivar::cli {

int RunInfo(const Args&)
{
    std::fputs("info: not available yet\n", stderr);
    return 3;
}

} // namespace lumivar::cli
