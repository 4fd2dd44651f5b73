// What scripts/package.sh cannot see from a shell: runs one installed program
// and reports what a user would see, one "name=value" line each.
//   PackageProbe menu <Lumbra.exe>       rows=<rows of the built-in player>
//   PackageProbe box <program>           box=<text of its one message box>, exit=<code>
//   PackageProbe run <command line>      exit=<code>, the line passed as it stands
//   PackageProbe run-holding-LumbraMtx <command line>   the same while the
//                                        menu's mutex exists
//   PackageProbe shortcut <.lnk>         target=<path>, folder=<working folder>
#include "framework/ComPtr.h"
#include "framework/GdiGuards.h"
#include "tests/common/MessageBoxProbe.h"
#include "tests/common/TestSystem.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

using namespace testing_support;

namespace {
const DWORD kTimeout = 30000;

void PrintExit(ChildProcess& process)
{
    std::optional<DWORD> code = process.Wait(kTimeout);
    std::printf("exit=%s\n", code ? std::to_string(*code).c_str() : "timeout");
}

// The list of the built-in player (the prefix has no Flash control): its row
// count once the menu has filled it.
int MenuRows(const char* program)
{
    ChildProcess menu;
    if (!menu.Start("\"" + std::string(program) + "\""))
        return -1;
    HWND window = WaitForWindow("Imagora Menu", menu.Id(), kTimeout);
    HWND player = window ? ::FindWindowExA(window, nullptr, "LumbraMenuPlayer", nullptr) : nullptr;
    int rows = -1;
    // Counted once the menu is built: while it is, its list is named by the
    // build's progress.
    Eventually([&] {
        char name[64] = {};
        ::GetWindowTextA(::GetDlgItem(player, 10), name, sizeof name);
        rows = static_cast<int>(::SendDlgItemMessageA(player, 10, LB_GETCOUNT, 0, 0));
        return rows > 0 && std::string(name) == "Applications";
    });
    return player ? rows : -1;
}

bool PrintShortcut(const char* link)
{
    fw::ScopedComInit com;
    fw::ComPtr<IShellLinkA> shellLink;
    fw::ComPtr<IPersistFile> file;
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, link, -1, wide, MAX_PATH);
    char target[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    bool read = SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                             shellLink.receiveVoid())) &&
                SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, file.receiveVoid())) &&
                SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, 0)) &&
                SUCCEEDED(shellLink->GetWorkingDirectory(folder, MAX_PATH));
    std::printf("target=%s\nfolder=%s\n", target, folder);
    return read;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string command = argv[1];
    ChildProcess program;
    if (command == "menu") {
        std::printf("rows=%d\n", MenuRows(argv[2]));
    } else if (command == "box") {
        if (!program.Start("\"" + std::string(argv[2]) + "\""))
            return 1;
        std::optional<MessageBoxSeen> box = DismissNextMessageBox(kTimeout, program.Id());
        std::printf("box=%s\n", box ? box->text.c_str() : "(none)");
        PrintExit(program);
    } else if (command == "run" || command == "run-holding-LumbraMtx") {
        fw::UniqueKernelHandle mutex(command == "run" ? nullptr : ::CreateMutexA(nullptr, TRUE, "LumbraMtx"));
        if ((command != "run" && !mutex) || !program.Start(argv[2]))
            return 1;
        PrintExit(program);
    } else if (command == "shortcut") {
        return PrintShortcut(argv[2]) ? 0 : 1;
    } else {
        return 2;
    }
    return 0;
}
