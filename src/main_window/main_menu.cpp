// The main window's menu bar. Names and captions are the program's own,
// trailing blanks included; the single-window menu doubles as the list's
// context menu.
#include "main_window/main_form.h"

namespace qov {
namespace {

MenuItem Item(const char* name, const char* caption, std::function<void()> onClick,
              const char* shortcut = "") {
    return MenuItem{name, caption, shortcut, std::move(onClick), {}};
}

MenuItem Separator(const char* name) { return MenuItem{name, "-", "", nullptr, {}}; }

MenuItem Menu(const char* name, const char* caption, std::vector<MenuItem> children) {
    return MenuItem{name, caption, "", nullptr, std::move(children)};
}

}  // namespace

std::vector<MenuItem> MainForm::MenuBar() {
    auto button = [this](std::int16_t position) {
        return [this, position] { clsToolBar_ButtonClick(position); };
    };
    return {
        Menu("MenuFile", "ファイル(&F)",
             {
                 Item("UpdateData", "最新情報に更新", [this] { UpdateData_Click(); }, "F5"),
                 Separator("srash06"),
                 Item("ExitProgram", "終了", [this] { ExitProgram_Click(); }, "F4"),
             }),
        Menu("OnlyWindow", "単独ウィンドウ(&O)",
             {
                 Item("O_Restore", "元のサイズに戻す(&R)", button(0)),
                 Item("O_IDO", "移動(&M) ", button(1)),
                 Item("O_SizeChange", "サイズ変更(&S) ", button(2)),
                 Item("O_Minimum", "最小化(&N) ", button(3)),
                 Item("O_Maxium", "最大化(&X) ", button(4)),
                 Separator("srash003"),
                 Item("O_Top", "前面に表示(&T) ", [this] { O_Top_Click(); }),
                 Item("O_AllwaysTop", "常に再前面に表示(&A) ", [this] { O_AllwaysTop_Click(); }),
                 Separator("srash00"),
                 Item("O_Hide", "非表示 ", button(6), "Ctrl+H"),
                 Item("O_Show", "表示 ", button(7), "Ctrl+S"),
                 Separator("srash005"),
                 Item("O_Close", "閉じる(C) ", button(9)),
             }),
        Menu("SomeWindow", "複数ウィンドウ(&S)",
             {
                 Menu("S_Target", "ターゲットウィンドウ",
                      {
                          Item("S_OnlyViewWindow", "現在表示されているウィンドウのみ",
                               [this] { S_OnlyViewWindow_Click(); }),
                          Item("S_AllWindow", "全てのウィンドウ", [this] { S_AllWindow_Click(); }),
                      }),
                 Separator("srash01"),
                 Item("S_Restore", "元のサイズに戻す(&R) ", button(11)),
                 Item("S_Minium", "最小化(&N)", button(12)),
                 Item("S_Maxmium", "最大化(&X)", button(13)),
                 Separator("srash04"),
                 Item("S_Hide", "非表示", button(15)),
                 Item("S_Show", "表示", button(16)),
                 Separator("srash"),
                 Item("S_Close", "閉じる(&D)", button(18)),
             }),
        Menu("MenuSetting", "設定(&S)", {Item("Setting", "設定", [this] { Setting_Click(); })}),
        Menu("MenuHelp", "ヘルプ(&H)",
             {
                 Item("HelpIndex", "目次表示", [this] { HelpIndex_Click(); }, "F1"),
                 Item("Version", "バージョン情報(&V)", [this] { Version_Click(); }),
             }),
    };
}

}  // namespace qov
