#pragma once
// The benchmarks under Wine; each prints its figures and never fails.

namespace qov::bench {

void RunRefreshCost();
void RunResponsiveness();
void RunIdleCost();

}  // namespace qov::bench
