// A stand-in for the equipment plug-in. Its export marks the process, so the
// tests see that the program called it. The export is built under a plain
// name of the same length and renamed in the finished library (the linker
// would read the real name's "@" as a symbol version).

#include <cstdlib>

extern "C" __attribute__((visibility("default"))) void _ShowKelvra_CKelvoraApp__QAEXXZ() {
    setenv("SKARNWALD_KELVORA_SHOWN", "1", 1);
}
