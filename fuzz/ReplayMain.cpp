// Runs the fuzz target as an ordinary test: the committed corpus, files of the sizes at every
// boundary, then seeded random and mutated inputs. Deterministic, a few seconds long.
//   fuzz_meter_files_replay <corpus folder> [random inputs]

#include "model/MeterData.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

void Run(const Bytes& input) {
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

Bytes RandomBytes(std::mt19937& random, std::size_t size) {
    Bytes bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// Letters, the byte 1, counts at and past their limits: the values the readers must survive.
Bytes Mutated(std::mt19937& random, Bytes input) {
    static const std::uint8_t kInteresting[] = {0,   1,   8,   9,   20,  21,   'E',  'W',
                                                'N', 'S', 'H', 'V', 'h', 0x7F, 0x80, 0xFF};
    if (input.empty()) {
        return input;
    }
    const int edits = 1 + static_cast<int>(random() % 16);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = random() % input.size();
        input[at] = random() % 2 ? kInteresting[random() % sizeof kInteresting]
                                 : static_cast<std::uint8_t>(random());
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <corpus folder> [random inputs]\n", argv[0]);
        return 2;
    }
    const int randomRuns = argc > 2 ? std::atoi(argv[2]) : 2000;

    std::vector<Bytes> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (seeds.empty()) {
        std::fprintf(stderr, "empty corpus in %s\n", argv[1]);
        return 1;
    }
    for (const Bytes& seed : seeds) {
        Run(seed);
    }

    std::mt19937 random(20240611);
    const std::size_t record = sizeof(SatelliteRecord);
    const std::size_t sizes[] = {0,
                                 1,
                                 record - 1,
                                 record,
                                 record + 1,
                                 2 * record,
                                 2 * record + 1,
                                 kMeterFileSize - 1,
                                 kMeterFileSize,
                                 kMeterFileSize + 1};
    for (const std::size_t size : sizes) {
        for (const std::uint8_t mode : {0, 1}) {
            Bytes input = RandomBytes(random, size + 1);
            input[0] = mode;
            Run(input);
        }
    }
    for (int i = 0; i < randomRuns; ++i) {
        if (i % 2 == 0) {
            Run(Mutated(random, seeds[random() % seeds.size()]));
        } else {
            Bytes input = RandomBytes(random, random() % (8 * record));
            Run(input);
        }
    }
    std::printf("replayed %zu corpus files, %zu boundary sizes, %d random inputs\n", seeds.size(),
                2 * std::size(sizes), randomRuns);
    return 0;
}
