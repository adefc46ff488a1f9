// The frame's banner on a real window: built once on the first paint, retried while its resource is missing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "banner/banner_paint.h"
#include "setup/setup_state.h"

namespace {

std::string ExeFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

struct BannerPaint : testing::Test {
    void SetUp() override
    {
        setupState = SetupState{};
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 506, 300, nullptr, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(nullptr, window);
        // The banner comes from the real setup.exe, as the frame would find it.
        setupResources = LoadLibraryExA((ExeFolder() + "\\setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, setupResources);
    }
    void TearDown() override
    {
        ReleaseGdiObjects();
        DestroyWindow(window);
        FreeLibrary(setupResources);
        setupState = SetupState{};
    }
    void Paint()
    {
        InvalidateRect(window, nullptr, FALSE);
        PaintBanner(window);
    }
    HWND window = nullptr;
    HMODULE setupResources = nullptr;
};

}  // namespace

TEST_F(BannerPaint, FirstPaintBuildsTheBitmapOnceAtTheWindowsWidth)
{
    setupState.instance = setupResources;
    Paint();
    HBITMAP first = setupState.bannerBitmap;
    ASSERT_NE(nullptr, first);
    BITMAP size;
    ASSERT_EQ(static_cast<int>(sizeof size), GetObjectA(first, sizeof size, &size));
    EXPECT_EQ(506, size.bmWidth);
    EXPECT_EQ(70, size.bmHeight);  // 1450 x 200 scaled to 506 wide
    Paint();
    EXPECT_EQ(first, setupState.bannerBitmap) << "a later paint must reuse the cached bitmap";
}

TEST_F(BannerPaint, MissingResourceDrawsNothingAndIsTriedAgainNextPaint)
{
    setupState.instance = GetModuleHandleA(nullptr);  // the test program carries no banner
    Paint();
    EXPECT_EQ(nullptr, setupState.bannerBitmap);
    setupState.instance = setupResources;
    Paint();
    EXPECT_NE(nullptr, setupState.bannerBitmap);
}
