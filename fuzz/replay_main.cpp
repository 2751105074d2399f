// Runs a fuzz target over the files of its corpus folders, so that an
// ordinary build (without libFuzzer) replays every committed input.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int inputs = 0;
    std::error_code error;
    for (int i = 1; i < argc && !error; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
            std::ifstream file(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++inputs;
        }
    }
    printf("replayed %d inputs%s%s\n", inputs, error ? ", then: " : "", error ? error.message().c_str() : "");
    return inputs > 0 && !error ? 0 : 1;
}
