// The maker's label: its colours under the mouse, and the Internet shortcut
// that a click writes and opens.
#include <algorithm>

#include <gtest/gtest.h>

#include "NicsetFixture.h"
#include "resource.h"

namespace e2e {
namespace {

constexpr char kShortcut[] = "Quorvia en la web.url";
const std::string kShortcutBytes = "[InternetShortcut]\nURL=http://www.example.com/";

class LinkLabelTest : public NicsetTest {
protected:
    void SetUp() override {
        NicsetTest::SetUp();
        RecordOpensOf(".url");
        ForgetOpenedFiles();
    }

    HWND Label() const { return GetDlgItem(Main(), IDC_MAKER_LABEL); }

    size_t ShortcutOpens() const {
        const auto files = OpenedFiles();
        return static_cast<size_t>(std::count_if(
            files.begin(), files.end(),
            [](const std::string& f) { return f.find(kShortcut) != std::string::npos; }));
    }

    // The label's text colours seen on screen: how many pixels are the
    // normal blue and how many the hover red.
    std::pair<int, int> BlueAndRed() const {
        RECT rect = {};
        GetWindowRect(Label(), &rect);
        int blue = 0, red = 0;
        for (COLORREF pixel : ScreenPixels(rect)) {
            if (pixel == RGB(0, 0, 200)) ++blue;
            if (pixel == RGB(200, 0, 0)) ++red;
        }
        return {blue, red};
    }
};

TEST_F(LinkLabelTest, AClickWritesTheShortcutAndOpensIt) {
    WriteConfigFile({});
    Start();
    RECT rect = {};
    GetClientRect(Label(), &rect);
    ClickAt(Label(), 5, rect.bottom / 2);
    ASSERT_TRUE(WaitUntil([&] { return ShortcutOpens() == 1; })) << "the shortcut was not opened";
    EXPECT_EQ(ReadFileBytes(WorkPath(kShortcut)), kShortcutBytes);
}

TEST_F(LinkLabelTest, AnExistingShortcutIsOpenedUnchanged) {
    const std::string mine = "[InternetShortcut]\r\nURL=http://intranet.example/\r\n";
    WriteFileBytes(WorkPath(kShortcut), mine);
    WriteConfigFile({});
    Start();
    ClickAt(Label(), 5, 5);
    ASSERT_TRUE(WaitUntil([&] { return ShortcutOpens() == 1; }));
    EXPECT_EQ(ReadFileBytes(WorkPath(kShortcut)), mine);
}

TEST_F(LinkLabelTest, ADoubleClickOpensTheShortcutOnce) {
    WriteConfigFile({});
    Start();
    const LPARAM point = MAKELPARAM(5, 5);
    PostMessageA(Label(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(Label(), WM_LBUTTONUP, 0, point);
    PostMessageA(Label(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(Label(), WM_LBUTTONUP, 0, point);
    ASSERT_TRUE(WaitUntil([&] { return ShortcutOpens() >= 1; }));
    WatchBriefly();
    EXPECT_EQ(ShortcutOpens(), 1u);
    EXPECT_EQ(ReadFileBytes(WorkPath(kShortcut)), kShortcutBytes);
}

TEST_F(LinkLabelTest, TheLabelTurnsRedUnderTheMouseAndBlueAgainWhenItLeaves) {
    WriteConfigFile({});
    Start();
    SetForegroundWindow(Main());
    RECT label = {}, window = {};
    GetWindowRect(Label(), &label);
    GetWindowRect(Main(), &window);
    SetCursorPos(window.left + 5, window.bottom + 20);  // away from the label
    ASSERT_TRUE(WaitUntil([&] { return BlueAndRed().first > 0; }));
    EXPECT_EQ(BlueAndRed().second, 0);

    SetCursorPos(label.left + 3, (label.top + label.bottom) / 2);
    ASSERT_TRUE(WaitUntil([&] { return BlueAndRed().second > 0; })) << "not red under the mouse";
    EXPECT_EQ(BlueAndRed().first, 0);

    SetCursorPos(window.left + 5, window.bottom + 20);
    ASSERT_TRUE(WaitUntil([&] { return BlueAndRed().first > 0; })) << "not blue after leaving";
    EXPECT_EQ(BlueAndRed().second, 0);
}

}  // namespace
}  // namespace e2e
