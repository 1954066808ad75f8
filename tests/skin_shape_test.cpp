// The skin's window shapes and the switching between the full bar and the
// mini strip, seen as the regions the windows have and the children they own.
#include "skin_support.h"

using namespace testing_support;
using namespace skin_support;

namespace {

class SkinShape : public HostTest {
protected:
    void ResizeTo(int width, int height)
    {
        host::ResizeMain(width, height);
        host::PumpMessages();
    }
    void ExpectFullShape(int width, int height, int top)
    {
        HWND w = host::mainWindow;
        EXPECT_TRUE(InShape(w, 5, top));
        EXPECT_TRUE(InShape(w, width - 6, top));
        EXPECT_FALSE(InShape(w, 0, top));
        EXPECT_FALSE(InShape(w, width - 1, top));
        EXPECT_TRUE(InShape(w, 0, top + 5));
        EXPECT_TRUE(InShape(w, 0, height - 6));
        EXPECT_FALSE(InShape(w, 0, height - 1));
        EXPECT_TRUE(InShape(w, width - 1, height - 6));
        EXPECT_FALSE(InShape(w, width - 1, height - 1));
        EXPECT_TRUE(InShape(w, width / 2, height - 1));
        EXPECT_FALSE(InShape(w, width, height / 2));
    }
};

TEST_F(SkinShape, FullModeShapeHasRoundedCornersBelowTheOffset)
{
    StartPlugin({{"Offset", 1}});
    ExpectFullShape(640, 420, 20);
    EXPECT_FALSE(InShape(host::mainWindow, 320, 19)) << "the top 20 rows are cut away";
    EXPECT_FALSE(InShape(host::mainWindow, 320, 0));

    // The shape follows a resize.
    ResizeTo(500, 300);
    ExpectFullShape(500, 300, 20);
    EXPECT_FALSE(InShape(host::mainWindow, 639, 100)) << "nothing of the old width is left";
}

TEST_F(SkinShape, WithoutOffsetTheShapeStartsAtTheTop)
{
    StartPlugin({{"Offset", 0}});
    ExpectFullShape(640, 420, 0);
    RECT bar = ChildRect(FullBar());
    EXPECT_EQ(bar.top, 0);
}

TEST_F(SkinShape, FullBarLiesUnderTheOffsetAndEqBarAtTheTop)
{
    StartPlugin({{"Offset", 1}});
    HWND bar = FullBar();
    ASSERT_NE(bar, nullptr);
    RECT rect = ChildRect(bar);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right - rect.left, 5000);
    EXPECT_EQ(rect.bottom - rect.top, 26);
    EXPECT_EQ(DWORD(GetWindowLongA(bar, GWL_STYLE)), DWORD(WS_CHILD | WS_VISIBLE | WS_DISABLED));
    EXPECT_EQ(MiniStrip(), nullptr);

    HWND eq = EqBar();
    ASSERT_NE(eq, nullptr);
    rect = ChildRect(eq);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 5000);
}

TEST_F(SkinShape, SwitchesBetweenFullBarAndMiniStripByHeight)
{
    StartPlugin();
    ASSERT_NE(FullBar(), nullptr);

    ResizeTo(400, 70);
    EXPECT_NE(FullBar(), nullptr) << "full mode is kept at 70";
    EXPECT_EQ(MiniStrip(), nullptr);
    ExpectFullShape(400, 70, 20);

    ResizeTo(400, 69);
    EXPECT_EQ(FullBar(), nullptr);
    HWND strip = MiniStrip();
    ASSERT_NE(strip, nullptr);
    RECT rect = ChildRect(strip);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 20);
    EXPECT_EQ(rect.bottom, 64);

    ResizeTo(400, 70);
    EXPECT_NE(MiniStrip(), nullptr) << "mini mode is kept at 70";
    EXPECT_EQ(FullBar(), nullptr);

    // Entering full mode: the host sees only the repeated WM_SIZE (0, 0).
    host::ClearLogs();
    ResizeTo(400, 71);
    EXPECT_NE(FullBar(), nullptr);
    EXPECT_EQ(MiniStrip(), nullptr);
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_SIZE}),
                           {{WM_SIZE, host::sent | host::wparam | host::lparam, 0, 0}}));
    ExpectFullShape(400, 71, 20);

    // In full mode the host's procedure gets the message itself.
    host::ClearLogs();
    ResizeTo(450, 200);
    EXPECT_TRUE(SequenceIs(host::Select(host::received, host::mainWindow, {WM_SIZE}),
                           {{WM_SIZE, host::sent | host::wparam | host::lparam, SIZE_RESTORED, MAKELPARAM(450, 200)}}));
}

class SkinShapeAt70 : public SkinShape {
protected:
    SkinShapeAt70() { placement.height = 70; }
};

TEST_F(SkinShapeAt70, StartsWithNoChildUntilTheFirstGrowthAbove70)
{
    StartPlugin();
    EXPECT_EQ(FullBar(), nullptr);
    EXPECT_EQ(MiniStrip(), nullptr);
    ResizeTo(640, 60);
    EXPECT_EQ(FullBar(), nullptr);
    EXPECT_EQ(MiniStrip(), nullptr);
    ResizeTo(640, 70);
    EXPECT_EQ(MiniStrip(), nullptr);
    ResizeTo(640, 71);
    EXPECT_NE(FullBar(), nullptr);
    ResizeTo(640, 69);
    EXPECT_EQ(FullBar(), nullptr);
    EXPECT_NE(MiniStrip(), nullptr);
}

class SkinShapeInMiniMode : public SkinShape {
protected:
    SkinShapeInMiniMode() { placement.height = 64; }
};

TEST_F(SkinShapeInMiniMode, StartUpCreatesTheMiniStripAndResizesTheWindowAndBack)
{
    host::ClearLogs();
    StartPlugin();
    EXPECT_NE(MiniStrip(), nullptr);
    EXPECT_EQ(FullBar(), nullptr);
    std::vector<host::Logged> sizes = host::Select(host::received, host::mainWindow, {WM_SIZE});
    ASSERT_GE(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].lParam, MAKELPARAM(639, 64));
    EXPECT_EQ(sizes[1].lParam, MAKELPARAM(640, 64));
    RECT rect;
    GetWindowRect(host::mainWindow, &rect);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 64);
    // No shape in mini mode: whatever the host gives the window stands.
    EXPECT_FALSE(InShape(host::mainWindow, 0, 0));
}

TEST_F(SkinShape, EqualizerIsShapedAtItsOwnSizeAndItsHostNeverSeesTheSize)
{
    StartPlugin();
    host::ClearLogs();
    SetWindowPos(host::equalizerWindow, nullptr, 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    host::PumpMessages();
    EXPECT_EQ(Received(host::equalizerWindow, WM_SIZE), 0);
    HWND eq = host::equalizerWindow;
    EXPECT_TRUE(InShape(eq, 5, 0));
    EXPECT_TRUE(InShape(eq, 294, 0));
    EXPECT_FALSE(InShape(eq, 0, 0));
    EXPECT_FALSE(InShape(eq, 299, 0));
    EXPECT_TRUE(InShape(eq, 0, 5));
    EXPECT_TRUE(InShape(eq, 0, 144));
    EXPECT_FALSE(InShape(eq, 0, 149));
    // Other messages still reach the host.
    SendMessageA(eq, WM_USER + 3, 4, 5);
    EXPECT_EQ(Received(eq, WM_USER + 3), 1);
}

TEST_F(SkinShape, WithTheSkinOffNothingIsTouched)
{
    WNDPROC equalizerProc = WNDPROC(GetWindowLongPtrA(host::equalizerWindow, GWLP_WNDPROC));
    StartPlugin({{"Skin", 0}});
    EXPECT_EQ(FullBar(), nullptr);
    EXPECT_EQ(MiniStrip(), nullptr);
    EXPECT_EQ(EqBar(), nullptr);
    EXPECT_EQ(WNDPROC(GetWindowLongPtrA(host::equalizerWindow, GWLP_WNDPROC)), equalizerProc);
    EXPECT_FALSE(InShape(host::mainWindow, 5, 20));
    host::ClearLogs();
    ResizeTo(400, 60);
    EXPECT_EQ(MiniStrip(), nullptr);
    EXPECT_EQ(Received(host::mainWindow, WM_SIZE), 1);
}

TEST_F(SkinShape, ResizesAndRepaintsLeaveNoGdiObjectBehind)
{
    StartPlugin();
    HWND bar = FullBar();
    ASSERT_NE(bar, nullptr);
    auto cycle = [&](int i) {
        host::ResizeMain(600 + i % 40, 400 + i % 30);
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
    };
    // The first rounds may make the system's lazily created objects.
    for (int i = 0; i < 5; ++i)
        cycle(i);
    host::PumpMessages();
    DWORD before = host::CountGdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 1000; ++i)
        cycle(i);
    host::PumpMessages();
    EXPECT_EQ(host::CountGdiObjects(), before);
}

} // namespace
