// The program's own module: instance handle, command line, file name, resources and strings.
#include "platform/module.h"

namespace platform {

HINSTANCE MainInstance() { return ::GetModuleHandleA(nullptr); }

std::string ModuleFileName(HMODULE module)
{
    char buffer[MAX_PATH + 1];
    DWORD n = ::GetModuleFileNameA(module, buffer, MAX_PATH);
    return std::string(buffer, n);
}

std::string CommandLine() { return ::GetCommandLineA(); }

DWORD ProcessId() { return ::GetCurrentProcessId(); }

DWORD CurrentThreadId() { return ::GetCurrentThreadId(); }

int StartupShowCommand()
{
    STARTUPINFOA info{};
    info.cb = sizeof info;
    ::GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

std::string LoadString(unsigned id)
{
    // A string table entry holds at most 4097 characters; two bytes each in the worst case.
    char buffer[8200];
    int n = ::LoadStringA(MainInstance(), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

ResourceData LoadResourceData(HMODULE module, const char* name, const char* type)
{
    ResourceData result;
    HRSRC info = ::FindResourceA(module, name, type);
    if (!info)
        return result;
    result.handle = ::LoadResource(module, info);
    if (!result.handle)
        return result;
    result.data = ::LockResource(result.handle);
    result.size = ::SizeofResource(module, info);
    return result;
}

void FreeResourceData(const ResourceData& resource)
{
    if (resource.handle)
        ::FreeResource(resource.handle);
}

bool ResourceExists(HMODULE module, const char* name, const char* type)
{
    return ::FindResourceA(module, name, type) != nullptr;
}

void* FindProcedure(const char* module, const char* name)
{
    HMODULE handle = ::GetModuleHandleA(module);
    return handle ? reinterpret_cast<void*>(::GetProcAddress(handle, name)) : nullptr;
}

DWORD LastError() { return ::GetLastError(); }

void SetLastError(DWORD code) { ::SetLastError(code); }

std::string SystemErrorText(DWORD code)
{
    char* text = nullptr;
    DWORD n = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
            FORMAT_MESSAGE_ARGUMENT_ARRAY,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result(text ? text : "", text ? n : 0);
    if (text)
        ::LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

}  // namespace platform
