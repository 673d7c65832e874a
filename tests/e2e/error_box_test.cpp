// The common error box, for real: a handler fails a step, the box shows, the user presses OK
// and the handler carries on with its next step.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/desktop.h"

namespace tellurane {
namespace {

using namespace support;

TEST(ErrorBox, ReadsCharacterForCharacterAndTheHandlerCarriesOnAfterOk) {
    LaunchedProgram host(TRAP_HOST_EXE);
    ASSERT_TRUE(host.Started());
    HWND box = FindMessageBox(host.ProcessId(), 15s);
    ASSERT_TRUE(box) << "no error box appeared";
    EXPECT_EQ(WindowText(box), L"Application Error");
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
              std::wstring(L"The text \"abc\" is not a number.\r\nin Vantorel2021/08/31.Form1.Form_Load at line 110\r\r"
                           L"Please email screenshot of this message to ") +
                  TELLURANE_SUPPORT_EMAIL);
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_TRUE(ok);
    EXPECT_EQ(WindowText(ok), L"OK");
    EXPECT_FALSE(GetDlgItem(box, IDCANCEL));
    SaveScreenshot(L"error-box");
    PostMessageW(ok, BM_CLICK, 0, 0);
    DWORD lastStep = 0;
    ASSERT_TRUE(host.WaitForExit(5s, lastStep));
    EXPECT_EQ(lastStep, 112u);
}

}  // namespace
}  // namespace tellurane
