// libFuzzer target: the program starts on a settings store holding arbitrary
// values, closes (saving) and starts again. Any broken rule aborts, so the
// fuzzer keeps the input. Built and run by scripts/fuzz.sh.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "unit/settings_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qov::testing;
    const RoundTrip trip = RoundTripSettings(DecodeStoredValues(data, size));
    if (trip.problems.empty()) return 0;
    for (const std::string& problem : trip.problems) std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
}
