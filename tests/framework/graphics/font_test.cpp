// Fonts and brushes share GDI objects by value; a control hands its font to its window.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/graphics/brush.h"
#include "framework/core/int_consts.h"
#include "framework/graphics/font.h"

namespace {

std::string FaceOf(HFONT font)
{
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    return description.lfFaceName;
}

TEST(Font, FontsOfTheSameValueShareOneGdiFontAndAChangeLeavesTheOtherAlone)
{
    TFont a, b;
    a.SetName("Arial");
    a.SetSize(12);
    b.SetName("Arial");
    b.SetSize(12);
    HFONT shared = a.Handle();
    EXPECT_EQ(b.Handle(), shared);
    int records = TFont::SharedRecordCount();

    b.SetStyle({fsBold});
    EXPECT_NE(b.Handle(), shared);
    EXPECT_EQ(a.Handle(), shared);
    EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(TFont::SharedRecordCount(), records + 1);
    LOGFONTA bold{};
    GetObjectA(b.Handle(), sizeof bold, &bold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);

    b.SetStyle({});  // back to the shared value; the bold record goes with its handle
    EXPECT_EQ(b.Handle(), shared);
    EXPECT_EQ(TFont::SharedRecordCount(), records);
}

TEST(Font, AssigningAcrossResolutionsCarriesThePointSize)
{
    TFont screen, printer;
    printer.SetPixelsPerInch(600);
    screen.SetSize(12);
    screen.SetColor(clRed);
    printer.Assign(&screen);
    EXPECT_EQ(printer.Height(), -100);
    EXPECT_EQ(printer.Size(), 12);
    EXPECT_EQ(printer.Color(), clRed);
    EXPECT_EQ(printer.Name(), screen.Name());
}

TEST(Font, NamesAreCutAtThirtyOneBytesOnACharacterBoundaryAndDefaultMeansTheSystemFace)
{
    struct Case {
        const char* given;
        const char* name;  // as the font keeps it
        const char* face;  // as GDI made it
    } cases[] = {
        {"DEFAULT", "DEFAULT", "MS Sans Serif"},
        {"default", "default", "MS Sans Serif"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
        // 15 double-byte characters and "x" fit in 31 bytes; a 16th double-byte character does not.
        {"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯxＰ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯx", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯx"},
        {"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯ"},
    };
    for (const Case& c : cases) {
        TFont font;
        font.SetName(c.given);
        EXPECT_EQ(font.Name(), c.name);
        EXPECT_EQ(FaceOf(font.Handle()), c.face) << c.given;
    }
    TFont font;
    std::string before = font.Name();
    font.SetName("");  // ignored
    EXPECT_EQ(font.Name(), before);
}

TEST(Font, AFontReadBackFromAGdiFontTakesItsDescription)
{
    LOGFONTA description{};
    description.lfHeight = -21;
    description.lfWeight = 700;
    description.lfItalic = 1;
    description.lfStrikeOut = 1;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpyA(description.lfFaceName, "ＭＳ ゴシック");
    HFONT made = CreateFontIndirectA(&description);
    TFont font;
    font.SetHandle(made);
    DeleteObject(made);
    EXPECT_EQ(font.Height(), -21);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic, fsStrikeOut}));
    EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(font.Pitch(), fpFixed);
    EXPECT_EQ(font.Name(), "ＭＳ ゴシック");
    EXPECT_EQ(FaceOf(font.Handle()), "ＭＳ ゴシック");
}

TEST(Font, TheDefaultFontFollowsTheJapaneseSystem)
{
    TFont font;
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    if (gui.lfCharSet == SHIFTJIS_CHARSET) {
        EXPECT_EQ(font.Name(), "ＭＳ Ｐゴシック");
        EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
        EXPECT_EQ(font.Size(), 9);
    } else {
        EXPECT_EQ(font.Name(), "MS Sans Serif");
        EXPECT_EQ(font.Size(), 8);
    }
    EXPECT_EQ(font.Color(), clWindowText);
}

TEST(Font, ChangeEventsFireOnlyOnARealChange)
{
    struct Counter : TObject {
        int changes = 0;
        void Changed(TObject*) { ++changes; }
    } counter;
    TFont font;
    font.OnChange = TNotifyEvent(&counter, &Counter::Changed);
    font.SetHeight(font.Height());
    font.SetColor(font.Color());
    EXPECT_EQ(counter.changes, 0);
    font.SetHeight(font.Height() - 1);
    font.SetColor(clBlue);
    EXPECT_EQ(counter.changes, 2);
}

TEST(Brush, SystemColoursAreLookedUpAndEqualBrushesShareAHandle)
{
    EXPECT_EQ(ColorToRGB(clWindow), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    TBrush a, b;
    a.SetColor(clBtnFace);
    b.SetColor(clBtnFace);
    EXPECT_EQ(a.Handle(), b.Handle());
    LOGBRUSH description{};
    GetObjectA(a.Handle(), sizeof description, &description);
    EXPECT_EQ(description.lbColor, GetSysColor(COLOR_BTNFACE));
}

TEST(IdentifierMaps, FormResourcesMayNameColoursAndCharacterSets)
{
    std::int32_t value = 0;
    TIdentToInt colors = FindIdentToInt(TypeInfoOf<TColor>());
    ASSERT_NE(colors, nullptr);
    ASSERT_TRUE(colors("CLBTNFACE", value));
    EXPECT_EQ(value, static_cast<std::int32_t>(0x8000000F));
    EXPECT_FALSE(colors("clNoSuchColour", value));
    std::string name;
    ASSERT_TRUE(FindIntToIdent(TypeInfoOf<TColor>())(0xFF0000, name));
    EXPECT_EQ(name, "clBlue");
    ASSERT_TRUE(FindIdentToInt(TypeInfoOf<TFontCharset>())("SHIFTJIS_CHARSET", value));
    EXPECT_EQ(value, 128);
}

}  // namespace
