#pragma once
// SHA-256 (FIPS 180-4) in plain C++, for the browser build, which has no
// OpenSSL. The native programs hash with OpenSSL; tests hold both to the same
// digests, so an archive written in either place is recognised in the other.

#include <array>
#include <cstdint>
#include <string_view>

namespace skarnwald {

class CPortableSha256 {
public:
    CPortableSha256() { Reset(); }
    void Reset();
    void Update(std::string_view bytes);
    // The digest of everything fed since the last Reset; starts over afterwards.
    std::array<unsigned char, 32> Final();

private:
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 8> state_{};
    std::array<unsigned char, 64> block_{};
    std::size_t blockSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

} // namespace skarnwald
