// Menu pictures over real native menus: which entries the framework draws, the system's measure
// and draw requests reaching their items, the picture an item shows, and a drop-down with pictures
// opened from the keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "tests/framework/menus/menus_test_support.h"
#include "tests/support/window_picture.h"

using namespace controlstest;
using namespace menustest;

namespace {

constexpr std::uint32_t Red = 0xFFD02020, Green = 0xFF209020, Blue = 0xFF2050E0, Orange = 0xFFF09020;

// Pictures of `side` pixels side by side, each a disc of its colour on a transparent ground.
TPixelImage Discs(int side, const std::vector<std::uint32_t>& colours)
{
    TPixelImage image{side * static_cast<int>(colours.size()), side, {}};
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * side);
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if ((2 * x + 1 - side) * (2 * x + 1 - side) + (2 * y + 1 - side) * (2 * y + 1 - side) <=
                    (side - 2) * (side - 2))
                    image.Pixels[static_cast<std::size_t>(y) * image.Width + i * side + x] = colours[i];
    return image;
}

// A memory bitmap of 200 × 24 pixels that an entry is drawn into and read back from.
struct Surface {
    static constexpr int Width = 200, Height = 24;
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);

    ~Surface()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    // How many pixels of the leftmost `columns` (the picture's column) have that colour.
    int Count(std::uint32_t colour, int columns = 24) const
    {
        GdiFlush();
        int count = 0;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < columns; ++x)
                count += (bits[y * Width + x] & 0xFFFFFF) == (colour & 0xFFFFFF);
        return count;
    }
};

std::uint32_t SystemColour(int index)
{
    COLORREF c = GetSysColor(index);
    return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// A menu item that notes every draw request the system makes for it.
class TNotingItem : public TMenuItem {
    DECLARE_TEST_CLASS(TNotingItem, TMenuItem)
public:
    TNotingItem(TComponent* owner, std::set<std::string>* drawn) : TMenuItem(owner), drawn_(drawn) {}
    void DrawItem(TCanvas& canvas, const RECT& rect, const TMenuDrawState& state) override
    {
        drawn_->insert(Name());
        TMenuItem::DrawItem(canvas, rect, state);
    }

private:
    std::set<std::string>* drawn_;
};

// Once every entry of the opened drop-down was drawn, takes the screen and closes the menus (or
// closes them when the deadline passes first).
struct DropDownWatcher : TObject {
    HWND window = nullptr;
    const std::set<std::string>* drawn = nullptr;
    std::set<std::string> entries;
    bool taken = false, closed = false;
    ULONGLONG deadline = 0;

    void Opened(TObject*)
    {
        deadline = GetTickCount64() + 5000;
        current = this;
        SetTimer(nullptr, 0, 50, &DropDownWatcher::Poll);
    }
    static void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD)
    {
        DropDownWatcher& w = *current;
        bool all = std::includes(w.drawn->begin(), w.drawn->end(), w.entries.begin(), w.entries.end());
        if (!all && GetTickCount64() < w.deadline)
            return;
        KillTimer(nullptr, id);
        w.taken = all && testsupport::SaveWindowPicture(w.window, "menu_images");
        EndMenu();
        w.closed = true;
    }
    static inline DropDownWatcher* current = nullptr;
};

class MenuPictures : public testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        form->SetCaption("メニューの絵");
        menu = new TMainMenu(form.get());
        images = new TImageList(form.get());
        images->Add(Discs(16, {Red, Green, Blue}));
    }

    HWND Window() { return form->WindowHandle(); }
    TMenuItem* Add(TMenuItem* parent, const char* name, const std::string& caption)
    {
        return AddItem(form.get(), parent, name, caption);
    }
    static bool OwnerDrawn(HMENU menu, std::size_t position)
    {
        return (EntriesOf(menu).at(position).type & MFT_OWNERDRAW) != 0;
    }
    // The entry of `item` drawn into `surface` through the form, as the system asks for it.
    LRESULT Draw(TMenuItem* item, Surface& surface, UINT state = 0)
    {
        DRAWITEMSTRUCT request{
            ODT_MENU, 0,       item->Command(), ODA_DRAWENTIRE,
            state,    nullptr, surface.dc,      {0, 0, Surface::Width, Surface::Height},
            0};
        request.hwndItem = reinterpret_cast<HWND>(item->Parent()->Handle());
        return SendMessageA(Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&request));
    }

    std::unique_ptr<TTestForm> form;
    TMainMenu* menu = nullptr;
    TImageList* images = nullptr;
};

TEST_F(MenuPictures, EntriesWithPicturesAreDrawnByTheFrameworkAndOthersKeepTheirText)
{
    using Set = std::function<void(TMenuItem * save, TMenuItem * recent)>;
    struct Case {
        const char* name;
        Set set;
        std::vector<bool> ownerDrawn;  // the bar's entry, 開く, 保存, 最近, and 最近's entry
    } cases[] = {
        {"no pictures", [](auto, auto) {}, {false, false, false, false, false}},
        {"an item's Bitmap",
         [](auto save, auto) { save->Bitmap()->SetImage(Discs(16, {Blue})); },
         {false, false, true, false, false}},
        {"a submenu's SubMenuImages",
         [this](auto, auto recent) { recent->SetSubMenuImages(images); },
         {false, false, false, false, true}},
        {"the menu's Images", [this](auto, auto) { menu->SetImages(images); }, {true, true, true, true, true}},
        {"OwnerDraw", [this](auto, auto) { menu->SetOwnerDraw(true); }, {true, true, true, true, true}},
        {"Images that go away",
         [this](auto, auto) {
             auto* other = new TImageList(form.get());
             menu->SetImages(other);
             delete other;
         },
         {false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMenuItem* file = Add(menu->Items(), "F1", "ファイル(&F)");
        Add(file, "O1", "開く(&O)");
        TMenuItem* save = Add(file, "S1", "保存(&S)");
        TMenuItem* recent = Add(file, "R1", "最近(&R)");
        Add(recent, "R2", "a.txt");
        c.set(save, recent);
        HMENU entries = file->Handle();
        std::vector<bool> seen{
            OwnerDrawn(GetMenu(Window()), 0), OwnerDrawn(entries, 0), OwnerDrawn(entries, 1), OwnerDrawn(entries, 2),
            OwnerDrawn(recent->Handle(), 0)};
        EXPECT_EQ(seen, c.ownerDrawn);
        if (!seen[1]) {
            EXPECT_EQ(TextsOf(entries)[0], "開く(&O)") << "an entry the system draws keeps its text";
        }
        menu->Items()->Clear();
        menu->SetImages(nullptr);
        menu->SetOwnerDraw(false);
    }
}

TEST_F(MenuPictures, TheSystemsMeasureAndDrawRequestsReachTheItem)
{
    menu->SetImages(images);
    TMenuItem* edit = Add(menu->Items(), "E1", "編集(&E)");
    TMenuItem* copy = Add(edit, "C1", "コピー(&C)");
    TMenuItem* withShortcut = Add(edit, "C2", "コピー(&C)");
    withShortcut->SetShortCut(scCtrl | 'C');
    auto measure = [&](TMenuItem* item) {
        MEASUREITEMSTRUCT request{ODT_MENU, 0, item->Command(), 0, 0, 0};
        EXPECT_EQ(SendMessageA(Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&request)), 1);
        return SIZE{static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
    };
    SIZE plain = measure(copy);
    EXPECT_GE(plain.cy, 16 + 4) << "room for the image list's pictures, also without a picture of its own";
    EXPECT_GT(measure(withShortcut).cx, plain.cx) << "the shortcut text takes room";

    struct Handlers : TObject {
        std::vector<std::string> calls;
        void Measure(TObject*, TCanvas* canvas, int& width, int& height)
        {
            calls.push_back("measure " + std::to_string(canvas->TextWidth("W") > 0));
            width += 10;
            height = 40;
        }
        void DrawIt(TObject*, TCanvas* canvas, const RECT& rect, bool selected)
        {
            calls.push_back("draw " + std::to_string(rect.right) + (selected ? " selected" : ""));
            canvas->Brush()->SetColor(clRed);
            canvas->FillRect(rect);
        }
    } handlers;
    copy->OnMeasureItem = TMenuMeasureItemEvent(&handlers, &Handlers::Measure);
    copy->OnDrawItem = TMenuDrawItemEvent(&handlers, &Handlers::DrawIt);
    SIZE changed = measure(copy);
    EXPECT_EQ(changed.cx, plain.cx + 10);
    EXPECT_EQ(changed.cy, 40);

    Surface surface;
    HGDIOBJ font = GetCurrentObject(surface.dc, OBJ_FONT), brush = GetCurrentObject(surface.dc, OBJ_BRUSH);
    EXPECT_EQ(Draw(copy, surface, ODS_SELECTED), 1);
    EXPECT_EQ(handlers.calls, (std::vector<std::string>{"measure 1", "draw 200 selected"}));
    EXPECT_EQ(surface.Count(0xFF0000, Surface::Width), Surface::Width * Surface::Height) << "OnDrawItem drew it all";
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_FONT), font) << "the context gets its own objects back";
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_BRUSH), brush);
    DRAWITEMSTRUCT control{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, 0, nullptr, surface.dc, {0, 0, 1, 1}, 0};
    EXPECT_EQ(SendMessageA(Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&control)), 0)
        << "a control's request is not the menu's";
}

TEST_F(MenuPictures, AnItemShowsItsImageElseItsBitmapElseACheckMark)
{
    auto* green = new TImageList(form.get());
    green->Add(Discs(16, {Green}));
    const std::uint32_t menuText = SystemColour(COLOR_MENUTEXT), greyed = 0x1000000;  // no colour of its own
    struct Case {
        const char* name;
        int imageIndex;
        bool bitmap, subMenuImages, enabled, checked;
        std::uint32_t shown;
    } cases[] = {
        {"its image", 0, true, false, true, false, Red},
        {"an index beyond the list", 7, true, false, true, false, Orange},
        {"no index", -1, true, false, true, false, Orange},
        {"the parent's SubMenuImages", 0, false, true, true, false, Green},
        {"disabled", 0, false, false, false, false, greyed},
        {"checked without a picture", -1, false, false, true, true, menuText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        menu->SetImages(c.checked ? nullptr : images);
        menu->SetOwnerDraw(c.checked);  // a check mark, not a picture, in an entry the framework draws
        TMenuItem* edit = Add(menu->Items(), "E1", "編集(&E)");
        TMenuItem* item = Add(edit, "I1", "項目(&I)");
        item->SetImageIndex(c.imageIndex);
        if (c.bitmap)
            item->Bitmap()->SetImage(Discs(16, {Orange}));
        if (c.subMenuImages)
            edit->SetSubMenuImages(green);
        item->SetEnabled(c.enabled);
        item->SetChecked(c.checked);
        Surface surface;
        ASSERT_EQ(Draw(item, surface, c.enabled ? 0 : ODS_GRAYED), 1);
        for (std::uint32_t colour : {Red, Green, Orange, menuText})
            EXPECT_EQ(surface.Count(colour) > 0, colour == c.shown) << std::hex << colour;
        if (c.shown == greyed) {
            EXPECT_LT(surface.Count(SystemColour(COLOR_MENU)), 24 * Surface::Height) << "a grey picture";
        }
        menu->Items()->Clear();
    }
}

TEST_F(MenuPictures, ADropDownWithPicturesOpensFromTheKeyboardAndIsDrawnByItsItems)
{
    menu->SetImages(images);
    std::set<std::string> drawn;
    auto add = [&](TMenuItem* parent, const char* name, const char* caption, int image) {
        auto* item = new TNotingItem(form.get(), &drawn);
        item->SetName(name);
        item->SetCaption(caption);
        item->SetImageIndex(image);
        parent->Add(item);
        return item;
    };
    add(add(menu->Items(), "F1", "ファイル(&F)", -1), "O1", "開く(&O)", -1);
    TMenuItem* edit = add(menu->Items(), "E1", "編集(&E)", -1);
    add(edit, "U1", "元に戻す(&U)", 0)->SetShortCut(scCtrl | 'Z');
    add(edit, "N1", "-", -1);
    add(edit, "T1", "切り取り(&T)", 1)->SetShortCut(scCtrl | 'X');
    add(edit, "C1", "コピー(&C)", 2)->SetShortCut(scCtrl | 'C');
    TMenuItem* paste = add(edit, "P1", "貼り付け(&P)", -1);
    paste->Bitmap()->SetImage(Discs(16, {Orange}));
    paste->SetEnabled(false);
    add(edit, "A1", "全て選択", -1)->SetChecked(true);

    DropDownWatcher watcher;
    watcher.window = Window();
    watcher.drawn = &drawn;
    watcher.entries = {"U1", "N1", "T1", "C1", "P1", "A1"};
    edit->OnClick = TNotifyEvent(&watcher, &DropDownWatcher::Opened);
    SetForegroundWindow(Window());
    PressChord({VK_MENU, 'E'});
    ASSERT_TRUE(PumpUntil([&] { return watcher.closed; }, 10000))
        << "waited for Alt+E to open the Edit drop-down of owner-drawn entries";
    EXPECT_TRUE(watcher.taken) << "the system drew " << drawn.size() << " entries";
    EXPECT_TRUE(drawn.count("E1")) << "the bar's entries are drawn by their items too";
}

}  // namespace
