#pragma once
// The order in which the user's commands run. A system command lets the
// message loop run while it waits for its window, and a refresh lets it run
// between windows: a command given meanwhile waits its turn instead of being
// lost, and every command runs, one at a time, in the order given.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>

#include "core/window_types.h"

namespace qov {

// A command as the user gave it: its ID, and the window of the row selected
// then (a later selection must not redirect it).
struct GivenCommand {
    int id = 0;
    std::optional<WindowHandle> selected;
    bool operator==(const GivenCommand&) const = default;
};

class CommandSequence {
public:
    using Runner = std::function<void(const GivenCommand&)>;
    // Far more than anyone clicks ahead; a command beyond it is dropped.
    static constexpr std::size_t kCapacity = 64;

    explicit CommandSequence(Runner run) : run_(std::move(run)) {}

    // Runs the command, and then every command given meanwhile, unless one is
    // running already or `holdBack` (a refresh is letting messages through):
    // then it waits its turn. False when it had to be dropped.
    bool Give(const GivenCommand& command, bool holdBack);
    // Runs the commands that wait, once what held them back has returned.
    void RunWaiting();
    // Drops the commands that wait (the program is closing).
    void DropWaiting() { waiting_.clear(); }

    bool Running() const { return running_; }
    std::size_t Waiting() const { return waiting_.size(); }

private:
    Runner run_;
    std::deque<GivenCommand> waiting_;
    bool running_ = false;
};

}  // namespace qov
