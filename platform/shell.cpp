// The shell's side of a window: files dropped on it from the shell.
#include "platform/shell.h"

namespace platform {

void AcceptDroppedFiles(HWND window, bool accept) { ::DragAcceptFiles(window, accept ? TRUE : FALSE); }

unsigned DroppedFileCount(HDROP drop) { return ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0); }

unsigned DroppedFileNameLength(HDROP drop, unsigned index) { return ::DragQueryFileA(drop, index, nullptr, 0); }

std::string DroppedFileName(HDROP drop, unsigned index, unsigned bufferSize)
{
    std::string name(bufferSize, '\0');
    const unsigned length = ::DragQueryFileA(drop, index, name.data(), bufferSize);
    name.resize(length < bufferSize ? length : bufferSize - 1);
    return name;
}

void FinishDrop(HDROP drop) { ::DragFinish(drop); }

}  // namespace platform
