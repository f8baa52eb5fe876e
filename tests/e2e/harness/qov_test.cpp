#include "qov_test.h"

#include "qov_registry.h"
#include "qov_texts.h"
#include "wait.h"

namespace qov::e2e {

void QovTest::SetUp() { ASSERT_TRUE(DeleteQovSettings()) << "cannot clear QOV's settings key"; }

void QovTest::TearDown() {
    // QOV first, so that it acts on no fixture while they go away.
    qov_.reset();
    fixtures_.clear();
    DeleteQovSettings();
}

void QovTest::StartQov(std::map<std::wstring, std::wstring> settings) {
    for (const auto& [name, value] : settings) {
        ASSERT_TRUE(WriteQovSetting(name, value)) << "cannot seed setting";
    }
    const std::wstring exe = QovExePath();
    ASSERT_FALSE(exe.empty()) << "the path of qov.exe was not given";
    qov_ = std::make_unique<QovProcess>(exe);
    ASSERT_TRUE(qov_->ready()) << std::string(qov_->error().begin(), qov_->error().end());
}

namespace {

// QOV leaves out windows whose titles hold these, in any letter case, also
// inside words ("hidden" holds "dde"); a fixture meant to be listed must not.
bool HoldsSystemFragment(std::wstring title) {
    CharUpperBuffW(title.data(), static_cast<DWORD>(title.size()));
    for (const wchar_t* fragment : {L"IME", L"OLE", L"DDE", L"PROGRAM MANAGER", L"QOV", L"V O V"}) {
        if (title.find(fragment) != std::wstring::npos) return true;
    }
    return false;
}

}  // namespace

FixtureThread& QovTest::AddFixture(FixtureOptions options) {
    EXPECT_FALSE(HoldsSystemFragment(options.title))
        << testing::PrintToString(options.title) << " would count as a system window";
    fixtures_.push_back(std::make_unique<FixtureThread>(std::move(options)));
    FixtureThread& fixture = *fixtures_.back();
    EXPECT_NE(fixture.window(), nullptr) << "fixture window not created";
    return fixture;
}

std::optional<Row> QovTest::RowOf(HWND window) {
    const auto rows = qov_->list().Snapshot();
    if (!rows) return std::nullopt;
    const std::optional<int> index = FindRow(*rows, kHandle, HandleText(window));
    if (!index) return std::nullopt;
    return (*rows)[*index];
}

bool QovTest::WaitForRow(HWND window, const std::function<bool(const Row&)>& condition) {
    return WaitUntil([&] {
        const std::optional<Row> row = RowOf(window);
        return row && condition(*row);
    });
}

bool QovTest::WaitForNoRow(HWND window) {
    return WaitUntil([&] {
        const auto rows = qov_->list().Snapshot();
        return rows && !FindRow(*rows, kHandle, HandleText(window));
    });
}

bool QovTest::KeepsRefreshing() {
    const FixtureThread& late = AddFixture(FixtureOptions::Titled(L"Late Fixture"));
    return WaitForRow(late.window());
}

bool QovTest::SelectRowOf(HWND window) {
    const auto rows = qov_->list().Snapshot();
    if (!rows) return false;
    const std::optional<int> index = FindRow(*rows, kHandle, HandleText(window));
    return index && qov_->list().Select(*index) && qov_->list().SelectedRow() == *index;
}

}  // namespace qov::e2e
