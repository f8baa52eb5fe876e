// A right click on a row opens the single-window menu as a pop-up.
#include <gtest/gtest.h>

#include "harness/qov_test.h"
#include "harness/qov_texts.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

struct PopupSearch {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<PopupSearch*>(parameter);
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && std::wstring(class_name) == L"#32768" &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisiblePopupMenuOf(DWORD process_id) {
    PopupSearch search{process_id, nullptr};
    EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class PopupMenu : public QovTest {};

TEST_F(PopupMenu, ARightClickOnARowOpensItAndEscapeClosesIt) {
    FixtureThread& fixture = AddFixture(FixtureOptions::Titled(L"Clicked Fixture"));
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_TRUE(WaitForRow(fixture.window()));
    const auto rows = qov().list().Snapshot();
    ASSERT_TRUE(rows);
    const std::optional<int> row = FindRow(*rows, kHandle, HandleText(fixture.window()));
    ASSERT_TRUE(row);
    const std::optional<RECT> bounds = qov().list().ItemRect(*row);
    ASSERT_TRUE(bounds);
    ASSERT_EQ(VisiblePopupMenuOf(qov().id()), nullptr);

    const LPARAM point = MAKELPARAM(bounds->left + 20, (bounds->top + bounds->bottom) / 2);
    PostMessageW(qov().list_window(), WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageW(qov().list_window(), WM_RBUTTONUP, 0, point);
    HWND popup = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (popup = VisiblePopupMenuOf(qov().id())) != nullptr; }))
        << "no pop-up menu appeared";

    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return VisiblePopupMenuOf(qov().id()) == nullptr; }))
        << "Escape did not close the pop-up menu";
    EXPECT_TRUE(KeepsRefreshing());
}

}  // namespace
}  // namespace qov::e2e
