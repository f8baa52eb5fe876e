// The shared toolkit behaviour, run against the sim toolkit alone and
// against one that registers its forms on a simulated desktop.
#include "contract/toolkit_contract.h"

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_toolkit.h"

namespace qov::contract {
namespace {

using sim::SimDesktop;
using sim::SimToolkit;

struct DesktopHolder {
    SimDesktop desktop;
};

class SimToolkitOnDesktop : private DesktopHolder, public SimToolkit {
public:
    SimToolkitOnDesktop() : SimToolkit(&desktop) {}
};

INSTANTIATE_TEST_SUITE_P(
    Sim, ToolkitContract,
    ::testing::Values(
        ToolkitFactory{"Alone", [] { return std::make_unique<SimToolkit>(); }},
        ToolkitFactory{"OnDesktop", [] { return std::make_unique<SimToolkitOnDesktop>(); }}),
    FactoryName);

}  // namespace
}  // namespace qov::contract
