#pragma once
// The sub-commands of lumivar-cli. Each takes the arguments after its own name,
// prints to stdout, writes errors to stderr and returns the process exit code.

#include <string>
#include <vector>

namespace lumivar::cli {

using Args = std::vector<std::string>;

int RunInfo(const Args& args); // info FILE [--json]
int RunCalc(const Args& args); // calc FILE.prj [-o OUT.prj] [--json] [--plain]
int RunPoint(const Args& args); // point FILE.prj SURFACE A B
int RunLumen(const Args& args); // lumen FILE.prj [--ref N] [--json]

} // namespace lumivar::cli
