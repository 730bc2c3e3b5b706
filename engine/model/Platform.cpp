#include "Platform.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#endif

#include <vector>

namespace loom::platform {

#if defined(_WIN32)

void* OpenLibrary(const String& path, String& error)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) error.Format("error %lu", static_cast<unsigned long>(GetLastError()));
    return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

String CurrentDirectory()
{
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    return n ? String(buffer.data(), static_cast<int>(n)) : String();
}

bool ChangeDirectory(const String& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

bool DirectoryExists(const String& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsAbsolute(const String& path)
{
    const char* p = path.c_str();
    if ((p[0] == '\\' || p[0] == '/') ) return true;
    return ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':';
}

char Separator() { return '\\'; }

String ProgramDirectory()
{
    std::vector<char> buffer(32768);
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    String path(buffer.data(), static_cast<int>(n));
    const int cut = path.str().find_last_of("\\/") == std::string::npos
                        ? -1 : static_cast<int>(path.str().find_last_of("\\/"));
    return cut < 0 ? String(".") : path.SubString(0, cut);
}

#else

void* OpenLibrary(const String& path, String& error)
{
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!library) {
        const char* message = dlerror();
        error = message ? message : "unknown error";
    }
    return library;
}

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

String CurrentDirectory()
{
    std::vector<char> buffer(PATH_MAX + 1);
    return getcwd(buffer.data(), buffer.size()) ? String(buffer.data()) : String();
}

bool ChangeDirectory(const String& path) { return chdir(path.c_str()) == 0; }

bool DirectoryExists(const String& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsAbsolute(const String& path) { return path[0] == '/'; }

char Separator() { return '/'; }

String ProgramDirectory()
{
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return String(".");
    String path(buffer.data(), static_cast<int>(n));
    const size_t cut = path.str().find_last_of('/');
    return cut == std::string::npos ? String(".") : path.SubString(0, static_cast<int>(cut));
}

#endif

}  // namespace loom::platform
