// For the installer check: what a shortcut (.lnk) starts and where.
//   shortcut_info FILE.lnk
// Prints "target: PATH" and "directory: PATH", as Explorer reads them.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shortcut_info FILE.lnk\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t path[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
    char target[MAX_PATH] = "";
    char directory[MAX_PATH] = "";
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(&link))) &&
              SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
              SUCCEEDED(file->Load(path, STGM_READ)) &&
              SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
              SUCCEEDED(link->GetWorkingDirectory(directory, MAX_PATH));
    if (ok) std::printf("target: %s\ndirectory: %s\n", target, directory);
    else std::fprintf(stderr, "shortcut_info: cannot read %s\n", argv[1]);
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    CoUninitialize();
    return ok ? 0 : 1;
}
