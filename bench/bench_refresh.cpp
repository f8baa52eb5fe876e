// Window-system calls, list writes and time of one refresh of the main list
// on the fake desktop, for the program's refresh and for the straightforward
// first version kept in baseline_refresh.*. The counts are deterministic (a
// fixed seed); the times are for information only.
//
// Exit status 1 when a target is missed or the two versions disagree on the
// rows they show.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "baseline_refresh.h"
#include "core/refresh.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"

namespace qov::bench {
namespace {

constexpr unsigned kSeed = 20240611;
constexpr int kRounds = 10;
constexpr double kMaxCallsPerWindowUnchanged = 6.0;

struct CycleCost {
    double calls = 0;        // window-system calls, the enumeration included
    double fieldWrites = 0;  // texts and icons written into existing or new rows
    double rowChanges = 0;   // rows added and removed
    double statusWrites = 0;
    double listed = 0;       // rows after the cycle
    double microseconds = 0;

    void Add(const CycleCost& other) {
        calls += other.calls;
        fieldWrites += other.fieldWrites;
        rowChanges += other.rowChanges;
        statusWrites += other.statusWrites;
        listed += other.listed;
        microseconds += other.microseconds;
    }
    double CallsPerWindow() const { return listed > 0 ? calls / listed : 0; }
};

// A desktop with the program's refresh and the baseline beside it, both
// reading the same windows and the same settings.
class Bench {
public:
    Bench(int windows, unsigned seed) : rng_(seed) {
        // The program's own main window and settings dialog, which the filters
        // leave out, are on the desktop as they are when it runs.
        desktop_.Add("V O V", {.className = "QovMain"});
        desktop_.Add("V O V\u3000＜設定＞", {.className = "QovSettings", .visible = false});
        for (int i = 0; i < windows; ++i) CreateWindow();
        desktop_.foreground = alive_[alive_.size() / 2];
    }

    CycleCost RunProgram() {
        return Measure(list_, [this] { refresh_.Run(); }, [this] { return listed_.size(); });
    }
    CycleCost RunBaseline() {
        return Measure(baseline_.List(), [this] { baseline_.Run(); },
                       [this] { return baseline_.ListedCount(); });
    }

    // Changes a tenth of the windows: a quarter renamed, a quarter minimised
    // or restored, a quarter destroyed and as many new ones created.
    void ChangeTenPercent() {
        const int changes = std::max(4, static_cast<int>(alive_.size()) / 10);
        const int each = changes / 4;
        std::shuffle(alive_.begin(), alive_.end(), rng_);
        std::size_t next = 0;
        for (int i = 0; i < each; ++i) desktop_.windows[alive_[next++]].title = NextTitle();
        for (int i = 0; i < each; ++i, ++next) {
            ShowState& state = desktop_.windows[alive_[next]].state;
            state = state == ShowState::Minimized ? ShowState::Normal : ShowState::Minimized;
        }
        for (int i = 0; i < each; ++i) desktop_.windows.erase(alive_[next + i]);
        alive_.erase(alive_.begin() + static_cast<long>(next),
                     alive_.begin() + static_cast<long>(next + each));
        for (int i = 0; i < each; ++i) CreateWindow();
    }

    bool RowsAgree() {
        const fakes::FakeList& baseline = baseline_.List();
        if (list_.rows.size() != baseline.rows.size() || list_.status != baseline.status)
            return false;
        for (std::size_t row = 0; row < list_.rows.size(); ++row)
            if (list_.rows[row].cells != baseline.rows[row].cells ||
                list_.rows[row].icon != baseline.rows[row].icon)
                return false;
        return true;
    }

private:
    template <typename RunCycle, typename ListedCount>
    CycleCost Measure(fakes::FakeList& list, RunCycle run, ListedCount listedCount) {
        desktop_.enumerations = desktop_.reads = 0;
        desktop_.operations.clear();
        list.writes = {};
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        CycleCost cost;
        cost.calls = desktop_.enumerations + desktop_.reads +
                     static_cast<double>(desktop_.operations.size());
        cost.fieldWrites = list.writes.fields;
        cost.rowChanges = list.writes.rows;
        cost.statusWrites = list.writes.status;
        cost.listed = listedCount();
        cost.microseconds =
            std::chrono::duration<double, std::micro>(elapsed).count();
        return cost;
    }

    void CreateWindow() {
        std::uniform_int_distribution<int> coordinate(-200, 1600);
        const int left = coordinate(rng_);
        const int top = coordinate(rng_);
        const ShowState state = rng_() % 8 == 0 ? ShowState::Maximized : ShowState::Normal;
        alive_.push_back(desktop_.Add(NextTitle(), {.className = "BenchWindowClass", .state = state,
                                                    .rect = {left, top, left + 640, top + 480}}));
    }

    std::string NextTitle() { return "文書 " + std::to_string(++serial_) + " - Editor"; }

    fakes::FakeDesktop desktop_;
    Settings settings_;
    WindowModel model_{desktop_, settings_, fakes::TitleContains};
    ListedWindows listed_;
    fakes::FakeList list_;
    RefreshCycle refresh_{model_, listed_, list_, [] {}};
    BaselineRefresh baseline_{desktop_, settings_};
    std::mt19937 rng_;
    std::vector<WindowHandle> alive_;
    int serial_ = 0;
};

struct Row {
    int windows;
    const char* scenario;
    const char* version;
    CycleCost average;
};

CycleCost Average(CycleCost total, int rounds) {
    total.calls /= rounds;
    total.fieldWrites /= rounds;
    total.rowChanges /= rounds;
    total.statusWrites /= rounds;
    total.listed /= rounds;
    total.microseconds /= rounds;
    return total;
}

// Runs both versions over the same desktop, `rounds` cycles of one scenario.
bool RunScenario(int windows, bool changing, std::vector<Row>& table) {
    Bench bench(windows, kSeed + static_cast<unsigned>(windows));
    bench.RunProgram();  // the first cycle fills the lists
    bench.RunBaseline();
    CycleCost program;
    CycleCost baseline;
    bool agree = bench.RowsAgree();
    for (int round = 0; round < kRounds; ++round) {
        if (changing) bench.ChangeTenPercent();
        program.Add(bench.RunProgram());
        baseline.Add(bench.RunBaseline());
        agree = agree && bench.RowsAgree();
    }
    const char* scenario = changing ? "10% changed" : "unchanged";
    table.push_back({windows, scenario, "program", Average(program, kRounds)});
    table.push_back({windows, scenario, "baseline", Average(baseline, kRounds)});
    return agree;
}

}  // namespace
}  // namespace qov::bench

int main() {
    using namespace qov::bench;
    std::vector<Row> table;
    bool agree = true;
    for (int windows : {100, 1000})
        for (bool changing : {false, true}) agree = RunScenario(windows, changing, table) && agree;

    std::printf("%7s  %-11s  %-8s  %12s  %13s  %11s  %13s  %10s\n", "windows", "scenario",
                "version", "calls/window", "field writes", "rows +/-", "status writes",
                "us/cycle");
    bool met = agree;
    for (const Row& row : table) {
        const CycleCost& c = row.average;
        std::printf("%7d  %-11s  %-8s  %12.2f  %13.1f  %11.1f  %13.1f  %10.0f\n", row.windows,
                    row.scenario, row.version, c.CallsPerWindow(), c.fieldWrites, c.rowChanges,
                    c.statusWrites, c.microseconds);
        if (std::string(row.version) == "program" && std::string(row.scenario) == "unchanged") {
            const bool callsMet = c.CallsPerWindow() <= kMaxCallsPerWindowUnchanged;
            const bool writesMet = c.fieldWrites == 0 && c.rowChanges == 0;
            met = met && callsMet && writesMet;
            std::printf("         target (%d windows, unchanged): <= %.0f calls/window %s, "
                        "no list writes %s\n",
                        row.windows, kMaxCallsPerWindowUnchanged, callsMet ? "met" : "MISSED",
                        writesMet ? "met" : "MISSED");
        }
    }
    std::printf("rows of program and baseline %s after every cycle\n",
                agree ? "agree" : "DISAGREE");
    std::printf("(%d cycles per scenario, averages; times are for information only)\n", kRounds);
    return met ? 0 : 1;
}
