// The copy tool's library for tests: Exec(0) appends "copytool <argument>" to
// the file named by LUMBRA_TEST_LOG.
#include <windows.h>

#include <cstdint>
#include <cstdio>

extern "C" __declspec(dllexport) void __cdecl Exec(intptr_t argument)
{
    char path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("LUMBRA_TEST_LOG", path, MAX_PATH))
        return;
    if (FILE* out = std::fopen(path, "a")) {
        std::fprintf(out, "copytool %ld\n", static_cast<long>(argument));
        std::fclose(out);
    }
}
