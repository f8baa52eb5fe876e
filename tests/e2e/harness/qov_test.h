#pragma once
// The base of the end-to-end tests: a clean settings key, the real qov.exe
// and fixture windows, all torn down in order after each test.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fixture_thread.h"
#include "qov_process.h"
#include "remote_list_view.h"

namespace qov::e2e {

// Columns of QOV's list, 0-based.
enum Column { kTitle = 0, kStatus = 1, kSize = 2, kClass = 3, kHandle = 4 };

class QovTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Seeds the given settings (a fast refresh unless told otherwise), starts
    // qov.exe and waits for its window; fails the test when it does not come.
    void StartQov(std::map<std::wstring, std::wstring> settings = {{L"UpdateInterval", L"100"}});
    QovProcess& qov() { return *qov_; }

    FixtureThread& AddFixture(FixtureOptions options);

    // The row of `window` in a settled reading of the list.
    std::optional<Row> RowOf(HWND window);
    // Waits until the row of `window` exists and satisfies `condition`.
    bool WaitForRow(HWND window, const std::function<bool(const Row&)>& condition);
    bool WaitForRow(HWND window) {
        return WaitForRow(window, [](const Row&) { return true; });
    }
    bool WaitForNoRow(HWND window);
    // Whether QOV's refresh still runs: a window opened now gets its row.
    // (A sent message proves nothing here: a thread waiting inside
    // SendMessageTimeoutW still answers those, but runs no timer.)
    bool KeepsRefreshing();
    // Selects the row of `window`; false when it is not listed.
    bool SelectRowOf(HWND window);

private:
    std::unique_ptr<QovProcess> qov_;
    std::vector<std::unique_ptr<FixtureThread>> fixtures_;
};

}  // namespace qov::e2e
