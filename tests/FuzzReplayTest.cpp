// Replays every file of a fuzzer's corpus through the fuzz target itself, so
// each past finding and each seed runs on every test run. The target traps on
// any check it makes; sanitizer builds add their own.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzCorpus, EveryFileRunsThroughTheTarget) {
    const std::filesystem::path corpus = std::filesystem::path(SKARNWALD_FUZZ_CORPUS) / SKARNWALD_FUZZ_TARGET;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    ASSERT_FALSE(files.empty()) << corpus;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
    }
}

} // namespace
