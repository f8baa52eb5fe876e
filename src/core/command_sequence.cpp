#include "core/command_sequence.h"

namespace qov {

bool CommandSequence::Give(const GivenCommand& command, bool holdBack) {
    if (waiting_.size() >= kCapacity) return false;
    waiting_.push_back(command);
    if (!holdBack) RunWaiting();
    return true;
}

// A runner that returns by an exception leaves the sequence ready for the
// next command; the ones still waiting stay queued.
void CommandSequence::RunWaiting() {
    if (running_) return;  // the outer call runs them when the current one returns
    running_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{running_};
    while (!waiting_.empty()) {
        const GivenCommand next = waiting_.front();
        waiting_.pop_front();
        run_(next);
    }
}

}  // namespace qov
