// The shared toolkit behaviour, run against the real controls.
#include "contract/toolkit_contract.h"

#include "platform/win32/win32_toolkit.h"

namespace qov::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Win32, ToolkitContract,
    ::testing::Values(ToolkitFactory{
        "Real", [] { return std::make_unique<qov::win32::Win32Toolkit>(); }}),
    FactoryName);

}  // namespace
}  // namespace qov::contract
