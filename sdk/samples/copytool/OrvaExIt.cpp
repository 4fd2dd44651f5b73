// The sample copy tool's library, loaded by the menu's COPY command: Exec
// starts OrvaCopy.exe from this library's own folder and returns at once.
#include <windows.h>

#include <cstdint>
#include <string>

extern "C" __declspec(dllexport) void __cdecl Exec(intptr_t)
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Exec), &self);
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    std::string program(path, length);
    program = program.substr(0, program.find_last_of('\\') + 1) + "OrvaCopy.exe";
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
