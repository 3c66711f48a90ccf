// Menu pictures over real native menus: which entries the framework draws, the system's measure
// and draw requests reaching their items, the picture an item shows, and a drop-down with pictures
// opened from the keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "framework/graphics/image_list.h"
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
    double r = side / 2.0 - 1;
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                double dx = x + 0.5 - side / 2.0, dy = y + 0.5 - side / 2.0;
                if (dx * dx + dy * dy <= r * r)
                    image.Pixels[static_cast<std::size_t>(y) * image.Width + i * side + x] = colours[i];
            }
    return image;
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

// A memory device context of 200 × 24 pixels that an entry can be drawn into and read back.
class DrawingSurface {
public:
    DrawingSurface()
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~DrawingSurface()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    HDC Dc() const { return dc_; }
    // Whether a pixel of the leftmost `columns` columns has exactly that colour (0xRRGGBB).
    bool ShowsOnTheLeft(std::uint32_t colour, int columns) const { return CountOnTheLeft(colour, columns) > 0; }
    int CountOnTheLeft(std::uint32_t colour, int columns) const
    {
        GdiFlush();
        int count = 0;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < columns; ++x)
                count += (bits_[y * Width + x] & 0xFFFFFF) == (colour & 0xFFFFFF);
        return count;
    }
    // Whether some pixel there is grey (red, green and blue equal) but not the menu's own colour.
    bool ShowsGreyOnTheLeft(int columns) const
    {
        GdiFlush();
        std::uint32_t menu = GetSysColor(COLOR_MENU);
        menu = (menu & 0xFF) << 16 | (menu & 0xFF00) | (menu >> 16 & 0xFF);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < columns; ++x) {
                std::uint32_t p = bits_[y * Width + x] & 0xFFFFFF;
                if (p != menu && (p >> 16) == (p & 0xFF) && (p >> 8 & 0xFF) == (p & 0xFF))
                    return true;
            }
        return false;
    }

    static constexpr int Width = 200, Height = 24;

private:
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// Once every entry of an opened drop-down was drawn, takes the screen and closes the menus (or
// closes them when the deadline passes first).
struct DropDownWatcher : TObject {
    HWND window = nullptr;
    const std::set<std::string>* drawn = nullptr;
    const std::set<std::string>* entries = nullptr;
    bool opened = false, taken = false;
    ULONGLONG deadline = 0;

    void Opened(TObject*)
    {
        opened = true;
        deadline = GetTickCount64() + 5000;
        current = this;
        SetTimer(nullptr, 0, 50, &DropDownWatcher::Poll);
    }
    static void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD)
    {
        DropDownWatcher& w = *current;
        bool all = std::includes(w.drawn->begin(), w.drawn->end(), w.entries->begin(), w.entries->end());
        if (!all && GetTickCount64() < w.deadline)
            return;
        KillTimer(nullptr, id);
        if (all)
            w.taken = testsupport::SaveWindowPicture(w.window, "menu_images");
        EndMenu();
        w.opened = false;
    }
    static inline DropDownWatcher* current = nullptr;
};

class MenuPictures : public testing::Test {
protected:
    void SetUp() override
    {
        form.reset(MakeShownForm());
        form->SetName("Form");
        menu = new TMainMenu(form.get());
        menu->SetName("MainMenu1");
        images = new TImageList(form.get());
        images->Add(Discs(16, {Red, Green, Blue}));
    }

    HWND Window() { return form->WindowHandle(); }
    TMenuItem* Add(TMenuItem* parent, const char* name, const std::string& caption)
    {
        return AddItem(form.get(), parent, name, caption, &log);
    }
    static bool OwnerDrawn(HMENU menu, int position)
    {
        return (EntriesOf(menu).at(static_cast<std::size_t>(position)).type & MFT_OWNERDRAW) != 0;
    }
    // The entry of `item` drawn into `surface` through the form, as the system asks for it.
    LRESULT Draw(TMenuItem* item, DrawingSurface& surface, UINT state = 0)
    {
        DRAWITEMSTRUCT request{
            ODT_MENU,
            0,
            item->Command(),
            ODA_DRAWENTIRE,
            state,
            reinterpret_cast<HWND>(item->Parent()->Handle()),
            surface.Dc(),
            {0, 0, DrawingSurface::Width, DrawingSurface::Height},
            0};
        return SendMessageA(Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&request));
    }

    std::unique_ptr<TTestForm> form;
    TMainMenu* menu = nullptr;
    TImageList* images = nullptr;
    EventLog log;
};

TEST_F(MenuPictures, EntriesWithPicturesAreDrawnByTheFrameworkAndOthersKeepTheirText)
{
    struct Case {
        const char* name;
        std::function<void(TMenuItem* save, TMenuItem* recent)> set;
        std::vector<bool> ownerDrawn;  // the bar's entry, 開く, 保存, 最近, and 最近's entry
    } cases[] = {
        {"no pictures", [](TMenuItem*, TMenuItem*) {}, {false, false, false, false, false}},
        {"one item's Bitmap",
         [](TMenuItem* save, TMenuItem*) { save->Bitmap()->SetImage(Discs(16, {Blue})); },
         {false, false, true, false, false}},
        {"a submenu's SubMenuImages",
         [this](TMenuItem*, TMenuItem* recent) { recent->SetSubMenuImages(images); },
         {false, false, false, false, true}},
        {"the menu's Images",
         [this](TMenuItem*, TMenuItem*) { menu->SetImages(images); },
         {true, true, true, true, true}},
        {"OwnerDraw", [this](TMenuItem*, TMenuItem*) { menu->SetOwnerDraw(true); }, {true, true, true, true, true}},
        {"Images that go away",
         [this](TMenuItem*, TMenuItem*) {
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
        std::vector<bool> seen{
            OwnerDrawn(GetMenu(Window()), 0), OwnerDrawn(file->Handle(), 0), OwnerDrawn(file->Handle(), 1),
            OwnerDrawn(file->Handle(), 2), OwnerDrawn(recent->Handle(), 0)};
        EXPECT_EQ(seen, c.ownerDrawn);
        if (!seen[1]) {
            EXPECT_EQ(TextsOf(file->Handle())[0], "開く(&O)") << "an entry the system draws keeps its text";
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
    copy->SetImageIndex(0);
    TMenuItem* copyWithShortcut = Add(edit, "C2", "コピー(&C)");
    copyWithShortcut->SetImageIndex(0);
    copyWithShortcut->SetShortCut(scCtrl | 'C');
    TMenuItem* line = Add(edit, "N1", "-");

    auto measure = [&](TMenuItem* item) {
        MEASUREITEMSTRUCT request{ODT_MENU, 0, item->Command(), 0, 0, 0};
        EXPECT_EQ(SendMessageA(Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&request)), 1);
        return SIZE{static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
    };
    SIZE plain = measure(copy), withShortcut = measure(copyWithShortcut), separator = measure(line);
    EXPECT_GE(plain.cy, 16 + 4) << "the picture and its margins fit";
    EXPECT_GT(withShortcut.cx, plain.cx) << "the shortcut text takes room";
    EXPECT_LT(separator.cy, plain.cy);

    struct Handlers : TObject {
        std::vector<std::string> calls;
        void Measure(TObject*, TCanvas* canvas, int& width, int& height)
        {
            calls.push_back("measure " + std::to_string(canvas && canvas->TextWidth("W") > 0));
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

    DrawingSurface surface;
    HGDIOBJ font = GetCurrentObject(surface.Dc(), OBJ_FONT), brush = GetCurrentObject(surface.Dc(), OBJ_BRUSH);
    EXPECT_EQ(Draw(copy, surface, ODS_SELECTED), 1);
    EXPECT_EQ(handlers.calls, (std::vector<std::string>{"measure 1", "draw 200 selected"}));
    EXPECT_EQ(surface.CountOnTheLeft(0xFF0000, DrawingSurface::Width), DrawingSurface::Width * DrawingSurface::Height)
        << "OnDrawItem drew the whole entry (clRed)";
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_FONT), font) << "the context gets its own objects back";
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_BRUSH), brush);

    DRAWITEMSTRUCT control{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, 0, nullptr, surface.Dc(), {0, 0, 1, 1}, 0};
    EXPECT_EQ(SendMessageA(Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&control)), 0)
        << "a control's request is not the menu's";
}

TEST_F(MenuPictures, AnItemShowsItsImageElseItsBitmapElseACheckMark)
{
    auto* green = new TImageList(form.get());
    green->Add(Discs(16, {Green}));
    COLORREF text = GetSysColor(COLOR_MENUTEXT);
    const std::uint32_t menuText = GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text);
    struct Case {
        const char* name;
        int imageIndex;
        bool bitmap, subMenuImages, enabled, checked;
        std::uint32_t shown;  // 0: grey, else the colour
    } cases[] = {
        {"its image", 0, true, false, true, false, Red},
        {"an index beyond the list", 7, true, false, true, false, Orange},
        {"no index", -1, true, false, true, false, Orange},
        {"the parent's SubMenuImages", 0, false, true, true, false, Green},
        {"disabled", 0, false, false, false, false, 0},
        {"checked without a picture", -1, false, false, true, true, menuText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        menu->SetImages(images);
        TMenuItem* edit = Add(menu->Items(), "E1", "編集(&E)");
        TMenuItem* item = Add(edit, "I1", "項目(&I)");
        item->SetImageIndex(c.imageIndex);
        if (c.bitmap)
            item->Bitmap()->SetImage(Discs(16, {Orange}));
        if (c.subMenuImages)
            edit->SetSubMenuImages(green);
        item->SetEnabled(c.enabled);
        item->SetChecked(c.checked);
        if (c.checked) {  // a check mark, not a picture, in an entry the framework draws
            menu->SetImages(nullptr);
            menu->SetOwnerDraw(true);
        }
        DrawingSurface surface;
        ASSERT_EQ(Draw(item, surface, c.enabled ? 0 : ODS_GRAYED), 1);
        if (c.shown)
            EXPECT_TRUE(surface.ShowsOnTheLeft(c.shown, 24));
        else
            EXPECT_TRUE(!surface.ShowsOnTheLeft(Red, 24) && surface.ShowsGreyOnTheLeft(24)) << "greyed";
        for (std::uint32_t other : {Red, Green, Orange})
            if (other != c.shown) {
                EXPECT_FALSE(surface.ShowsOnTheLeft(other, 24)) << std::hex << other;
            }
        menu->Items()->Clear();
        menu->SetOwnerDraw(false);
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
    const std::set<std::string> entries{"U1", "N1", "T1", "C1", "P1", "A1"};

    DropDownWatcher watcher;
    watcher.window = Window();
    watcher.drawn = &drawn;
    watcher.entries = &entries;
    edit->OnClick = TNotifyEvent(&watcher, &DropDownWatcher::Opened);
    SetForegroundWindow(Window());
    PressChord({VK_MENU, 'E'});
    ASSERT_TRUE(PumpUntil([&] { return watcher.deadline != 0 && !watcher.opened; }, 10000))
        << "waited for Alt+E to open the Edit drop-down of owner-drawn entries";
    EXPECT_TRUE(watcher.taken) << "drawn: " << drawn.size() << " of the drop-down's entries";
    EXPECT_TRUE(drawn.count("E1")) << "the bar's entries are drawn by their items too";
    EXPECT_EQ(TextsOf(edit->Handle()).size(), entries.size());
}

}  // namespace
