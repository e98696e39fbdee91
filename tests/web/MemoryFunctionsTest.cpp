#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

extern "C" {
void* WordMemchr(const void* source, int c, std::size_t n);
int WordMemcmp(const void* left, const void* right, std::size_t n);
void* WordMemcpy(void* dest, const void* source, std::size_t n);
// Stands in for the engine's copy, which returns nothing useful.
void* EngineCopy(void* dest, const void* source, std::size_t n) {
    std::memmove(dest, source, n);
    return nullptr;
}
}

namespace {

// Every start within a word and lengths around the word size and the size
// handed to the engine's copy.
constexpr std::size_t kStarts = 9;
std::vector<std::size_t> Lengths() {
    std::vector<std::size_t> lengths(41);
    std::iota(lengths.begin(), lengths.end(), 0);
    for (std::size_t n = 505; n <= 520; ++n)
        lengths.push_back(n);
    return lengths;
}

// One byte more than asked: never empty, so the C library is never handed
// the null data() of an empty vector.
std::vector<unsigned char> Pattern(std::size_t size) {
    std::vector<unsigned char> bytes(size + 1);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>('a' + i % 23);
    return bytes;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(MemoryFunctions, MemchrFindsTheFirstMatchAsTheLibraryDoes) {
    for (std::size_t start = 0; start < kStarts; ++start)
        for (std::size_t n : Lengths()) {
            auto bytes = Pattern(start + n + 16);
            const unsigned char* from = bytes.data() + start;
            EXPECT_EQ(WordMemchr(from, 0xff, n), nullptr) << start << ' ' << n;
            EXPECT_EQ(WordMemchr(from, 'a' + 5, n), std::memchr(from, 'a' + 5, n)) << start << ' ' << n;
            for (std::size_t at = 0; at < n; ++at) {
                bytes[start + at] = 0x80;
                ASSERT_EQ(WordMemchr(from, 0x80, n), from + at) << start << ' ' << n << ' ' << at;
                bytes[start + at] = 0;
            }
        }
}

TEST(MemoryFunctions, MemcmpOrdersBytesAsUnsigned) {
    for (std::size_t start = 0; start < kStarts; ++start)
        for (std::size_t n : Lengths()) {
            auto left = Pattern(start + n);
            EXPECT_EQ(WordMemcmp(left.data() + start, left.data() + start, n), 0);
            for (std::size_t at = 0; at < n; at += 1 + at / 8) {
                auto changed = std::vector<unsigned char>(left.begin() + start, left.end());
                changed[at] = 0xf0;
                ASSERT_EQ(Sign(WordMemcmp(left.data() + start, changed.data(), n)),
                          Sign(std::memcmp(left.data() + start, changed.data(), n)))
                    << start << ' ' << n << ' ' << at;
                ASSERT_GT(WordMemcmp(changed.data(), left.data() + start, n), 0)
                    << start << ' ' << n << ' ' << at;
            }
        }
}

TEST(MemoryFunctions, MemcpyCopiesExactlyTheBytesAndReturnsTheTarget) {
    for (std::size_t start = 0; start < kStarts; ++start)
        for (std::size_t n : Lengths()) {
            const auto source = Pattern(start + n);
            std::vector<unsigned char> target(n + 16, 0);
            ASSERT_EQ(WordMemcpy(target.data() + 1, source.data() + start, n), target.data() + 1);
            EXPECT_EQ(target[0], 0);
            EXPECT_EQ(std::memcmp(target.data() + 1, source.data() + start, n), 0) << start << ' ' << n;
            EXPECT_EQ(target[n + 1], 0) << start << ' ' << n;
        }
}

} // namespace
