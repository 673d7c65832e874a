#include "win32/push_button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "logic/app_error.h"
#include "logic/contrast.h"
#include "logic/layouts.h"
#include "logic/twips.h"
#include "tests/support/desktop.h"
#include "win32/form.h"
#include "win32/surface_colors.h"

namespace tellurane {
namespace {

class PushButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        support::BecomePerMonitorDpiAware();
        ASSERT_TRUE(form_.Create());
    }
    PushButton& Face() { return form_.Button(form1::kPushButton1); }

    // Draws the button into a bitmap, as the window would: its pixels, row by row.
    struct Picture {
        int width = 0, height = 0;
        std::vector<COLORREF> pixels;
        COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    };
    Picture Render() {
        PushButton& face = Face();
        RECT rect;
        GetClientRect(face.Handle(), &rect);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = face.Handle();
        item.hDC = memory;
        item.rcItem = rect;
        face.Draw(item);
        Picture picture{rect.right, rect.bottom, {}};
        for (int y = 0; y < rect.bottom; ++y) {
            for (int x = 0; x < rect.right; ++x) picture.pixels.push_back(GetPixel(memory, x, y));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return picture;
    }
    // What the face shows on screen, read back from its window.
    Picture Screen() {
        RECT rect;
        GetClientRect(Face().Handle(), &rect);
        HDC window = GetDC(Face().Handle());
        HDC memory = CreateCompatibleDC(window);
        HBITMAP bitmap = CreateCompatibleBitmap(window, rect.right, rect.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, rect.right, rect.bottom, window, 0, 0, SRCCOPY);
        Picture picture{rect.right, rect.bottom, {}};
        for (int y = 0; y < rect.bottom; ++y) {
            for (int x = 0; x < rect.right; ++x) picture.pixels.push_back(GetPixel(memory, x, y));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(Face().Handle(), window);
        return picture;
    }
    void PaintScreenMagenta() {
        RECT rect;
        GetClientRect(Face().Handle(), &rect);
        HDC window = GetDC(Face().Handle());
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(window, &rect, magenta);
        DeleteObject(magenta);
        ReleaseDC(Face().Handle(), window);
    }
    int PixelsOfColour(COLORREF colour) {
        const Picture picture = Render();
        return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), colour));
    }

    Form form_{Form1Layout()};
};

TEST_F(PushButtonTest, TheCaptionIsTheWindowTextAndReadsBackExactly) {
    const std::wstring caption = L"09:05:09 PM 12/06/2026 Sunday";
    Face().SetCaption(caption);
    EXPECT_EQ(Face().Caption(), caption);
    EXPECT_EQ(support::WindowText(Face().Handle()), caption);
    Face().SetCaption(L"");
    EXPECT_EQ(Face().Caption(), L"");
}

bool g_highContrast = false;
bool HighContrastForTest() { return g_highContrast; }

TEST_F(PushButtonTest, DrawsItsCaptionInAPlainColourAndTheSystemsPairUnderHighContrast) {
    Face().SetCaption(L"88:88:88");
    Face().SetForeColor(0x000000FF);
    EXPECT_EQ(Face().ForeColor(), 0x000000FFu);
    EXPECT_GT(PixelsOfColour(RGB(255, 0, 0)), 20);

    // High contrast: the user's red and the face's white yield to the theme, as Windows' buttons do.
    const HighContrastQuery previous = SetHighContrastQuery(&HighContrastForTest);
    g_highContrast = true;
    RECT rect;
    GetClientRect(Face().Handle(), &rect);
    EXPECT_EQ(PixelsOfColour(RGB(255, 0, 0)), 0);
    EXPECT_GT(PixelsOfColour(GetSysColor(COLOR_BTNFACE)), rect.right * rect.bottom / 2);
    EXPECT_GT(PixelsOfColour(GetSysColor(COLOR_BTNTEXT)), 20);
    g_highContrast = false;
    SetHighContrastQuery(previous);

    Face().SetCaption(L"");
    EXPECT_EQ(PixelsOfColour(RGB(255, 0, 0)), 0);
}

TEST_F(PushButtonTest, DrawsItsCaptionInASystemColourLookedUpNowAndReadableOnItsFace) {
    Face().SetCaption(L"88:88:88");
    Face().SetForeColor(0x8000000D);  // the selection colour: distinct from the face's white and its edges
    EXPECT_EQ(Face().ForeColor(), 0x8000000Du);
    // Where the scheme makes it too pale for the white face, black or white is drawn instead.
    EXPECT_GT(PixelsOfColour(ReadableOn(0xFFFFFF, GetSysColor(COLOR_HIGHLIGHT))), 20);
}

TEST_F(PushButtonTest, FontSizeChangesTheFontAtTheWindowsDpi) {
    Face().SetFontSize(36);
    EXPECT_EQ(Face().FontSize(), 36);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Face().Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, PointsToFontHeight(36, form_.Dpi()));
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
}

TEST_F(PushButtonTest, TheTextIsVerticallyCentredAndNeverCutAtAnySizePlainOrSkinned) {
    // The layout's face; a size taller than it is drawn as large as fits, the chosen size kept.
    Face().SetCaption(L"12:34:56 PM 12/08/2026");
    FaceSkin outlined;
    outlined.outline = SkinOutline{1, RGB(0, 0, 255)};
    for (const bool skinned : {false, true}) {
        Face().SetSkin(skinned ? std::optional<FaceSkin>(outlined) : std::nullopt);
        for (const double points : {8.0, 12.0, 20.0, 28.0, 36.0, 48.0, 72.0, 200.0}) {
            Face().SetFontSize(points);
            const Picture picture = Render();
            const int edge = skinned ? 0 : 2;  // the plain face's raised edge is not text
            int first = -1, last = -1;
            for (int y = edge; y < picture.height - edge; ++y) {
                for (int x = edge; x < picture.width - edge; ++x) {
                    if (picture.At(x, y) == RGB(255, 255, 255)) continue;
                    if (first < 0) first = y;
                    last = y;
                    break;
                }
            }
            const std::string where = (skinned ? "skinned, " : "plain, ") + std::to_string(points) + " pt";
            ASSERT_GE(first, 0) << where << ": no text drawn";
            const int above = first - edge, below = picture.height - edge - 1 - last;
            EXPECT_GT(above, 0) << where << ": the tops of the letters are cut";
            EXPECT_GT(below, 0) << where << ": the bottoms of the letters are cut";
            EXPECT_LE(std::abs(above - below), (picture.height - 2 * edge) / 4) << where << ": not centred";
            EXPECT_EQ(Face().FontSize(), points);
        }
    }
    Face().SetSkin(std::nullopt);
}

// A new second draws at once, on screen, the band of the characters that changed, and nothing else:
// the face there is then the face drawn whole. Plain, cut with an ellipsis, and under a skin whose
// outline and shadow reach past the letters.
TEST_F(PushButtonTest, ANewSecondDrawsAtOnceOnlyTheCharactersThatChanged) {
    FaceSkin inked;
    inked.tabular = true;
    inked.outline = SkinOutline{2, RGB(0, 0, 255)};
    inked.shadow = SkinShadow{2, 2, RGB(0, 128, 0), 100};
    ShowWindow(form_.Handle(), SW_SHOWNOACTIVATE);  // a hidden window is not drawn at once
    RECT client;
    GetClientRect(Face().Handle(), &client);
    for (const int variant : {0, 1, 2}) {
        const char* where = variant == 0 ? "plain" : variant == 1 ? "plain, cut" : "skinned";
        Face().SetFontSize(variant == 1 ? 40 : 20);
        Face().SetSkin(variant == 2 ? std::optional<FaceSkin>(inked) : std::nullopt);
        Face().SetCaption(L"09:41:09 PM 12/08/2026 Tuesday");
        RedrawWindow(Face().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const Picture before = Render();
        PaintScreenMagenta();
        {
            // As the tick does: the time, then the weekday added, drawn as one change.
            const PushButton::CaptionBatch oneChange(Face());
            Face().SetCaption(L"09:41:10 PM 12/08/2026");
            Face().SetCaption(Face().Caption() + L" Tuesday");
            EXPECT_EQ(Screen().At(1, 1), RGB(255, 0, 255)) << where << ": drawn before the change ended";
        }
        RECT none{};
        EXPECT_FALSE(GetUpdateRect(Face().Handle(), &none, FALSE)) << where << ": left to a paint";
        ASSERT_TRUE(Face().LastBand().has_value()) << where;
        const RECT band = *Face().LastBand();
        EXPECT_LT(band.right - band.left, client.right / 3) << where << ": more than the seconds";
        const Picture screen = Screen();
        const Picture whole = Render();
        for (int y = 0; y < whole.height; ++y) {
            for (int x = 0; x < whole.width; ++x) {
                const POINT point{x, y};
                if (PtInRect(&band, point)) {
                    ASSERT_EQ(screen.At(x, y), whole.At(x, y)) << where << " at " << x << "," << y;
                } else {
                    ASSERT_EQ(before.At(x, y), whole.At(x, y))
                        << where << ": ink outside the band at " << x << "," << y;
                    ASSERT_EQ(screen.At(x, y), RGB(255, 0, 255)) << where << ": drawn outside the band";
                }
            }
        }
        // The same text again: nothing; another length (or a moved line): the whole face, by a paint.
        Face().SetCaption(L"09:41:10 PM 12/08/2026 Tuesday");
        const RECT same = Face().LastBand().value_or(client);
        EXPECT_TRUE(IsRectEmpty(&same)) << where;
        ValidateRect(Face().Handle(), nullptr);
        Face().SetCaption(L"10:00:00 AM 12/08/2026 Wednesday");
        RECT asked{};
        ASSERT_TRUE(GetUpdateRect(Face().Handle(), &asked, FALSE)) << where;
        EXPECT_TRUE(EqualRect(&asked, &client)) << where;
    }
    Face().SetSkin(std::nullopt);
    Face().SetFontSize(20);
}

TEST_F(PushButtonTest, ASizeNoFontCanTakeIsRefusedAndChangesNothing) {
    for (double bad : {0.0, -5.0, 100000.0}) {
        EXPECT_THROW(Face().SetFontSize(bad), AppError) << bad;
    }
    EXPECT_EQ(Face().FontSize(), 20.25);
}

TEST_F(PushButtonTest, WidthAndHeightInTwipsKeepTheButtonsPlace) {
    Face().SetWidth(6840 + 1500);
    Face().SetHeight(600);
    const RECT rect = support::ChildRectInClient(Face().Handle());
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, TwipsToPixels(8340, form_.Dpi()));
    EXPECT_EQ(rect.bottom, TwipsToPixels(600, form_.Dpi()));
    Face().SetWidth(-50);  // a window narrower than the margins: the face shrinks to nothing, without failing
    EXPECT_EQ(support::ChildRectInClient(Face().Handle()).right, 0);
}

TEST_F(PushButtonTest, AClickIsRaisedOnce) {
    int clicks = 0;
    Face().onClick = [&] { ++clicks; };
    SendMessageW(Face().Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tellurane
