// QOV started on a settings key full of junk another program (or a damaged
// profile) could leave: it starts, lists windows, uses the default for every
// value it cannot read and, when closed, leaves a set it reads back as used.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "harness/qov_registry.h"
#include "harness/qov_test.h"

namespace qov::e2e {
namespace {

// The longest value QOV reads is 64 KB with its terminating NUL.
const std::wstring kLongestReadable(32767, L'9');
const std::wstring kTooLong(70000, L'x');

struct JunkValue {
    const wchar_t* name;
    DWORD type;
    std::wstring text;     // REG_SZ and REG_MULTI_SZ data
    std::wstring written;  // what QOV saves for it
};

bool Write(const JunkValue& junk) {
    const DWORD dword = 1;
    const BYTE binary[] = {0xFF, 0x00, 0x12};
    switch (junk.type) {
        case REG_DWORD:
            return WriteQovRawSetting(junk.name, REG_DWORD, &dword, sizeof(dword));
        case REG_BINARY:
            return WriteQovRawSetting(junk.name, REG_BINARY, binary, sizeof(binary));
        default: {
            // A multi-string ends with two NULs, a string with one.
            const std::size_t nuls = junk.type == REG_MULTI_SZ ? 2 : 1;
            return WriteQovRawSetting(junk.name, junk.type, junk.text.c_str(),
                                      static_cast<DWORD>((junk.text.size() + nuls) * sizeof(wchar_t)));
        }
    }
}

const std::vector<JunkValue>& JunkSettings() {
    static const std::vector<JunkValue> junk{
        {L"ShowOnly", REG_SZ, L"maybe", L"True"},
        {L"ShowNoname", REG_SZ, L"", L"False"},
        {L"SystemWindow", REG_DWORD, L"", L"False"},
        {L"NotVWindow", REG_BINARY, L"", L"False"},
        {L"AlwaysTop", REG_SZ, kTooLong, L"False"},
        {L"UpdateInterval", REG_SZ, L"99999999999999999999", L"1000"},
        {L"TitleWidth", REG_SZ, kLongestReadable, L"4000"},
        {L"StatusWidth", REG_SZ, L"-100", L"1000"},
        {L"SizeWidth", REG_MULTI_SZ, L"1500", L"2000"},
        {L"ClassWidth", REG_SZ, L"  1500  ", L"1500"},
        {L"hWndWidth", REG_SZ, L"1.5e3", L"1000"},
    };
    return junk;
}

// The excluded titles as QOV reads them: Wnd1, Wnd2... up to the first
// missing, empty or non-string value.
std::vector<std::wstring> StoredTitleList() {
    std::vector<std::wstring> titles;
    for (int n = 1;; ++n) {
        const auto title = ReadQovSetting(L"Wnd" + std::to_wstring(n));
        if (!title || title->empty()) return titles;
        titles.push_back(*title);
    }
}

struct TitleKeysCase {
    const char* name;
    int missing;     // Wnd number left out, or 0
    int wrong_type;  // Wnd number stored as REG_DWORD, or 0
    std::size_t titles_kept;

    friend std::ostream& operator<<(std::ostream& out, const TitleKeysCase& c) { return out << c.name; }
};

class HostileRegistry : public QovTest, public testing::WithParamInterface<TitleKeysCase> {};

TEST_P(HostileRegistry, QovStartsListsAndSavesAReadableSet) {
    const TitleKeysCase& c = GetParam();
    for (const JunkValue& junk : JunkSettings()) ASSERT_TRUE(Write(junk)) << junk.name;
    std::vector<std::wstring> titles;
    for (int n = 1; n <= 2000; ++n) {
        const std::wstring name = L"Wnd" + std::to_wstring(n);
        if (n == c.missing) continue;
        if (n == c.wrong_type) {
            ASSERT_TRUE(Write({name.c_str(), REG_DWORD, L"", L""}));
            continue;
        }
        // One title fragment as long as a value may be, the rest junk.
        titles.push_back(n == 3 ? std::wstring(32767, L'j') : L"Junk Title " + std::to_wstring(n));
        ASSERT_TRUE(WriteQovSetting(name, titles.back()));
    }

    FixtureThread& fixture = AddFixture(FixtureOptions::Titled(L"Listed Fixture"));
    ASSERT_NO_FATAL_FAILURE(StartQov({}));
    EXPECT_TRUE(WaitForRow(fixture.window())) << "QOV lists no windows";
    ASSERT_TRUE(qov().Close()) << "QOV did not end in order";

    for (const JunkValue& junk : JunkSettings())
        EXPECT_EQ(ReadQovSetting(junk.name), junk.written) << junk.name;
    const std::vector<std::wstring> kept = StoredTitleList();
    ASSERT_EQ(kept.size(), c.titles_kept);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), titles.begin()))
        << "the titles kept are the first ones stored, unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    E2e, HostileRegistry,
    testing::Values(TitleKeysCase{"TwoThousandTitles", 0, 0, 1000},
                    TitleKeysCase{"GapInTheKeys", 31, 0, 30},
                    TitleKeysCase{"WrongTypeInTheKeys", 0, 21, 20}),
    [](const testing::TestParamInfo<TitleKeysCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qov::e2e
