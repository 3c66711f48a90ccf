// The program's own module: instance handle, command line, file name, resources and strings.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace platform {

HINSTANCE MainInstance();
std::string ModuleFileName(HMODULE module = nullptr);
std::string CommandLine();
DWORD ProcessId();
DWORD CurrentThreadId();
int StartupShowCommand();

// Loads string table entry `id` of the main module; empty when there is none.
std::string LoadString(unsigned id);

// A resource's bytes, never copied; `data` is null when the resource was not found or loaded.
struct ResourceData {
    HGLOBAL handle = nullptr;
    const void* data = nullptr;
    std::uint32_t size = 0;
};
ResourceData LoadResourceData(HMODULE module, const char* name, const char* type);
void FreeResourceData(const ResourceData& resource);
bool ResourceExists(HMODULE module, const char* name, const char* type);

// The address of `name` in the loaded module `module` (GetModuleHandleA, GetProcAddress); null if absent.
void* FindProcedure(const char* module, const char* name);

DWORD LastError();
void SetLastError(DWORD code);
std::string SystemErrorText(DWORD code);

}  // namespace platform
