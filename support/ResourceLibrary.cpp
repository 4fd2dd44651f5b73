#include "ResourceLibrary.h"

#include "OneIntFormat.h"
#include "framework/App.h"
#include "framework/FileName.h"

CResourceLibrary* g_pResourceLibrary = nullptr;

const char kMissingLibraryText[] = "A required file was not found. \nUninstall the application and then re-install it.";

bool CResourceLibrary::Load(const char* fileName)
{
    // A bare name is looked for in the program's own folder only, never in
    // the current folder or along the path.
    std::string path = fileName;
    if (fw::FolderOf(path).empty()) {
        std::string folder = fw::ProgramFolder();
        path = folder.empty() ? std::string() : folder + path;
    }
    m_hModule.reset(path.empty() ? nullptr : ::LoadLibraryA(path.c_str()));
    if (!m_hModule) {
        ::MessageBoxA(nullptr, kMissingLibraryText, fw::AppTitle().c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void CResourceLibrary::Free()
{
    m_hModule.reset();
}

std::string CResourceLibrary::LoadText(UINT id) const
{
    if (!m_hModule)
        return std::string();
    char buffer[1024];
    int length = ::LoadStringA(m_hModule.get(), id, buffer, sizeof buffer);
    if (length <= 0)
        return std::string();
    return std::string(buffer, static_cast<size_t>(length));
}

std::string LibraryTextOr(UINT id, const char* fallback)
{
    std::string text = g_pResourceLibrary ? g_pResourceLibrary->LoadText(id) : std::string();
    return text.empty() ? fallback : text;
}

bool CResourceLibrary::ShowError(HWND owner, UINT id) const
{
    if (!m_hModule)
        return false;
    ::MessageBoxA(owner, LoadText(id).c_str(), fw::AppTitle().c_str(), MB_OK | MB_ICONERROR);
    return true;
}

bool CResourceLibrary::ShowErrorFormat(HWND owner, UINT id, std::int32_t value) const
{
    if (!m_hModule)
        return false;
    std::string text = support::FormatOneInt(LoadText(id), value);
    ::MessageBoxA(owner, text.c_str(), fw::AppTitle().c_str(), MB_OK | MB_ICONERROR);
    return true;
}
