#include "core/qovc_watch.h"

#include <algorithm>
#include <utility>

#include "core/change_detection.h"
#include "core/output_formats.h"
#include "core/watch_tracker.h"

namespace qov::cli {
namespace {

using Clock = std::chrono::steady_clock;

// Without reports the whole desktop is read this often.
constexpr auto kScanInterval = std::chrono::milliseconds(1000);

std::string Line(const std::string& text) { return text + std::string(kNewline); }

// The matching windows kept up to date: the desktop read whole at the start
// and at each scan, and in between only the windows the feed reports.
class Follower {
public:
    Follower(const Request& request, QovcContext& context)
        : request_(request), context_(context), model_(context.windows, context.settings, context.contains) {
        if (request.timeoutMs) deadline_ = context.now() + std::chrono::milliseconds(*request.timeoutMs);
    }

    // The windows the list would show now, narrowed by the selectors.
    Snapshot ReadAll() {
        OwnWindows own;  // listed like any other, as in the list
        return MatchingWindows(context_.windows, context_.settings, context_.contains, request_.selectors,
                               request_.unfiltered, own);
    }

    void Start() {
        context_.feed->Start(request_.detection);
        nextScan_ = context_.now() + Interval();
    }

    enum class Outcome { Going, Stopped, TimeUp };

    // Waits for the next change, the tracker's next held line, the next scan
    // or the deadline, and tells the tracker what it finds.
    Outcome Step() {
        Clock::time_point wake = std::min(nextScan_, deadline_);
        if (const auto held = tracker.NextDue()) wake = std::min(wake, *held);
        if (!context_.feed->WaitUntil(wake)) return Outcome::Stopped;
        const Clock::time_point now = context_.now();
        if (now >= deadline_) return Outcome::TimeUp;
        if (now >= nextScan_) {
            tracker.SawAll(ReadAll(), now);
            nextScan_ = now + Interval();
            scanned_ = true;
            return Outcome::Going;
        }
        const std::vector<WindowChange> changes = context_.feed->TakeChanges();
        for (const WindowChange& change : changes) {
            if (change.replaced) model_.Forget(change.window);
            std::optional<WindowRecord> read = model_.Read(change.window, Detail::Full, !request_.unfiltered);
            if (read && !Matches(request_.selectors, *read, context_.contains)) read.reset();
            tracker.Saw(change.window, read, now);
        }
        if (!changes.empty()) tracker.SawForeground(model_.Foreground(), now);
        return Outcome::Going;
    }

    // Whether the last step read the whole desktop; cleared by asking.
    bool Scanned() { return std::exchange(scanned_, false); }

    WatchTracker tracker;

private:
    Clock::duration Interval() const {
        return context_.feed->UsesReports() ? Clock::duration(std::chrono::milliseconds(kSafetyScanMs))
                                            : Clock::duration(kScanInterval);
    }

    const Request& request_;
    QovcContext& context_;
    WindowModel model_;
    Clock::time_point deadline_ = Clock::time_point::max();
    Clock::time_point nextScan_;
    bool scanned_ = false;
};

}  // namespace

int RunWatch(const Request& request, QovcContext& context) {
    Follower follower(request, context);
    follower.Start();
    context.err(Line("qovc: " + context.feed->StateText()));
    follower.tracker.Start(follower.ReadAll());
    // A line nobody reads ends the watch: a failed write, or at each scan a
    // reader gone while nothing was written.
    do {
        for (const WatchLine& line : follower.tracker.TakeLines(context.now())) {
            context.out(FormatWatchLine(line.event, context.utcNow(), line.window, line.active, request.format));
            if (!context.outputRead()) return kExitSuccess;
        }
        if (follower.Scanned() && !context.outputRead()) return kExitSuccess;
    } while (follower.Step() == Follower::Outcome::Going);
    return kExitSuccess;
}

int RunWait(const Request& request, QovcContext& context) {
    Follower follower(request, context);
    // The list's output, read whole, as it is now: done when it is as asked.
    const auto settled = [&]() {
        Snapshot matching = follower.ReadAll();
        if (!request.gone && !matching.windows.empty()) context.out(FormatList(matching, request.format));
        if (request.gone == matching.windows.empty()) return true;
        follower.tracker.SawAll(matching, context.now());
        return false;
    };
    if (settled()) return kExitSuccess;  // at once when the desktop already is
    follower.Start();
    if (settled()) return kExitSuccess;
    Follower::Outcome outcome = Follower::Outcome::Going;
    while ((outcome = follower.Step()) == Follower::Outcome::Going) {
        follower.tracker.TakeLines(context.now());
        // Reports tell of one window at a time: the answer is read whole.
        const bool matching = follower.tracker.Matching() > 0;
        if (matching != request.gone && settled()) return kExitSuccess;
    }
    if (outcome == Follower::Outcome::Stopped) {
        context.err(Line("qovc: 待つのをやめました。"));
        return kExitNoMatch;
    }
    context.err(Line(request.gone ? "qovc: 時間内に条件に合うウィンドウがなくなりませんでした。"
                                  : "qovc: 時間内に条件に合うウィンドウが現れませんでした。"));
    return kExitTimeout;
}

}  // namespace qov::cli
