// The demo's shortcuts, made as a user makes them:
//   shell_link TARGET LINK   saves a shell link at LINK that starts TARGET
#include <windows.h>
#include <shlobj.h>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, MAX_PATH);
    bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                            reinterpret_cast<void**>(&link))) &&
                 SUCCEEDED(link->SetPath(argv[1])) &&
                 SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                 SUCCEEDED(file->Save(path, TRUE));
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    CoUninitialize();
    return saved ? 0 : 1;
}
