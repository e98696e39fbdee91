/* SQLite's default file layer in the module: the origin-private file system
   under kOpfsFolder, the memory file system elsewhere (see OpfsVfs.h).

   SQLite calls its file layer synchronously, and a sync access handle is the
   one way to a file of the origin-private file system that answers at once;
   opening one is asynchronous, so the worker opens every handle SQLite will
   need before it opens the database (opfs-files.js), and SQLite finds them
   by name. Nothing of a file is kept here: SQLite's page cache is all the
   memory an archive takes.

   Only one tab opens the files (the worker that holds the archive's Web
   Lock), and in it one connection each: the locks SQLite asks for have
   nobody to keep out, and no other connection ever holds a reserved lock, so
   a journal left by a killed tab is always played back. */
#include "OpfsVfs.h"

#include <emscripten/emscripten.h>
#include <sqlite3.h>

#include <string.h>

/* The JavaScript half: each call reaches one sync access handle by its slot.
   read answers the bytes read, or -1; write, truncate and flush answer 0 when
   done, 1 when the browser refused room for it, 2 on any other failure. */
EM_JS(int, opfs_slot, (const char* name), {
    const files = Module['opfsFiles'];
    return files ? files.slotOf(UTF8ToString(name)) : -1;
});
EM_JS(int, opfs_read, (int slot, void* into, int amount, double at),
      { return Module['opfsFiles'].read(slot, HEAPU8.subarray(into, into + amount), at); });
EM_JS(int, opfs_write, (int slot, const void* from, int amount, double at),
      { return Module['opfsFiles'].write(slot, HEAPU8.subarray(from, from + amount), at); });
EM_JS(double, opfs_size, (int slot), { return Module['opfsFiles'].size(slot); });
EM_JS(int, opfs_truncate, (int slot, double size), { return Module['opfsFiles'].truncate(slot, size); });
EM_JS(int, opfs_flush, (int slot), { return Module['opfsFiles'].flush(slot); });

enum { kDone = 0, kNoRoom = 1 };

typedef struct {
    sqlite3_file base;
    int slot;
    int flags;
} OpfsFile;

static unsigned roomRefusals;
static int refusedInTransaction;

unsigned OpfsRoomRefusals(void) {
    return roomRefusals;
}

int OpfsRoomRefusedInTransaction(void) {
    return refusedInTransaction;
}

void OpfsForgetTransaction(void) {
    refusedInTransaction = 0;
}

static int SlotOf(sqlite3_file* file) {
    return ((OpfsFile*)file)->slot;
}

/* SQLite's code for an answer of write or truncate. */
static int Outcome(int answer, int failure) {
    if (answer == kDone)
        return SQLITE_OK;
    if (answer != kNoRoom)
        return failure;
    ++roomRefusals;
    refusedInTransaction = 1;
    return SQLITE_FULL;
}

static int FileClose(sqlite3_file* file) {
    if (((OpfsFile*)file)->flags & SQLITE_OPEN_DELETEONCLOSE)
        opfs_truncate(SlotOf(file), 0);
    return SQLITE_OK;
}

static int FileRead(sqlite3_file* file, void* into, int amount, sqlite3_int64 at) {
    const int read = opfs_read(SlotOf(file), into, amount, (double)at);
    if (read < 0)
        return SQLITE_IOERR_READ;
    if (read < amount) {
        /* SQLite expects the part past the end zeroed. */
        memset((char*)into + read, 0, (size_t)(amount - read));
        return SQLITE_IOERR_SHORT_READ;
    }
    return SQLITE_OK;
}

static int FileWrite(sqlite3_file* file, const void* from, int amount, sqlite3_int64 at) {
    return Outcome(opfs_write(SlotOf(file), from, amount, (double)at), SQLITE_IOERR_WRITE);
}

static int FileTruncate(sqlite3_file* file, sqlite3_int64 size) {
    return Outcome(opfs_truncate(SlotOf(file), (double)size), SQLITE_IOERR_TRUNCATE);
}

static int FileSync(sqlite3_file* file, int flags) {
    (void)flags;
    return opfs_flush(SlotOf(file)) == kDone ? SQLITE_OK : SQLITE_IOERR_FSYNC;
}

static int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    const double bytes = opfs_size(SlotOf(file));
    if (bytes < 0)
        return SQLITE_IOERR_FSTAT;
    *size = (sqlite3_int64)bytes;
    return SQLITE_OK;
}

static int FileLock(sqlite3_file* file, int level) {
    (void)file;
    (void)level;
    return SQLITE_OK;
}

static int FileCheckReservedLock(sqlite3_file* file, int* reserved) {
    (void)file;
    *reserved = 0;
    return SQLITE_OK;
}

static int FileControl(sqlite3_file* file, int op, void* argument) {
    (void)file;
    (void)op;
    (void)argument;
    return SQLITE_NOTFOUND;
}

static int FileSectorSize(sqlite3_file* file) {
    (void)file;
    return 4096;
}

static int FileCharacteristics(sqlite3_file* file) {
    (void)file;
    return SQLITE_IOCAP_UNDELETABLE_WHEN_OPEN;
}

static const sqlite3_io_methods kFileMethods = {
    .iVersion = 1,
    .xClose = FileClose,
    .xRead = FileRead,
    .xWrite = FileWrite,
    .xTruncate = FileTruncate,
    .xSync = FileSync,
    .xFileSize = FileSize,
    .xLock = FileLock,
    .xUnlock = FileLock,
    .xCheckReservedLock = FileCheckReservedLock,
    .xFileControl = FileControl,
    .xSectorSize = FileSectorSize,
    .xDeviceCharacteristics = FileCharacteristics,
};

/* The module's own file layer, which keeps every other file in memory. */
static sqlite3_vfs* memory;
static sqlite3_vfs layer;

static int IsOpfsPath(const char* path) {
    return path && strncmp(path, kOpfsFolder, sizeof(kOpfsFolder) - 1) == 0;
}

static int SlotOfPath(const char* path) {
    return opfs_slot(path + sizeof(kOpfsFolder) - 1);
}

static int LayerOpen(sqlite3_vfs* vfs, const char* path, sqlite3_file* file, int flags, int* outFlags) {
    (void)vfs;
    if (!IsOpfsPath(path))
        return memory->xOpen(memory, path, file, flags, outFlags);
    const int slot = SlotOfPath(path);
    if (slot < 0) {
        file->pMethods = 0;
        return SQLITE_CANTOPEN;
    }
    OpfsFile* opened = (OpfsFile*)file;
    opened->base.pMethods = &kFileMethods;
    opened->slot = slot;
    opened->flags = flags;
    if (outFlags)
        *outFlags = flags;
    return SQLITE_OK;
}

/* A file of the private file system cannot be removed while its handle is
   open; emptied, it is as good as gone to SQLite. Deleting its journal is
   how SQLite ends a transaction, so the room refused in it is forgotten. */
static int LayerDelete(sqlite3_vfs* vfs, const char* path, int syncFolder) {
    (void)vfs;
    if (!IsOpfsPath(path))
        return memory->xDelete(memory, path, syncFolder);
    const int slot = SlotOfPath(path);
    if (slot < 0)
        return SQLITE_IOERR_DELETE_NOENT;
    refusedInTransaction = 0;
    return opfs_truncate(slot, 0) == kDone && opfs_flush(slot) == kDone ? SQLITE_OK : SQLITE_IOERR_DELETE;
}

/* A file is there while the worker holds its handle open, empty or not:
   SQLite takes an empty journal for none. */
static int LayerAccess(sqlite3_vfs* vfs, const char* path, int flags, int* result) {
    (void)vfs;
    if (!IsOpfsPath(path))
        return memory->xAccess(memory, path, flags, result);
    *result = SlotOfPath(path) >= 0;
    return SQLITE_OK;
}

static int LayerFullPathname(sqlite3_vfs* vfs, const char* path, int size, char* full) {
    (void)vfs;
    if (!IsOpfsPath(path))
        return memory->xFullPathname(memory, path, size, full);
    const size_t length = strlen(path);
    if ((int)length >= size)
        return SQLITE_CANTOPEN;
    memcpy(full, path, length + 1);
    return SQLITE_OK;
}

/* Made SQLite's default before any C++ code of the module runs. */
__attribute__((constructor)) static void RegisterOpfsLayer(void) {
    if (sqlite3_initialize() != SQLITE_OK || !(memory = sqlite3_vfs_find(0)))
        return;
    layer = *memory;
    layer.pNext = 0;
    layer.zName = "opfs";
    if (layer.szOsFile < (int)sizeof(OpfsFile))
        layer.szOsFile = (int)sizeof(OpfsFile);
    layer.xOpen = LayerOpen;
    layer.xDelete = LayerDelete;
    layer.xAccess = LayerAccess;
    layer.xFullPathname = LayerFullPathname;
    sqlite3_vfs_register(&layer, 1);
}
