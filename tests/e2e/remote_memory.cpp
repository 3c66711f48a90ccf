// Blocks of memory in the target process, and the status bar and drop operations that need them.
#include "tests/e2e/remote_memory.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

namespace e2e {

namespace {

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

// The status bar holds at most this many parts.
constexpr int kMaxParts = 256;

}  // namespace

RemoteBuffer::RemoteBuffer(HWND window, size_t size) : size_(size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer()
{
    if (address_)
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_)
        CloseHandle(process_);
}

bool RemoteBuffer::Write(const void* data, size_t bytes, size_t offset)
{
    SIZE_T written = 0;
    return address_ && offset + bytes <= size_ &&
           WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, bytes, &written) &&
           written == bytes;
}

bool RemoteBuffer::Read(void* data, size_t bytes, size_t offset) const
{
    SIZE_T read = 0;
    return address_ && offset + bytes <= size_ &&
           ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, bytes, &read) && read == bytes;
}

std::vector<int> StatusBarPartEdges(HWND statusBar)
{
    RemoteBuffer edges(statusBar, kMaxParts * sizeof(int));
    if (!edges.Valid())
        return {};
    LRESULT count = SendTo(statusBar, SB_GETPARTS, kMaxParts, reinterpret_cast<LPARAM>(edges.Address()));
    if (count <= 0 || count > kMaxParts)
        return {};
    std::vector<int> result(count);
    if (!edges.Read(result.data(), count * sizeof(int)))
        return {};
    return result;
}

std::vector<std::string> StatusBarTexts(HWND statusBar)
{
    std::vector<std::string> texts;
    size_t parts = StatusBarPartEdges(statusBar).size();
    for (size_t part = 0; part < parts; ++part) {
        // The length is in bytes on Windows but in UTF-16 units under Wine: twice it (plus the
        // terminator) holds the Shift-JIS text either way, since SB_GETTEXTA takes no buffer size.
        LRESULT length = SendTo(statusBar, SB_GETTEXTLENGTHA, part, 0);
        if (length < 0)
            return {};
        size_t capacity = 2 * LOWORD(length) + 1;
        RemoteBuffer buffer(statusBar, capacity);
        if (!buffer.Valid() || SendTo(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer.Address())) < 0)
            return {};
        std::string text(capacity, '\0');
        if (!buffer.Read(text.data(), capacity))
            return {};
        text.resize(std::find(text.begin(), text.end(), '\0') - text.begin());
        // A part's text starts with one tab to be centred, two to be right-aligned: the user sees
        // the text alone.
        text.erase(0, std::min(text.find_first_not_of('\t'), text.size()));
        texts.push_back(std::move(text));
    }
    return texts;
}

bool DropFiles(HWND window, const std::vector<std::string>& paths, POINT at)
{
    std::string names;
    for (const std::string& path : paths)
        names.append(path).push_back('\0');
    names.push_back('\0');
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = at;
    header.fNC = FALSE;
    header.fWide = FALSE;
    RemoteBuffer block(window, sizeof header + names.size());
    if (!block.Write(&header, sizeof header) || !block.Write(names.data(), names.size(), sizeof header))
        return false;
    if (!PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block.Address()), 0))
        return false;
    block.Release();  // the target's DragFinish owns it now
    return true;
}

}  // namespace e2e
