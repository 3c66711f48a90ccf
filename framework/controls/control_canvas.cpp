// TControlCanvas: the canvas of a control, drawing on a cached device context of its window.
#include "framework/controls/control_canvas.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "framework/controls/win_control.h"
#include "framework/core/class_info.h"
#include "platform/gdi.h"

namespace {

// The control canvases that hold a device context.
struct DeviceContextList {
    std::recursive_mutex lock;
    std::vector<TControlCanvas*> canvases;
};

DeviceContextList& HeldContexts()
{
    static DeviceContextList* list = new DeviceContextList;
    return *list;
}

}  // namespace

const TClassInfo& TControlCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TControlCanvas, TCanvas>("TControlCanvas").Build();
    return info;
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control)
{
    if (control == control_)
        return;
    FreeHandle();
    control_ = control;
}

void TControlCanvas::CreateHandle()
{
    if (!control_) {
        TCanvas::CreateHandle();
        return;
    }
    if (!deviceContext_) {
        DeviceContextList& list = HeldContexts();
        std::lock_guard<std::recursive_mutex> guard(list.lock);
        if (auto* windowed = dynamic_cast<TWinControl*>(control_)) {
            window_ = windowed->Handle();
            deviceContext_ = platform::CachedWindowDC(window_);
        } else if (TWinControl* parent = control_->Parent()) {
            window_ = parent->Handle();
            deviceContext_ = platform::CachedWindowDC(window_);
            if (deviceContext_) {
                platform::MoveWindowOrigin(deviceContext_, control_->Left(), control_->Top());
                platform::IntersectClipRect(deviceContext_, {0, 0, control_->Width(), control_->Height()});
            }
        }
        if (!deviceContext_)
            return;  // drawing raises the canvas error
        list.canvases.push_back(this);
    }
    SetHandle(deviceContext_);
    UpdateTextFlags();
}

void TControlCanvas::FreeHandle()
{
    if (!deviceContext_)
        return;
    DeviceContextList& list = HeldContexts();
    std::lock_guard<std::recursive_mutex> guard(list.lock);
    SetHandle(nullptr);
    platform::ReleaseWindowDC(window_, deviceContext_);
    deviceContext_ = nullptr;
    list.canvases.erase(std::find(list.canvases.begin(), list.canvases.end(), this));
}

void TControlCanvas::UpdateTextFlags()
{
    if (control_ && control_->UseRightToLeftReading())
        SetTextFlags(TextFlags() | ETO_RTLREADING);
    else
        SetTextFlags(TextFlags() & ~static_cast<UINT>(ETO_RTLREADING));
}

void FreeDeviceContexts()
{
    DeviceContextList& list = HeldContexts();
    std::lock_guard<std::recursive_mutex> guard(list.lock);
    for (std::size_t i = list.canvases.size(); i-- > 0;) {
        TControlCanvas* canvas = list.canvases[i];
        if (canvas->TryLock()) {
            canvas->FreeHandle();
            canvas->Unlock();
        }
    }
}
