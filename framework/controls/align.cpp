// TWinControl: alignment of the children. Groups in the order top, bottom, left, right, client,
// custom, none; then anchors keep distances to the edges or proportions of the parent.
#include <algorithm>
#include <vector>

#include "framework/controls/win_control.h"

namespace {

// Whether `c1` goes before `c2` in the group of `align`.
bool InsertBefore(const TControl* c1, const TControl* c2, TAlign align)
{
    switch (align) {
    case alTop: return c1->Top() < c2->Top();
    case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft: return c1->Left() < c2->Left();
    case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
    }
}

bool TakesPartInAlignment(const TControl* control)
{
    return control->Visible() ||
           (control->HasState(csDesigning) && !control->ControlStyle().Contains(csNoDesignVisible));
}

}  // namespace

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign()
{
    --alignLevel_;
    if (alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control)
{
    if (!handle_ || HasState(csDestroying))
        return;
    if (alignLevel_ != 0) {
        controlState_.Include(csAlignmentNeeded);
        return;
    }
    DisableAlign();
    try {
        RECT rect = ClientRect();
        AlignControls(control, rect);
    } catch (...) {
        controlState_.Exclude(csAlignmentNeeded);
        EnableAlign();
        throw;
    }
    // Requests made by the children while they were placed are satisfied by this pass.
    controlState_.Exclude(csAlignmentNeeded);
    EnableAlign();
}

void TWinControl::AlignControls(TControl* control, RECT& rect)
{
    bool needed = false;
    for (int i = 0; i < ControlCount() && !needed; ++i) {
        TControl* child = Controls(i);
        needed = child->Align() != alNone || !(child->Anchors() == TAnchors{akLeft, akTop});
    }
    if (needed) {
        AdjustClientRect(rect);
        for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone})
            DoAlign(align, control, rect);
    }
    if (Showing())
        AdjustSize();
}

void TWinControl::AdjustSize()
{
    if (!AutoSize() || HasState(csLoading) || !handle_)
        return;
    int right = 0, bottom = 0;
    bool any = false;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible() || child->Align() == alClient)
            continue;
        any = true;
        right = std::max(right, child->Left() + child->Width());
        bottom = std::max(bottom, child->Top() + child->Height());
    }
    if (!any)
        return;
    RECT client = ClientRect();
    SetBounds(left_, top_, right + (width_ - client.right), bottom + (height_ - client.bottom));
}

void TWinControl::DoAlign(TAlign align, TControl* control, RECT& rect)
{
    std::vector<TControl*> group;
    if (control && control->Parent() == this && control->Align() == align && TakesPartInAlignment(control))
        group.push_back(control);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child == control || child->Align() != align || !TakesPartInAlignment(child))
            continue;
        std::size_t j = 0;
        while (j < group.size() && !InsertBefore(child, group[j], align))
            ++j;
        group.insert(group.begin() + static_cast<std::ptrdiff_t>(j), child);
    }
    RECT client = ClientRect();
    for (TControl* child : group) {
        if (align == alNone || !(child->Anchors() == AnchorsOfAlign(align))) {
            PlaceByAnchors(child, align, client);
            if (align == alNone)
                continue;
        }
        int width = rect.right - rect.left;
        if (width < 0 || align == alLeft || align == alRight || align == alCustom)
            width = child->Width();
        int height = rect.bottom - rect.top;
        if (height < 0 || align == alTop || align == alBottom || align == alCustom)
            height = child->Height();
        int left = rect.left, top = rect.top;
        switch (align) {
        case alTop: rect.top += height; break;
        case alBottom:
            rect.bottom -= height;
            top = rect.bottom;
            break;
        case alLeft: rect.left += width; break;
        case alRight:
            rect.right -= width;
            left = rect.right;
            break;
        case alCustom:
            left = child->Left();
            top = child->Top();
            break;
        default: break;
        }
        child->anchorMove_ = true;
        try {
            child->SetBounds(left, top, width, height);
        } catch (...) {
            child->anchorMove_ = false;
            throw;
        }
        child->anchorMove_ = false;
        // A child that its constraints kept from the asked size moves the remaining rectangle back.
        int dw = width - child->Width(), dh = height - child->Height();
        if (dw || dh) {
            switch (align) {
            case alTop: rect.top -= dh; break;
            case alBottom: rect.bottom += dh; break;
            case alLeft: rect.left -= dw; break;
            case alRight: rect.right += dw; break;
            case alClient:
                rect.right -= dw;
                rect.bottom -= dh;
                break;
            default: break;
            }
        }
    }
}

void TWinControl::PlaceByAnchors(TControl* control, TAlign, const RECT& client)
{
    POINT original = control->originalParentSize_;
    if (original.x == 0 || original.y == 0)
        return;
    POINT rules = control->anchorRules_;
    TAnchors anchors = control->Anchors();
    int parentWidth = client.right - client.left, parentHeight = client.bottom - client.top;
    int left = control->Left(), top = control->Top(), width = control->Width(), height = control->Height();
    if (anchors.Contains(akRight)) {
        if (anchors.Contains(akLeft))
            width = parentWidth - (original.x - rules.x);
        else
            left = parentWidth - (original.x - rules.x);
    } else if (!anchors.Contains(akLeft)) {
        left = MulDivRound(rules.x, parentWidth, original.x) - width / 2;
    }
    if (anchors.Contains(akBottom)) {
        if (anchors.Contains(akTop))
            height = parentHeight - (original.y - rules.y);
        else
            top = parentHeight - (original.y - rules.y);
    } else if (!anchors.Contains(akTop)) {
        top = MulDivRound(rules.y, parentHeight, original.y) - height / 2;
    }
    control->anchorMove_ = true;
    try {
        control->SetBounds(left, top, width, height);
    } catch (...) {
        control->anchorMove_ = false;
        throw;
    }
    control->anchorMove_ = false;
}
