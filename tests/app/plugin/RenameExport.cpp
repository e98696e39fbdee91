// Renames the test plug-in's export to "?ShowKelvra@CKelvoraApp@@QAEXXZ" in
// the linked library: the new name overwrites the old one of the same length
// in the dynamic string table, and the SysV hash table is rebuilt so the
// loader finds the symbol under its new name. Usage: rename_export <library>

#include <elf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kBuiltName = "_ShowKelvra_CKelvoraApp__QAEXXZ";
constexpr std::string_view kExportName = "?ShowKelvra@CKelvoraApp@@QAEXXZ";
static_assert(kBuiltName.size() == kExportName.size());

std::uint32_t ElfHash(const char* name) {
    std::uint32_t h = 0;
    for (; *name; ++name) {
        h = (h << 4) + static_cast<unsigned char>(*name);
        const std::uint32_t g = h & 0xf0000000;
        if (g)
            h ^= g >> 24;
        h &= ~g;
    }
    return h;
}

template <typename T> T* At(std::vector<char>& image, std::size_t offset) {
    return reinterpret_cast<T*>(image.data() + offset);
}

bool Rename(std::vector<char>& image) {
    auto* header = At<Elf64_Ehdr>(image, 0);
    auto* sections = At<Elf64_Shdr>(image, header->e_shoff);
    const Elf64_Shdr *symbols = nullptr, *hash = nullptr;
    for (int i = 0; i < header->e_shnum; ++i) {
        if (sections[i].sh_type == SHT_DYNSYM)
            symbols = &sections[i];
        if (sections[i].sh_type == SHT_HASH)
            hash = &sections[i];
        if (sections[i].sh_type == SHT_GNU_HASH)
            return false;
    }
    if (!symbols || !hash)
        return false;
    const Elf64_Shdr& strings = sections[symbols->sh_link];
    auto* table = At<std::uint32_t>(image, hash->sh_offset);
    const std::uint32_t bucketCount = table[0], chainCount = table[1];
    std::uint32_t* buckets = table + 2;
    std::uint32_t* chains = buckets + bucketCount;
    std::fill(buckets, chains + chainCount, 0);
    bool renamed = false;
    for (std::uint32_t i = 1; i < chainCount; ++i) {
        char* name = At<char>(image, strings.sh_offset + At<Elf64_Sym>(image, symbols->sh_offset)[i].st_name);
        if (name == kBuiltName) {
            std::memcpy(name, kExportName.data(), kExportName.size());
            renamed = true;
        }
        const std::uint32_t bucket = ElfHash(name) % bucketCount;
        chains[i] = buckets[bucket];
        buckets[bucket] = i;
    }
    return renamed;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    std::vector<char> image;
    {
        std::ifstream in(argv[1], std::ios::binary);
        image.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (image.size() < sizeof(Elf64_Ehdr) || !Rename(image)) {
        std::fprintf(stderr, "rename_export: no renamable export in %s\n", argv[1]);
        return 1;
    }
    std::ofstream(argv[1], std::ios::binary | std::ios::trunc)
        .write(image.data(), std::streamsize(image.size()));
    return 0;
}
