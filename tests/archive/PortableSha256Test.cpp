// The browser's own SHA-256 must give OpenSSL's digests, or a battle stored
// in the browser would not be recognised as the same one stored natively.

#include "archive/PortableSha256.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>

namespace skarnwald {
namespace {

std::array<unsigned char, 32> OpenSslDigest(std::string_view bytes) {
    std::array<unsigned char, 32> digest{};
    EVP_Digest(bytes.data(), bytes.size(), digest.data(), nullptr, EVP_sha256(), nullptr);
    return digest;
}

// Lengths around the block and padding edges, and bytes fed in uneven pieces.
TEST(PortableSha256, MatchesOpenSslForEveryLengthAndSplit) {
    std::mt19937 random(20261209);
    CPortableSha256 sha;
    for (std::size_t size : {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 128, 1000, 100000}) {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{64}, size + 1}) {
            for (std::size_t at = 0; at < size; at += piece)
                sha.Update(std::string_view(bytes).substr(at, piece));
            EXPECT_EQ(sha.Final(), OpenSslDigest(bytes)) << size << " bytes in pieces of " << piece;
        }
    }
}

} // namespace
} // namespace skarnwald
