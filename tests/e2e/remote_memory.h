// Memory inside the program under test, for the messages whose pointers Wine does not carry across
// processes (status bar queries, dropped files): the driver writes and reads a block in the target.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class RemoteBuffer {
public:
    // Allocates `size` bytes, zeroed, in the process that owns `window`.
    RemoteBuffer(HWND window, size_t size);
    ~RemoteBuffer();  // frees the block unless Release() handed it to the target
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The block's address in the target, to pass in a message.
    void* Address() const { return address_; }
    size_t Size() const { return size_; }
    bool Write(const void* data, size_t bytes, size_t offset = 0);
    bool Read(void* data, size_t bytes, size_t offset = 0) const;
    // Leaves the block to the target, which frees it itself (DragFinish does for a dropped-files block).
    void Release() { address_ = nullptr; }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

// A status bar window of another process: the right edges of its parts (SB_GETPARTS) and the texts of
// all parts (SB_GETTEXTA) as the user sees them, without the tabs that align them.
std::vector<int> StatusBarPartEdges(HWND statusBar);
std::vector<std::string> StatusBarTexts(HWND statusBar);

// Drops files on a window of another process, as the shell does: a DROPFILES block with the ANSI names
// (Windows paths) in the target, then WM_DROPFILES with its address. `at` is in client coordinates.
bool DropFiles(HWND window, const std::vector<std::string>& paths, POINT at = {10, 10});

}  // namespace e2e
