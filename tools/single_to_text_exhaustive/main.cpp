// Compares singleToText with an independent reference for all 2^32 single bit patterns, on
// every hardware thread, and prints the number of mismatches (the first few in full) and the
// time taken. Exits non-zero on any mismatch. An argument STEP checks every STEP-th pattern
// only, for a quick look.
#include "number_text.h"
#include "reference_text.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint64_t patternCount = std::uint64_t{1} << 32;
constexpr std::uint64_t mismatchesShown = 20;

struct Tally {
    std::atomic<std::uint64_t> mismatches{0};
    std::atomic<std::uint64_t> checked{0};
    std::mutex output;
};

void report(Tally& tally, std::uint32_t bits, const std::string& got, const char* expected,
            std::size_t expectedLength) {
    if (tally.mismatches.fetch_add(1) >= mismatchesShown) {
        return;
    }
    const std::lock_guard lock(tally.output);
    std::printf("mismatch 0x%08x (%.9g): singleToText \"%s\", reference \"%.*s\"\n", bits,
                static_cast<double>(std::bit_cast<float>(bits)), got.c_str(),
                static_cast<int>(expectedLength), expected);
}

void checkRange(std::uint64_t first, std::uint64_t end, std::uint64_t step, Tally& tally) {
    char expected[32];
    std::uint64_t checked = 0;
    for (std::uint64_t pattern = first; pattern < end; pattern += step, ++checked) {
        const auto bits = static_cast<std::uint32_t>(pattern);
        const float value = std::bit_cast<float>(bits);
        const std::string got = tavrello::singleToText(value);
        const std::size_t length = tavrello::check::referenceText(value, expected);
        if (got.size() != length || std::memcmp(got.data(), expected, length) != 0) {
            report(tally, bits, got, expected, length);
        }
    }
    tally.checked += checked;
}

} // namespace

int main(int argumentCount, char** arguments) {
    const std::uint64_t step = argumentCount > 1 ? std::max(1ull, std::stoull(arguments[1])) : 1;
    const auto start = std::chrono::steady_clock::now();
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    Tally tally;
    std::vector<std::thread> workers;
    for (unsigned worker = 0; worker < threads; ++worker) {
        // Both bounds are multiples of the step, so no pattern is checked twice or skipped.
        const std::uint64_t slices = patternCount / step;
        workers.emplace_back(checkRange, slices * worker / threads * step,
                             slices * (worker + 1) / threads * step, step, std::ref(tally));
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("checked %llu bit patterns on %u threads in %.0f s: %llu mismatches\n",
                static_cast<unsigned long long>(tally.checked.load()), threads, elapsed.count(),
                static_cast<unsigned long long>(tally.mismatches.load()));
    return tally.mismatches == 0 ? 0 : 1;
}
