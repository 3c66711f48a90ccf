// Owner-drawn menu entries: which picture an item shows, how big its entry is and how it looks;
// the menu's answers to the system's measure and draw requests.
#include <algorithm>

#include "framework/controls/screen.h"
#include "framework/graphics/color.h"
#include "framework/graphics/screen_canvas.h"
#include "framework/menus/menu.h"
#include "platform/gdi.h"
#include "platform/screen.h"

namespace {

// Space around the picture, between picture and text, and after the text or shortcut.
constexpr int PictureMargin = 2;
constexpr int TextGap = 4;
constexpr int EndPadding = 8;
// Between the caption and the shortcut text of a drop-down entry.
constexpr int ShortcutGap = 16;

// The picture an item shows: its image list's picture for ImageIndex, else its Bitmap; none when
// it has neither.
struct ItemPicture {
    const TCustomImageList* list = nullptr;
    int index = -1;
    const TBitmap* bitmap = nullptr;

    explicit ItemPicture(const TMenuItem& item)
    {
        const TCustomImageList* images = item.ImageList();
        if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
            list = images;
            index = item.ImageIndex();
        } else if (!item.Bitmap()->Empty()) {
            bitmap = item.Bitmap();
        }
    }
    bool Present() const { return list || bitmap; }
    SIZE Size() const
    {
        if (list)
            return {list->Width(), list->Height()};
        if (bitmap)
            return {bitmap->Width(), bitmap->Height()};
        return {0, 0};
    }
    void Draw(HDC dc, int x, int y, bool enabled) const
    {
        if (list)
            list->Draw(dc, x, y, index, enabled);
        else if (bitmap)
            bitmap->DrawAt(dc, x, y, enabled);
    }
};

// The room of the pictures and check marks of a drop-down: as big as the item's image list's
// pictures (so that siblings line up and are as high), at least a check mark's, with margins.
SIZE PictureRoom(const TMenuItem& item, const ItemPicture& picture)
{
    SIZE room{platform::SystemMetric(SM_CXMENUCHECK), platform::SystemMetric(SM_CYMENUCHECK)};
    if (const TCustomImageList* images = item.ImageList())
        room = {std::max(room.cx, static_cast<LONG>(images->Width())),
                std::max(room.cy, static_cast<LONG>(images->Height()))};
    SIZE own = picture.Size();
    return {std::max(room.cx, own.cx) + 2 * PictureMargin, std::max(room.cy, own.cy) + 2 * PictureMargin};
}

// The caption's extent as DrawText shows it (hotkey markers take no room).
SIZE CaptionExtent(TCanvas& canvas, const std::string& text, UINT format)
{
    RECT r{0, 0, 0, 0};
    platform::DrawText(canvas.Handle(), text, r, format | DT_CALCRECT | DT_SINGLELINE);
    return {r.right - r.left, r.bottom - r.top};
}

// A tick, or a dot for a radio item, in the pen's colour, centred in `box`.
void DrawCheckMark(TCanvas& canvas, const RECT& box, bool radio)
{
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    if (radio) {
        canvas.Brush()->SetColor(canvas.Pen()->Color());
        canvas.Ellipse({cx - 3, cy - 3, cx + 3, cy + 3});
        return;
    }
    for (int dy = 0; dy < 3; ++dy)
        canvas.Polyline({{cx - 3, cy - 1 + dy}, {cx - 1, cy + 1 + dy}, {cx + 4, cy - 4 + dy}});
}

}  // namespace

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    if (IsLine()) {
        width = 0;
        height = platform::SystemMetric(SM_CYMENU) / 2;
    } else {
        ItemPicture picture(*this);
        SIZE text = CaptionExtent(canvas, caption_, 0);
        if (OnMainMenuBar()) {
            int pictureWidth = picture.Present() ? picture.Size().cx + TextGap : 0;
            width = pictureWidth + text.cx + EndPadding;
            height = std::max(static_cast<int>(text.cy), static_cast<int>(picture.Size().cy)) + 2 * PictureMargin;
        } else {
            SIZE room = PictureRoom(*this, picture);
            width = room.cx + TextGap + text.cx + EndPadding;
            std::string shortcut = EntryShortcut();
            if (!shortcut.empty())
                width += ShortcutGap + CaptionExtent(canvas, shortcut, DT_NOPREFIX).cx;
            height = std::max(static_cast<int>(text.cy) + 2 * PictureMargin, static_cast<int>(room.cy));
        }
    }
    if (OnMeasureItem)
        OnMeasureItem(this, &canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, const TMenuDrawState& state)
{
    if (OnDrawItem)
        OnDrawItem(this, &canvas, rect, state.Selected);
    else
        DefaultDrawItem(canvas, rect, state);
}

void TMenuItem::DefaultDrawItem(TCanvas& canvas, const RECT& rect, const TMenuDrawState& state)
{
    TColor textColor = state.Grayed ? clGrayText : state.Selected ? clHighlightText : clMenuText;
    canvas.Brush()->SetColor(state.Selected && !IsLine() ? clHighlight : clMenu);
    canvas.FillRect(rect);
    int middle = (rect.top + rect.bottom) / 2;
    if (IsLine()) {
        canvas.Pen()->SetColor(clBtnShadow);
        canvas.MoveTo(rect.left + 1, middle - 1);
        canvas.LineTo(rect.right - 1, middle - 1);
        canvas.Pen()->SetColor(clBtnHighlight);
        canvas.MoveTo(rect.left + 1, middle);
        canvas.LineTo(rect.right - 1, middle);
        return;
    }
    bool bar = OnMainMenuBar();
    ItemPicture picture(*this);
    SIZE size = picture.Size();
    RECT column{
        rect.left, rect.top,
        rect.left + (bar ? (picture.Present() ? size.cx + TextGap : 0) : PictureRoom(*this, picture).cx), rect.bottom};
    if (picture.Present()) {
        int x = bar ? rect.left + TextGap / 2 : column.left + (column.right - column.left - size.cx) / 2;
        int y = middle - size.cy / 2;
        if (checked_) {
            // A checked item with a picture shows it framed.
            canvas.Brush()->SetColor(clBtnShadow);
            canvas.FrameRect({x - 1, y - 1, x + size.cx + 1, y + size.cy + 1});
        }
        picture.Draw(canvas.Handle(), x, y, !state.Grayed);
    } else if (checked_ && !bar) {
        canvas.Pen()->SetColor(textColor);
        DrawCheckMark(canvas, column, radioItem_);
    }

    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(textColor);
    if (default_) {
        TFontStyles style = canvas.Font()->Style();
        style.Include(fsBold);
        canvas.Font()->SetStyle(style);
    }
    RECT text{column.right + (bar ? 0 : TextGap), rect.top, rect.right - (bar ? 0 : EndPadding), rect.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | (bar ? DT_CENTER : DT_LEFT) | (state.NoAccelerator ? DT_HIDEPREFIX : 0);
    platform::DrawText(canvas.Handle(), caption_, text, format);
    platform::DrawText(canvas.Handle(), EntryShortcut(), text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

// ---- The menu's answers to the system ----

bool TMenu::MeasureEntry(MEASUREITEMSTRUCT& request)
{
    TMenuItem* item = LocateItem(request.itemID, TMenuLookup::Command);
    if (!item)
        return false;
    TScreenCanvas canvas;
    AssignMenuFont(canvas.Font());
    int width = static_cast<int>(request.itemWidth), height = static_cast<int>(request.itemHeight);
    item->MeasureItem(canvas, width, height);
    request.itemWidth = static_cast<UINT>(std::max(width, 0));
    request.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TMenu::DrawEntry(const DRAWITEMSTRUCT& request)
{
    TMenuItem* item = LocateItem(request.itemID, TMenuLookup::Command);
    if (!item)
        return false;
    TMenuDrawState state;
    state.Selected = (request.itemState & ODS_SELECTED) != 0;
    state.Grayed = (request.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    state.Checked = (request.itemState & ODS_CHECKED) != 0;
    state.NoAccelerator = (request.itemState & ODS_NOACCEL) != 0;
    int saved = platform::SaveDC(request.hDC);
    {
        // The canvas gives the context back, its objects taken out, before the context is restored.
        TCanvas canvas;
        AssignMenuFont(canvas.Font());
        TCanvasLoan loan(canvas, request.hDC);
        item->DrawItem(canvas, request.rcItem, state);
    }
    platform::RestoreDC(request.hDC, saved);
    return true;
}
