// The colour and font dialogs, run modally and answered by the test from inside their own loop.
#include <gtest/gtest.h>

#include <float.h>

#include "framework/dialogs/color_dialog.h"
#include "framework/dialogs/font_dialog.h"
#include "tests/framework/dialogs/dialog_driver.h"

namespace {

using dialogtest::DialogScript;

constexpr int RedEdit = 0x2C2, GreenEdit = 0x2C3, BlueEdit = 0x2C4;
constexpr int FaceBox = 0x470, SizeBox = 0x472, ScriptBox = 0x474;

// Changes the floating-point control word the way a printer driver might, from inside the dialog.
class FloatSpoiler : public TObject {
public:
    int shows = 0;
    void Spoil(TObject*)
    {
        ++shows;
        _control87(_RC_CHOP | _PC_24, _MCW_RC | _MCW_PC);
    }
};

TEST(ColorDialog, OpensOnItsLastConfirmedColourAndWritesEveryCustomColourBack)
{
    TColorDialog dialog(nullptr);
    dialog.SetOptions({cdFullOpen});
    dialog.SetColor(static_cast<TColor>(RGB(0x12, 0x34, 0x56)));
    dialog.CustomColors()->SetText("ColorA=FFFFFFFF\nColorB=123456\nColorC=zz\n");
    FloatSpoiler spoiler;
    dialog.OnShow = TNotifyEvent(&spoiler, &FloatSpoiler::Spoil);
    unsigned floatControl = _control87(0, 0);

    std::string shown;
    auto readRgb = [&](DialogScript& script) {
        return DialogScript::Do("read R, G and B", [&] {
            shown.clear();
            for (int id : {RedEdit, GreenEdit, BlueEdit})
                shown += dialogtest::ControlText(dialogtest::DialogControl(script.Dialog(), id)) + " ";
        });
    };
    DialogScript script;
    script.Start({script.Find("色"), readRgb(script), script.Type(RedEdit, "200"), script.Press(IDOK)});
    ASSERT_TRUE(dialog.Execute());
    ASSERT_TRUE(script.Failure().empty()) << script.Failure();
    EXPECT_EQ(shown, "18 52 86 ") << "the full dialog opens on Color";
    EXPECT_EQ(static_cast<COLORREF>(dialog.Color()), RGB(200, 0x34, 0x56));
    EXPECT_EQ(spoiler.shows, 1) << "OnShow when the dialog window is initialised";
    EXPECT_EQ(_control87(0, 0), floatControl) << "the floating-point control word comes back";
    std::string expected;
    for (char letter = 'A'; letter <= 'P'; ++letter)
        expected += std::string("Color") + letter + (letter == 'B' ? "=123456" : "=ffffffff") + "\r\n";
    EXPECT_EQ(dialog.CustomColors()->Text(), expected) << "a damaged value counts as no colour";

    script.Start({script.Find("色"), readRgb(script), script.Type(GreenEdit, "1"), script.Press(IDCANCEL)});
    EXPECT_FALSE(dialog.Execute());
    ASSERT_TRUE(script.Failure().empty()) << script.Failure();
    EXPECT_EQ(shown, "200 52 86 ") << "the next run starts from the confirmed colour";
    EXPECT_EQ(static_cast<COLORREF>(dialog.Color()), RGB(200, 0x34, 0x56)) << "cancelled: unchanged";
    EXPECT_EQ(dialog.CustomColors()->Text(), expected);
}

TEST(FontDialog, ReturnsTheChosenFaceSizeAndCharacterSet)
{
    struct Case {
        const char* what;
        const char* face;  // chosen from the list; null: left as it is
        const char* size;
        int minSize, maxSize;
        const char* expectedName;
        int expectedSize;
        bool charsetFromDialog;  // else the font keeps its own
    } cases[] = {
        {"another face", "Tahoma", "14", 0, 0, "Tahoma", 14, true},
        {"another size only", nullptr, "20", 0, 0, "IPAゴシック", 20, false},
        {"limits the wrong way round", nullptr, "8", 20, 10, "IPAゴシック", 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFontDialog dialog(nullptr);
        dialog.Font()->SetName("IPAゴシック");
        dialog.Font()->SetSize(10);
        dialog.Font()->SetCharset(static_cast<TFontCharset>(SHIFTJIS_CHARSET));
        dialog.SetMinFontSize(c.minSize);
        dialog.SetMaxFontSize(c.maxSize);
        if (c.minSize)
            dialog.SetOptions(dialog.Options() | fdLimitSize);
        int dialogCharset = -1;
        DialogScript script;
        std::vector<DialogScript::Step> steps{script.Find("フォントの指定")};
        if (c.face)
            steps.push_back(DialogScript::Do("choose the face", [&, face = c.face] {
                HWND box = dialogtest::DialogControl(script.Dialog(), FaceBox);
                SendMessageA(box, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(face));
                SendMessageA(
                    script.Dialog(), WM_COMMAND, MAKEWPARAM(FaceBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
            }));
        steps.push_back(script.Type(SizeBox, c.size));
        steps.push_back(DialogScript::Do("read the script", [&] {
            HWND box = dialogtest::DialogControl(script.Dialog(), ScriptBox);
            dialogCharset =
                static_cast<int>(SendMessageA(box, CB_GETITEMDATA, SendMessageA(box, CB_GETCURSEL, 0, 0), 0));
        }));
        steps.push_back(script.Press(IDOK));
        steps.push_back(script.Closed());
        script.Start(std::move(steps));
        ASSERT_TRUE(dialog.Execute());
        ASSERT_TRUE(script.Failure().empty()) << script.Failure();
        EXPECT_EQ(dialog.Font()->Name(), c.expectedName);
        EXPECT_EQ(dialog.Font()->Size(), c.expectedSize);
        EXPECT_EQ(dialog.Font()->Charset(), c.charsetFromDialog ? dialogCharset : SHIFTJIS_CHARSET);
    }
}

// What the font dialog tells of its current font, answered as Windows answers it (the system under
// test tells nothing until the dialog is confirmed): the dialog's window procedure is replaced.
LOGFONTA toldFont;
WNDPROC fontDialogProc;
LRESULT CALLBACK TellFont(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_CHOOSEFONT_GETLOGFONT)
        return CallWindowProcA(fontDialogProc, window, message, wParam, lParam);
    *reinterpret_cast<LOGFONTA*>(lParam) = toldFont;
    return 0;
}

// Apply gives Font at once the colour chosen and the face the dialog tells, with the face's
// character set when it is another face, and OnApply the dialog's window; a cancel afterwards
// leaves what was applied.
TEST(FontDialog, ApplyTakesTheColourAndFaceWhileTheDialogStaysOpen)
{
    struct Case {
        const char* face;
        bool charsetFromDialog;
    } cases[] = {{"Tahoma", true}, {"IPAゴシック", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        toldFont = LOGFONTA{};
        toldFont.lfHeight = -19;
        toldFont.lfCharSet = ANSI_CHARSET;
        strcpy(toldFont.lfFaceName, c.face);
        struct Applier : TObject {
            HWND window = nullptr;
            TColor color{};
            void Apply(TObject* sender, HWND dialogWindow)
            {
                window = dialogWindow;
                color = static_cast<TFontDialog*>(sender)->Font()->Color();
            }
        } applier;
        TFontDialog dialog(nullptr);
        dialog.Font()->SetColor(clBlack);
        dialog.Font()->SetName("IPAゴシック");
        dialog.Font()->SetCharset(static_cast<TFontCharset>(SHIFTJIS_CHARSET));
        dialog.OnApply = TFontApplyEvent(&applier, &Applier::Apply);
        LRESULT chosen = -1;
        DialogScript script;
        script.Start(
            {script.Find("フォントの指定"),
             DialogScript::Do("choose the third colour; tell the font as Windows does",
                              [&] {
                                  HWND box = dialogtest::DialogControl(script.Dialog(), 0x473);
                                  SendMessageA(box, CB_SETCURSEL, 2, 0);
                                  chosen = SendMessageA(box, CB_GETITEMDATA, 2, 0);
                                  fontDialogProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                                      script.Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TellFont)));
                              }),
             script.Press(0x402),
             {"OnApply", [&] { return applier.window != nullptr; }},
             script.Press(IDCANCEL),
             script.Closed()});
        EXPECT_FALSE(dialog.Execute());
        ASSERT_TRUE(script.Failure().empty()) << script.Failure();
        EXPECT_EQ(applier.window, script.Dialog());
        EXPECT_NE(chosen, static_cast<LRESULT>(clBlack));
        EXPECT_EQ(static_cast<LRESULT>(applier.color), chosen);
        EXPECT_EQ(static_cast<LRESULT>(dialog.Font()->Color()), chosen);
        EXPECT_EQ(dialog.Font()->Name(), c.face);
        EXPECT_EQ(dialog.Font()->Charset(), c.charsetFromDialog ? ANSI_CHARSET : SHIFTJIS_CHARSET);
    }
}

}  // namespace
