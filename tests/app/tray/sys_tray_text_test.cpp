// The tray control's texts as the shell receives them: whole, in any script, and cut only where a whole
// character ends. Sent through the ANSI code page, as they once were, an English Windows showed the
// Japanese and Arabic rows as "??".

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/tray/sys_tray.h"

namespace tellurane {
namespace {

// A field as sent: the text, its NUL, then spaces to the field's end.
std::wstring Padded(const std::wstring& text, std::size_t width) {
    return text + L'\0' + std::wstring(width - text.size() - 1, L' ');
}

TEST(SysTrayText, EveryTextReachesTheShellAsWrittenCutOnlyWhereAWholeCharacterEnds) {
    std::vector<NOTIFYICONDATAW> sent;
    cSysTray tray([&](DWORD, NOTIFYICONDATAW* data) {
        sent.push_back(*data);
        return TRUE;
    });
    // A field holds 127 UTF-16 units and its NUL; a character beyond the BMP is two of them.
    const std::wstring smile = L"\U0001F600";
    struct Row {
        const char* what;
        std::wstring tip, title, info;              // as the host gives them
        std::wstring tipSent, titleSent, infoSent;  // what the shell receives, ahead of the NUL
    };
    const auto whole = [](const char* what, const std::wstring& text) {
        return Row{what, text, text, text, text, text, text};
    };
    // Each field filled with "a" up to `room` units before its NUL, then the smile.
    const auto edge = [&](const char* what, std::size_t room, bool fits) {
        const auto text = [&](std::size_t width) { return std::wstring(width - 1 - room, L'a') + smile; };
        const auto kept = [&](std::size_t width) {
            return std::wstring(width - 1 - room, L'a') + (fits ? smile : L"");
        };
        return Row{what, text(128), text(64), text(256), kept(128), kept(64), kept(256)};
    };
    const Row rows[] = {
        whole("ASCII", L"Tellurane 7:29 AM"),
        whole("accented", L"Réveil à 7 h 30 – Zürich"),
        whole("Japanese", L"会議 7:29 AM"),
        whole("Arabic", L"اجتماع الفريق ٧:٣٠"),
        whole("beyond the BMP", smile + L" 会議"),
        edge("only its first half has room: it is left out whole", 1, false),
        edge("it ends just before the NUL", 2, true),
    };
    tray.SetInTray(true);
    for (const Row& row : rows) {
        tray.SetTrayTip(row.tip);
        tray.ShowBalloon(row.info, row.title, 0, false);
        ASSERT_GE(sent.size(), 3u);
        const NOTIFYICONDATAW& tip = sent[sent.size() - 2];
        const NOTIFYICONDATAW& balloon = sent.back();
        EXPECT_EQ(tip.uFlags, static_cast<UINT>(NIF_TIP)) << row.what;
        EXPECT_EQ(std::wstring(tip.szTip, 128), Padded(row.tipSent, 128)) << row.what;
        EXPECT_EQ(std::wstring(balloon.szInfoTitle, 64), Padded(row.titleSent, 64)) << row.what;
        EXPECT_EQ(std::wstring(balloon.szInfo, 256), Padded(row.infoSent, 256)) << row.what;
        EXPECT_EQ(tray.TrayTip(), row.tip) << row.what;  // kept whole, as stored
    }
}

}  // namespace
}  // namespace tellurane
