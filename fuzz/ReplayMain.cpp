// Runs the fuzz target as an ordinary test, deterministic and a few seconds long: the committed
// corpus, random files of the sizes at every boundary, then random and mutated corpus files.

#include "model/MeterData.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    using Bytes = std::vector<std::uint8_t>;
    const auto run = [](const Bytes& input) {
        LLVMFuzzerTestOneInput(input.data(), input.size());
    };
    std::vector<Bytes> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(argc > 1 ? argv[1] : "corpus")) {
        std::ifstream in(entry.path(), std::ios::binary);
        run(seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()));
    }
    std::mt19937 random(20240611);
    const auto randomBytes = [&random](std::size_t size) {
        Bytes bytes(size);
        std::generate(bytes.begin(), bytes.end(),
                      [&] { return static_cast<std::uint8_t>(random()); });
        return bytes;
    };
    // Letters, the byte 1, counts at and past their limits: the values the readers must survive.
    const std::uint8_t interesting[] = {0,   1,   8,   9,   20,  21,  'E',
                                        'W', 'N', 'S', 'H', 'V', 'h', 0xFF};
    const std::size_t r = sizeof(SatelliteRecord), m = kMeterFileSize; // the sizes to straddle
    const std::size_t sizes[] = {0, 1, r - 1, r, r + 1, 2 * r + 1, m - 1, m, m + 1};
    for (std::size_t i = 0; i < 2 * std::size(sizes); ++i) {
        Bytes input = randomBytes(sizes[i / 2] + 1);
        input[0] = static_cast<std::uint8_t>(i % 2); // byte 0 picks how the rest is used
        run(input);
    }
    for (int i = 0, runs = argc > 2 ? std::atoi(argv[2]) : 2000; i < runs; ++i) {
        Bytes input = i % 2 || seeds.empty() ? randomBytes(random() % (8 * r))
                                             : seeds[random() % seeds.size()];
        for (unsigned edits = i % 2 ? 0 : 1 + random() % 16; edits > 0 && !input.empty(); --edits) {
            input[random() % input.size()] = random() % 2
                                                 ? interesting[random() % std::size(interesting)]
                                                 : static_cast<std::uint8_t>(random());
        }
        run(input);
    }
    return seeds.empty() ? 1 : 0; // an empty corpus means a wrong folder
}
