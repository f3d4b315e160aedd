// The graph as a screen reader finds it: asked of the system for a window that answers
// WM_GETOBJECT as the main window does.
#include "win32/Accessible.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <array>
#include <string>

#include "core/app/UsageAnnouncer.h"
#include "win32/AccessibleProbe.h"
#include "win32/Handles.h"

namespace moravel {
namespace {

LRESULT CALLBACK GraphWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* graph = reinterpret_cast<GraphAccessible*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_GETOBJECT && graph != nullptr) {
        return graph->AnswerGetObject(window, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

using test::AccessibleText;
using test::Self;

TEST(GraphAccessibleTest, AReaderGetsAChartNamedAfterTheUsageWithTheAnnouncedValue) {
    ASSERT_TRUE(EnsureComApartment());
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = GraphWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Moravel.GraphAccessibleTest";
    ASSERT_NE(RegisterClassExW(&windowClass), 0);

    ComPtr<IAccessible> object;
    {
        UsageAnnouncer announcer;
        GraphAccessible graph(announcer);
        WindowHandle window(CreateWindowExW(0, windowClass.lpszClassName, L"Moravel", WS_POPUP, 10,
                                            20, 160, 90, nullptr, nullptr, windowClass.hInstance,
                                            nullptr));
        ASSERT_TRUE(window);
        SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&graph));
        announcer.Update(37);
        ASSERT_EQ(
            AccessibleObjectFromWindow(window.get(), OBJID_CLIENT, IID_PPV_ARGS(object.put())),
            S_OK);

        VARIANT role;
        VariantInit(&role);
        ASSERT_EQ(object->get_accRole(Self(), &role), S_OK);
        EXPECT_EQ(role.vt, VT_I4);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_CHART);
        EXPECT_EQ(AccessibleText(*object.get(), &IAccessible::get_accName), UsageAnnouncer::Name());
        EXPECT_EQ(AccessibleText(*object.get(), &IAccessible::get_accValue), "37 %");
        // The value is the announcer's at the time of asking.
        ASSERT_TRUE(announcer.Update(42));
        EXPECT_EQ(AccessibleText(*object.get(), &IAccessible::get_accValue), "42 %");
        // The place is the system's answer for the window's client area.
        LONG left = 0;
        LONG top = 0;
        LONG width = 0;
        LONG height = 0;
        ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Self()), S_OK);
        EXPECT_EQ((std::array{left, top, width, height}), (std::array<LONG, 4>{10, 20, 160, 90}));
    }
    // The reader still holds the object after the window and the announcer went.
    EXPECT_EQ(AccessibleText(*object.get(), &IAccessible::get_accValue),
              "failed: " + std::to_string(CO_E_OBJNOTCONNECTED));
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
}  // namespace moravel
