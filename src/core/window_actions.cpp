#include "core/window_actions.h"

#include "core/commands.h"
#include "core/into_view.h"

namespace qov::cli {
namespace {

bool MovesOrResizes(const Request& request) {
    return request.command == Command::Move || request.command == Command::Resize;
}

// The outer rectangle move or resize asks for, from where the window rests.
WindowRect WantedRectangle(const Request& request, const WindowRect& now) {
    const int width = now.right - now.left, height = now.bottom - now.top;
    if (request.command == Command::Move)
        return {request.first, request.second, request.first + width, request.second + height};
    return {now.left, now.top, now.left + request.first, now.top + request.second};
}

// Only what was asked for counts: a window may resize itself to a
// monitor's DPI after a move, or keep its size within its limits.
bool IsAsAsked(Command command, const WindowRect& now, const WindowRect& wanted) {
    if (command == Command::Move) return now.left == wanted.left && now.top == wanted.top;
    return now.right - now.left == wanted.right - wanted.left &&
           now.bottom - now.top == wanted.bottom - wanted.top;
}

}  // namespace

const char* ResultWord(Result result) {
    switch (result) {
    case Result::Done: return "done";
    case Result::Hung:
    case Result::Stalled: return "hung";
    case Result::Refused: return "refused";
    case Result::Gone: return "gone";
    case Result::Unchanged: return "unchanged";
    case Result::Cloaked: return "cloaked";
    }
    return "";
}

const char* ResultMessage(Result result, Command command) {
    switch (result) {
    case Result::Done: return "完了しました";
    case Result::Hung: return "応答がないため飛ばしました";
    case Result::Stalled: return "応答がありません（後で実行される可能性があります）";
    case Result::Refused:
        // A console program is refused the foreground mostly by the
        // foreground lock, whatever the window is.
        if (command == Command::Front)
            return "Windows に拒否されました（前面表示の制限、管理者として実行中のウィンドウなど）";
        return "Windows に拒否されました（管理者として実行中のウィンドウなど）";
    case Result::Gone: return "ウィンドウがなくなっていました";
    case Result::Unchanged: return "ウィンドウが応じませんでした";
    case Result::Cloaked:
        return "別の仮想デスクトップにあるウィンドウです（中断中のストアアプリのこともあります）。この画面には表示されません";
    }
    return "";
}

// QOV's single-window menu items where there is one, so a window gets from
// qovc what it gets from the list.
Outcome WindowActions::Ask(const Request& request, WindowHandle window,
                           const WindowPlacement& wanted) {
    WindowSystem& w = windows_;
    switch (request.command) {
    case Command::Restore: return ApplyToWindow(w, IDM_RESTORE, window);
    case Command::Minimize: return ApplyToWindow(w, IDM_MINIMIZE, window);
    case Command::Maximize: return ApplyToWindow(w, IDM_MAXIMIZE, window);
    case Command::Front: return ApplyToWindow(w, IDM_BRING_TO_FRONT, window);
    case Command::Topmost: return ApplyToWindow(w, IDM_MAKE_TOPMOST, window);
    case Command::NoTopmost: return w.RemoveTopmost(window);
    case Command::Hide: return ApplyToWindow(w, IDM_HIDE, window);
    case Command::Show: return ApplyToWindow(w, IDM_SHOW, window);
    case Command::Close: return ApplyToWindow(w, IDM_CLOSE, window);
    case Command::Move:
    case Command::Resize:
        if (wanted.state == ShowState::Normal) return w.SetRectangle(window, wanted.normal);
        return w.SetPlacement(window, wanted);
    case Command::Help:
    case Command::Version:
    case Command::List:
    case Command::Watch:
    case Command::Wait: break;
    }
    return Outcome::Refused;
}

bool WindowActions::HasTakenEffect(const Request& request, WindowHandle window,
                                   const WindowPlacement& wanted) {
    WindowSystem& w = windows_;
    // Shown as the list counts it (a cloaked window is not), hidden only
    // without WS_VISIBLE.
    const auto shown = [&] { return CountsAsVisible(w.GetVisibility(window)); };
    switch (request.command) {
    case Command::Restore: return w.GetShowState(window) == ShowState::Normal && shown();
    case Command::Minimize: return w.GetShowState(window) == ShowState::Minimized;
    case Command::Maximize: return w.GetShowState(window) == ShowState::Maximized;
    case Command::Front: return w.Foreground() == window;
    case Command::Topmost: return w.IsTopmost(window);
    case Command::NoTopmost: return !w.IsTopmost(window);
    case Command::Hide: return w.GetVisibility(window) == Visibility::Hidden;
    case Command::Show: return shown();
    case Command::Move:
    case Command::Resize: {
        const std::optional<WindowPlacement> now = RestingPlacement(w, window);
        return now && IsAsAsked(request.command, now->normal, wanted.normal);
    }
    case Command::Close:  // done once the window is gone
    case Command::Help:
    case Command::Version:
    case Command::List:
    case Command::Watch:
    case Command::Wait: break;
    }
    return false;
}

// A window that does not answer is not asked: a change queued for it would
// be carried out whenever it wakes up, long after it was reported skipped.
// A change to another thread's window is only queued (ShowWindowAsync,
// SWP_ASYNCWINDOWPOS), so what the system says is read back from the window,
// a moment at a time.
Result WindowActions::Carry(const Request& request, const WindowRecord& window) {
    const WindowHandle handle = window.handle;
    const bool closing = request.command == Command::Close;
    if (!windows_.Responds(handle)) return windows_.Exists(handle) ? Result::Hung : Result::Gone;
    // A minimised or maximised window is moved where it goes when restored,
    // and keeps its state.
    WindowPlacement wanted;
    if (MovesOrResizes(request)) {
        const std::optional<WindowPlacement> resting = RestingPlacement(windows_, handle);
        if (!resting) return windows_.Exists(handle) ? Result::Unchanged : Result::Gone;
        wanted = {resting->state, WantedRectangle(request, resting->normal)};
    }
    const Outcome outcome = Ask(request, handle, wanted);
    if (outcome == Outcome::Hung) return Result::Stalled;
    if (outcome == Outcome::Refused) return Result::Refused;
    for (int check = 0; check < kReadBackChecks; ++check) {
        if (!windows_.Exists(handle)) return closing ? Result::Done : Result::Gone;
        if (HasTakenEffect(request, handle, wanted)) return Result::Done;
        pause_(kReadBackPause);
    }
    // Not changed in time: declined, or stuck with the change in its queue.
    if (!windows_.Exists(handle)) return closing ? Result::Done : Result::Gone;
    if (!windows_.Responds(handle)) return Result::Stalled;
    // Windows shows nothing of a window on another desktop here: say why.
    return IsCloaked(windows_.GetVisibility(handle)) ? Result::Cloaked : Result::Unchanged;
}

std::string ActionDescription(const Request& request) {
    const auto number = [](int n) { return std::to_string(n); };
    switch (request.command) {
    case Command::Restore: return "元のサイズに戻します";
    case Command::Minimize: return "最小化します";
    case Command::Maximize: return "最大化します";
    case Command::Front: return "前面に表示します";
    case Command::Topmost: return "常に最前面に表示します";
    case Command::NoTopmost: return "最前面表示を解除します";
    case Command::Hide: return "非表示にします";
    case Command::Show: return "表示します";
    case Command::Close: return "閉じます";
    case Command::Move: return "(" + number(request.first) + "," + number(request.second) + ") に移動します";
    case Command::Resize:
        return number(request.first) + "x" + number(request.second) + " にサイズを変えます";
    case Command::Help:
    case Command::Version:
    case Command::List:
    case Command::Watch:
    case Command::Wait: break;
    }
    return "";
}

}  // namespace qov::cli
