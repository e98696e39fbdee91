/* The converter looks for words in every line of a report and writes its
   pages in small pieces, and SQLite copies and compares small pieces all the
   time. The C library of Debian's Emscripten does that four bytes, or one
   byte, at a time; these do it eight bytes at a time. The linker takes them
   in place of the library's. The file is compiled without builtins, so that
   no loop here becomes a call to itself. */
#include <stddef.h>
#include <stdint.h>

/* Copies of this size and more go to the engine's own copy. */
#define BIG_COPY 512
typedef uint64_t __attribute__((aligned(1), may_alias)) Word;
#define ONES 0x0101010101010101ull
#define HIGHS 0x8080808080808080ull

/* The engine's copy, declared as the library declares it; it returns nothing. */
void* emscripten_memcpy_big(void* dest, const void* source, size_t n);

static size_t BytesInMemoryFrom(const void* at) {
#ifdef __wasm__
    return __builtin_wasm_memory_size(0) * 65536 - (uintptr_t)at;
#else
    (void)at; /* native tests, which compile these under other names */
    return SIZE_MAX;
#endif
}

void* memchr(const void* source, int c, size_t n) {
    const unsigned char* s = source;
    const uint64_t wanted = ONES * (unsigned char)c;
    /* A caller may pass more bytes than there are, trusting memchr to stop at
       the one it finds: the words read stay inside the module's memory. */
    const size_t inMemory = BytesInMemoryFrom(s);
    if (n > inMemory)
        n = inMemory;
    for (; n >= 8; s += 8, n -= 8) {
        const uint64_t x = *(const Word*)s ^ wanted;
        const uint64_t zero = (x - ONES) & ~x & HIGHS;
        if (zero)
            return (void*)(s + (__builtin_ctzll(zero) >> 3));
    }
    for (; n; ++s, --n)
        if (*s == (unsigned char)c)
            return (void*)s;
    return NULL;
}

int memcmp(const void* leftBytes, const void* rightBytes, size_t n) {
    const unsigned char* left = leftBytes;
    const unsigned char* right = rightBytes;
    for (; n >= 8 && *(const Word*)left == *(const Word*)right; left += 8, right += 8, n -= 8) {
    }
    for (; n; ++left, ++right, --n)
        if (*left != *right)
            return *left - *right;
    return 0;
}

void* memcpy(void* restrict dest, const void* restrict source, size_t n) {
    if (n >= BIG_COPY) {
        emscripten_memcpy_big(dest, source, n);
        return dest;
    }
    unsigned char* d = dest;
    const unsigned char* s = source;
    for (; n >= 8; d += 8, s += 8, n -= 8)
        *(Word*)d = *(const Word*)s;
    for (; n; --n)
        *d++ = *s++;
    return dest;
}
