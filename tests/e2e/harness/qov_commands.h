#pragma once
// The command identifiers of QOV's menu items. Menus belong to their process
// under Wine, so a test fires an item by sending WM_COMMAND with its number:
// 1000 plus the item's depth-first position in the menu, separators counted.
namespace qov::e2e::command {

inline constexpr int UpdateData = 1001;        // 最新情報に更新
inline constexpr int ExitProgram = 1003;       // 終了
inline constexpr int O_Restore = 1005;         // single window: restore
inline constexpr int O_IDO = 1006;             // move
inline constexpr int O_SizeChange = 1007;      // size
inline constexpr int O_Minimum = 1008;
inline constexpr int O_Maxium = 1009;
inline constexpr int O_Top = 1011;             // bring to front
inline constexpr int O_AllwaysTop = 1012;      // make topmost
inline constexpr int O_Hide = 1014;
inline constexpr int O_Show = 1015;
inline constexpr int O_Close = 1017;
inline constexpr int S_OnlyViewWindow = 1020;  // targets: visible listed windows
inline constexpr int S_AllWindow = 1021;       // targets: every listed window
inline constexpr int S_Restore = 1023;         // multi-window: restore
inline constexpr int S_Minium = 1024;
inline constexpr int S_Maxmium = 1025;
inline constexpr int S_Hide = 1027;
inline constexpr int S_Show = 1028;
inline constexpr int S_Close = 1030;
inline constexpr int Setting = 1032;         // 設定
inline constexpr int HelpIndex = 1034;       // 目次表示 (F1)
inline constexpr int Version = 1035;         // バージョン情報

}  // namespace qov::e2e::command
