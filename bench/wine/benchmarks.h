#pragma once
// The benchmarks under Wine; each prints its figures and never fails. Those
// that take `detect` store it as QOV's "Detect" first (empty: not stored).
#include <string>

namespace qov::bench {

void RunRefreshCost();
void RunResponsiveness();
void RunIdleCost(const std::wstring& detect);
void RunRenameLatency(const std::wstring& detect);
void RunChurnSoak(const std::wstring& detect);
void RunWatchCost(const std::wstring& detect);  // qovc's --detect word
void RunStartCost(const std::wstring& detect);

}  // namespace qov::bench
