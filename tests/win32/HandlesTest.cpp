#include "win32/Handles.h"

#include <gtest/gtest.h>

#include "win32/DibCanvas.h"

namespace moravel {
namespace {

bool Alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(HandlesTest, AnOwnedObjectIsDeletedOnceWhenItsLastOwnerGoes) {
    HBITMAP raw = nullptr;
    {
        BitmapHandle first(CreateBitmap(4, 4, 1, 1, nullptr));
        raw = first.get();
        ASSERT_TRUE(Alive(raw));
        BitmapHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_TRUE(Alive(raw));
        BitmapHandle third;
        third = std::move(second);
        EXPECT_TRUE(Alive(raw));
        third = BitmapHandle(CreateBitmap(2, 2, 1, 1, nullptr));  // the old one goes at once
        EXPECT_FALSE(Alive(raw));
        raw = third.get();
    }
    EXPECT_FALSE(Alive(raw));

    // A failed creation is empty, whichever way the call says it failed.
    EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(FontHandle(nullptr));
    const KernelHandle missing(
        CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
}

TEST(HandlesTest, ASelectionPutsThePreviousObjectBack) {
    const DcHandle dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    const HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc.get(), 8, 8));
    {
        const SelectedObject selection(dc.get(), bitmap.get());
        EXPECT_TRUE(selection);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    const HBITMAP raw = bitmap.get();
    bitmap.reset();
    EXPECT_FALSE(Alive(raw));  // deselected, so it could be deleted
}

TEST(HandlesTest, ACanvasShowsWhatGdiDrewInDibOrderAndGrowsOnly) {
    DibCanvas canvas;
    ASSERT_TRUE(canvas.Reserve(10, 6));
    EXPECT_GE(canvas.Width(), 10);
    canvas.Fill(10, 6, 0);
    const BrushHandle brush(CreateSolidBrush(RGB(0x11, 0x22, 0x33)));
    const RECT box = {2, 1, 4, 3};
    FillRect(canvas.dc(), &box, brush.get());
    GdiFlush();
    EXPECT_EQ(canvas.At(2, 1) & 0xFFFFFFu, 0x112233u);  // red in the third byte, blue in the first
    EXPECT_EQ(canvas.At(4, 1), 0u);
    EXPECT_EQ(canvas.At(1, 1), 0u);

    const std::int32_t width = canvas.Width();
    ASSERT_TRUE(canvas.Reserve(3, 3));
    EXPECT_EQ(canvas.Width(), width);
    ASSERT_TRUE(canvas.Reserve(40, 2));
    EXPECT_GE(canvas.Width(), 40);
    EXPECT_GE(canvas.Height(), 6);
}

}  // namespace
}  // namespace moravel
