// Times a whole menu build (discovery, order, document) against the cost of
// merely loading and freeing the same plug-in libraries, for growing numbers
// of plug-ins, and prints the ratio. A build loads every plug-in twice (once
// to discover it, once for its document line), so a ratio near 2 means the
// catalog's own work is negligible.
//
// Run under Wine from the build folder:
//   bench/menu_build_bench.exe <folder with a test plug-in> [rounds]
#include "catalog/AppCatalog.h"
#include "framework/Handle.h"
#include "support/Registry.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: menu_build_bench <plug-in dll> [rounds]\n");
        return 2;
    }
    const std::string plugin = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string appInfo = std::string(temp) + "lumbra_bench_appinfo\\";
    fw::UniqueRegKey key;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);

    // The libraries a menu has loaded before it asks its plug-ins (the shell,
    // for the Program Files folder), so loading alone pays for the same.
    CAppCatalog installed;
    std::printf("%8s %14s %14s %8s\n", "plug-ins", "load+free (s)", "menu build (s)", "ratio");
    for (int count : {8, 32, 128}) {
        ::CreateDirectoryA(appInfo.c_str(), nullptr);
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back(appInfo + "Bench" + std::to_string(i) + ".dll");
            ::CopyFileA(plugin.c_str(), paths.back().c_str(), FALSE);
        }
        auto start = Clock::now();
        for (int r = 0; r < rounds; ++r)
            for (const std::string& path : paths)
                fw::UniqueLibrary library(::LoadLibraryA(path.c_str()));
        double loading = Seconds(start) / rounds;

        start = Clock::now();
        for (int r = 0; r < rounds; ++r) {
            CAppCatalog catalog(appInfo, appInfo);
            catalog.Refresh();
            catalog.ApplyOrder("Sort");
            catalog.SaveOrder("Sort");
            catalog.WriteMenuDocument(std::string(temp) + "lumbra_bench.xml");
        }
        double building = Seconds(start) / rounds;
        std::printf("%8d %14.4f %14.4f %8.2f\n", count, loading, building, loading > 0 ? building / loading : 0.0);
        for (const std::string& path : paths)
            ::DeleteFileA(path.c_str());
    }
    ::RemoveDirectoryA(appInfo.c_str());
    ::DeleteFileA((std::string(temp) + "lumbra_bench.xml").c_str());
    return 0;
}
