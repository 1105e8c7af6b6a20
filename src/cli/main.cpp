// lumivar-cli: inspect project and photometric files and run calculations without a window.

#include "cli/Commands.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

void Usage()
{
    std::fputs("usage: lumivar-cli COMMAND ...\n"
               "  info FILE [--json]                            summary of a project or photometric file\n"
               "  calc FILE.prj [-o OUT.prj] [--json] [--plain]  calculate and store the results\n"
               "  point FILE.prj SURFACE A B                    direct illuminance at one point\n"
               "  lumen FILE.prj [--ref N] [--json]             lumen method for reference N\n",
               stderr);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace lumivar::cli;
    const std::map<std::string, int (*)(const Args&)> commands{
        {"info", RunInfo}, {"calc", RunCalc}, {"point", RunPoint}, {"lumen", RunLumen}};
    if (argc < 2) {
        Usage();
        return 2;
    }
    const auto it = commands.find(argv[1]);
    if (it == commands.end()) {
        Usage();
        return 2;
    }
    return it->second(Args(argv + 2, argv + argc));
}
