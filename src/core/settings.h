#pragma once
// The program's options: one record, read by the filters at every use and
// changed by the settings dialogs and the target-mode menu items; loaded from
// the store at start and saved at close.

#include <array>
#include <string>
#include <vector>

#include "core/text_store.h"

namespace qov {

inline constexpr int kMaxExcludedTitles = 1000;

// How the list learns that windows changed: "Auto" finds out at start whether
// the system reports window changes as they happen, "Events" trusts that it
// does (with a slow safety scan), "Scan" reads the desktop every interval.
enum class Detection { Auto, Events, Scan };

// The list's columns at design size, twips.
inline constexpr std::array<int, 5> kDefaultColumnWidths{4000, 1000, 2000, 2000, 1000};

struct Settings {
    bool showOnlyVisible = true;     // multi-window commands hit only visible windows
    bool showUntitled = false;       // list windows without a title
    bool showSystemWindows = false;  // list system windows too
    bool ignoreExclusions = false;   // ignore the exclusion list
    bool alwaysOnTop = false;        // keep the program's own windows on top
    int refreshIntervalMs = 1000;
    Detection detection = Detection::Auto;
    std::array<int, 5> columnWidths = kDefaultColumnWidths;  // twips

    // Title fragments in the order they were added.
    std::vector<std::string> excludedTitles;
    // Fragments that mark a system window; the last two are the program's own captions.
    std::vector<std::string> systemTitles{"IME", "OLE", "DDE", "Program Manager", "QOV", "V O V"};

    // Refused (false, nothing stored) when the list is full.
    bool AppendExcludedTitle(std::string title);
};

// Missing or unreadable values give the defaults; at most kMaxExcludedTitles
// titles, up to the first missing or empty "WndN".
Settings LoadSettings(TextStore& store);
void SaveSettings(TextStore& store, const Settings& settings);

// Stored encodings, lenient on reading.
bool ParseBoolean(std::string_view text, bool fallback);  // "True"/"False" any case, or a number
std::string FormatBoolean(bool value);                    // "True" / "False"
int ParseInterval(std::string_view text, int fallback);   // positive milliseconds
int ParseColumnWidth(std::string_view text, int fallback);  // twips, fractions allowed
Detection ParseDetection(std::string_view text);            // any case; else Auto
const char* FormatDetection(Detection detection);           // "Auto" / "Events" / "Scan"

// The settings dialog "V O V　＜設定＞". Its controls keep what the user left
// in them between openings ("キャンセル" only hides it); "閉じる" applies them.
inline constexpr std::array<int, 5> kRefreshIntervalChoices{100, 500, 1000, 5000, 10000};

struct SettingsDialogState {
    bool hideUntitled = true;      // "タイトルがないウィンドウは表示しない"
    bool excludeSystem = true;     // "システムウィンドウを処理から除外する" (else "…も処理する")
    bool useExclusionList = true;  // "以下のタイトルのウィンドウは処理からはずす"
    bool alwaysOnTop = false;      // "QOVを常に手前に表示する（設定解除は次回起動時から有効）"
    int intervalChoice = 2;        // index into kRefreshIntervalChoices; -1 none
    Detection detection = Detection::Auto;  // "変化の検出"
};

SettingsDialogState DialogStateFrom(const Settings& settings);
// "閉じる": writes the controls' state into the settings. True when the
// program's own windows must be made topmost now (each time it is asked).
bool ApplyDialogState(const SettingsDialogState& state, Settings& settings);

// Messages of the dialogs, each in a box titled kMessageTitle with the stop icon.
inline constexpr const char* kMessageTitle = "V O V";
inline constexpr const char* kNothingSelectedMessage = "項目が選択されていません";
inline constexpr const char* kNothingEnteredMessage = "何も入力されていません";
inline constexpr const char* kListFullMessage = "これ以上項目を追加できません";

// "削除" on exclusion-list line `line` (0-based, -1 none): nullptr when done,
// else the message to show.
const char* RemoveExcludedTitle(Settings& settings, int line);
// "追加" in the add-title dialog: nullptr when the text was added (as typed:
// no trimming, duplicates allowed), else the message to show.
const char* AddExcludedTitle(Settings& settings, const std::string& text);

}  // namespace qov
