// qovc on the fake desktop: which windows, the selectors, the actions'
// outcomes, the --all and --dry-run rules and the exit codes. The desktop
// carries out operations the way Windows does, except on windows a test makes
// hung, refusing or declining.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "core/qovc_program.h"
#include "fakes/fake_desktop.h"
#include "fakes/text_match.h"

namespace qov::cli {
namespace {

using fakes::FakeDesktop;
using fakes::FakeWindow;
using fakes::Operation;

class SimulatedDesktop : public FakeDesktop {
public:
    // Hung ones: FakeWindow::responds false. Rescaling ones grow after a move,
    // as a window does on reaching a monitor of another DPI.
    std::set<WindowHandle> refusing, declining, rescaling;

    SimulatedDesktop() {
        outcomeOf = [this](const Operation& op) { return CarryOut(op); };
    }

private:
    Outcome CarryOut(const Operation& op) {
        if (!windows.contains(op.window)) return Outcome::Gone;
        if (refusing.contains(op.window)) return Outcome::Refused;
        FakeWindow& w = windows.at(op.window);
        // A hung window's system command is given up on; other changes wait in its queue.
        if (!w.responds) return op.kind == Operation::SystemCommand ? Outcome::Hung : Outcome::Done;
        if (declining.contains(op.window)) return Outcome::Done;
        switch (op.kind) {
        case Operation::Show:
            w.visible = op.argument != int(ShowCommand::Hide);
            if (op.argument == int(ShowCommand::ShowNormal)) w.state = ShowState::Normal;
            if (op.argument == int(ShowCommand::Minimize)) w.state = ShowState::Minimized;
            break;
        case Operation::SystemCommand:
            if (op.argument == int(SystemCommand::Close)) return windows.erase(op.window), Outcome::Done;
            w.state = op.argument == int(SystemCommand::Minimize) ? ShowState::Minimized : ShowState::Maximized;
            break;
        case Operation::BringToFront: foreground = op.window; break;
        case Operation::MakeTopmost: w.topmost = true; break;
        case Operation::RemoveTopmost: w.topmost = false; break;
        case Operation::SetRectangle:
            w.rect = op.rect;
            if (rescaling.contains(op.window)) w.rect.right += 100;
            break;
        case Operation::MoveMaximized:
        case Operation::SetPlacement:  // a minimised or maximised window's normal place
            (op.argument == int(ShowState::Normal) ? w.rect : w.normal.emplace()) = op.rect;
            break;
        }
        return Outcome::Done;
    }
};

struct Outcomes {
    int exitCode;
    std::string out, err;
    int pauses;
};

class Qovc : public testing::Test {
protected:
    Outcomes Start(const std::vector<std::string>& arguments) {
        Outcomes run{0, "", "", 0};
        QovcContext context{
            .windows = desktop,
            .settings = settings,
            .contains = fakes::TitleContains,
            .own = own,
            .version = "9.8.7",
            .pause = [&](std::chrono::milliseconds) { ++run.pauses; },
            .out = [&](const std::string& text) { run.out += text; },
            .err = [&](const std::string& text) { run.err += text; },
        };
        run.exitCode = RunQovc(arguments, context);
        return run;
    }
    SimulatedDesktop desktop;
    Settings settings;
    OwnWindows own;
};

// Which windows an action reaches, by its selectors and the stored filters.
TEST_F(Qovc, SelectorsCombineWithTheStoredFilters) {
    settings.excludedTitles = {"Secret"};
    const WindowHandle memo = desktop.Add("無題 - メモ帳", {.className = "Notepad", .processId = 7,
                                                      .imagePath = "C:\\Windows\\NOTEPAD.EXE"});
    const WindowHandle hidden = desktop.Add("Unseen Notes", {.className = "Notepad", .visible = false});
    const WindowHandle cloaked = desktop.Add("Cloaked Notes", {.className = "Notepad", .cloaked = true});
    const WindowHandle minimised = desktop.Add("Small Notes", {.state = ShowState::Minimized});
    const WindowHandle secret = desktop.Add("Secret Notes");
    const auto all = std::vector<WindowHandle>{memo, hidden, cloaked, minimised};
    const struct {
        std::vector<std::string> selectors;
        std::vector<WindowHandle> matched;
    } cases[] = {
        {{}, all},
        {{"--title", "NOTES"}, {hidden, cloaked, minimised}},
        {{"--class", "notepad"}, {memo, hidden, cloaked}},
        {{"--class", "Note"}, {}},  // the whole name
        {{"--pid", "7"}, {memo}},
        {{"--process", "notepad.exe"}, {memo}},
        {{"--handle", std::to_string(hidden)}, {hidden}},
        {{"--visible"}, {memo, minimised}},  // as the visible-only target mode
        {{"--unfiltered", "--title", "Secret"}, {secret}},
        {{"--title", "Secret"}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"hide", "--all", "--dry-run"};
        arguments.insert(arguments.end(), c.selectors.begin(), c.selectors.end());
        const Outcomes run = Start(arguments);
        std::vector<WindowHandle> listed;
        for (std::size_t at = 0; at < run.err.size(); at = run.err.find("\r\n", at) + 2)
            if (std::isdigit(static_cast<unsigned char>(run.err[at])) || run.err[at] == '-')
                listed.push_back(std::stoi(run.err.substr(at)));
        std::ranges::sort(listed);
        std::vector<WindowHandle> expected = c.matched;
        std::ranges::sort(expected);
        EXPECT_EQ(listed, expected) << testing::PrintToString(c.selectors) << "\n" << run.err;
        EXPECT_EQ(run.exitCode, c.matched.empty() ? kExitNoMatch : kExitSuccess);
    }
    EXPECT_TRUE(desktop.operations.empty()) << "--dry-run did something";
}

struct ActionCase {
    std::vector<std::string> arguments;
    std::string trouble;  // "", "hung", "stalling", "refusing", "declining", "rescaling" or "vanishing"
    std::string result;   // the word, and the message's start where it tells more
    int exitCode;
    FakeWindow start = {};  // opposite to what the action asks
};

// One window, each action, and each way an action can come to nothing.
TEST_F(Qovc, EachActionIsReadBackAndReportedWithItsOutcome) {
    const ActionCase cases[] = {
        {{"minimize"}, "", "done", kExitSuccess},
        {{"maximize"}, "", "done", kExitSuccess},
        {{"restore"}, "", "done", kExitSuccess, {.state = ShowState::Minimized}},
        {{"hide"}, "", "done", kExitSuccess},
        {{"show"}, "", "done", kExitSuccess, {.visible = false}},
        {{"front"}, "", "done", kExitSuccess},
        {{"topmost"}, "", "done", kExitSuccess},
        {{"notopmost"}, "", "done", kExitSuccess, {.topmost = true}},
        {{"close"}, "", "done", kExitSuccess},
        {{"move", "-200", "80"}, "rescaling", "done", kExitSuccess},
        {{"resize", "800", "600"}, "", "done", kExitSuccess},
        // A minimised window is moved where it goes when restored, and stays minimised.
        {{"move", "-200", "80"}, "", "done", kExitSuccess,
         {.state = ShowState::Minimized, .normal = WindowRect{0, 0, 100, 100}}},
        {{"resize", "800", "600"}, "rescaling", "unchanged", kExitFailed},
        // A cloaked window keeps WS_VISIBLE, yet the list calls it hidden: it is elsewhere.
        {{"show"}, "", "cloaked", kExitFailed, {.cloaked = true}},
        {{"minimize"}, "hung", "hung\t応答がないため", kExitFailed},
        {{"hide"}, "stalling", "hung\t応答がありません（後で", kExitFailed},
        {{"close"}, "stalling", "hung\t応答がありません（後で", kExitFailed},
        {{"topmost"}, "refusing", "refused", kExitFailed},
        {{"close"}, "declining", "unchanged", kExitFailed},
        {{"maximize"}, "vanishing", "gone", kExitFailed},
    };
    for (const ActionCase& c : cases) {
        desktop.windows.clear();
        desktop.operations.clear();
        const WindowHandle target = desktop.Add("Target", c.start);
        desktop.refusing = desktop.declining = desktop.rescaling = {};
        if (c.trouble == "hung") desktop.windows.at(target).responds = false;
        if (c.trouble == "stalling") desktop.duringOperation = [&] { desktop.windows.at(target).responds = false; };
        if (c.trouble == "refusing") desktop.refusing.insert(target);
        if (c.trouble == "declining") desktop.declining.insert(target);
        if (c.trouble == "rescaling") desktop.rescaling.insert(target);
        if (c.trouble == "vanishing") desktop.duringOperation = [&] { desktop.windows.erase(target); };
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--title", "Target"});
        const Outcomes run = Start(arguments);
        desktop.duringOperation = [] {};
        const std::string name = testing::PrintToString(c.arguments) + " " + c.trouble;
        EXPECT_EQ(run.exitCode, c.exitCode) << name << "\n" << run.err;
        EXPECT_TRUE(run.err.starts_with(std::to_string(target) + "\tTarget\t" + c.result)) << name << "\n"
                                                                                           << run.err;
        // A change that never shows is waited for a bounded while, then given
        // up on; one the window answers at once, or refuses, is not waited for.
        const bool waited = c.result == "unchanged" || c.result == "cloaked" || (c.trouble == "stalling" && c.arguments[0] == "hide");
        EXPECT_EQ(run.pauses > 0, waited) << name;
        // A hung window is asked nothing, so nothing reaches it when it wakes up.
        if (c.trouble == "hung") {
            EXPECT_TRUE(desktop.operations.empty()) << name;
        }
    }
}

// Acting on several with --all, and --dry-run, are seen with the real qovc.
TEST_F(Qovc, SeveralMatchesNeedAllAndOwnWindowsAreNeverActedOn) {
    for (const char* title : {"Fixture A", "Fixture B"}) desktop.Add(title);
    // QOV's main window (left out of the list here) makes its message box
    // QOV's too; then qovc's console, the terminal that owns it, and a window
    // of qovc's own process.
    settings.excludedTitles = {"Fixture main"};
    desktop.Add("Fixture main", {.className = "QOV.MainWindow", .processId = 200});
    desktop.Add("Fixture message", {.className = "#32770", .processId = 200});
    own = {{300}, {desktop.Add("Fixture console"), desktop.Add("Fixture terminal")}};
    desktop.Add("Fixture qovc", {.processId = 300});

    Outcomes run = Start({"minimize", "--title", "Fixture", "--dry-run"});
    EXPECT_EQ(run.exitCode, kExitSeveral) << "--dry-run does not lift the need for --all";
    EXPECT_NE(run.err.find("2個のウィンドウが条件に合います"), std::string::npos) << "own windows were counted";

    // The shell's windows are matched, and refused with the reason.
    const WindowHandle desktopIcons = desktop.Add("Program Manager", {.className = "Progman"});
    run = Start({"close", "--title", "Program Manager", "--unfiltered"});
    EXPECT_EQ(run.exitCode, kExitFailed);
    EXPECT_TRUE(run.err.starts_with(std::to_string(desktopIcons) + "\tProgram Manager\trefused\tデスクトップや"))
        << run.err;
    EXPECT_TRUE(desktop.operations.empty());

    run = Start({"close", "--title", "Fixture m", "--unfiltered"});
    EXPECT_EQ(run.exitCode, kExitNoMatch);
    EXPECT_NE(run.err.find("QOV とこのコンソール"), std::string::npos) << run.err;
    // The list shows them, as QOV's own list shows its window.
    EXPECT_NE(Start({"list"}).out.find("#32770"), std::string::npos);
}

}  // namespace
}  // namespace qov::cli
