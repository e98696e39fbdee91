#pragma once
/* SQLite's file layer in the browser. Files under kOpfsFolder are files of
   the origin-private file system, each reached through a sync access handle
   the worker opened beforehand (opfs-files.js); every other path stays in the
   module's own memory file system, as before. The layer is SQLite's default
   from the module's start, so the archive code opens "/opfs/Data.dat" like
   any file, and SQLite's rollback journal beside it makes each transaction
   all or nothing on disk. */

#ifdef __cplusplus
extern "C" {
#endif

#define kOpfsFolder "/opfs/"

/* How often the browser refused room for a write so far: the worker tells
   a full storage apart from other failures by it. A transaction during which
   it refused is never committed, so the archive stays as it was. */
unsigned OpfsRoomRefusals(void);
/* Whether room was refused in the transaction under way; forgotten when it
   ends. */
int OpfsRoomRefusedInTransaction(void);
void OpfsForgetTransaction(void);

#ifdef __cplusplus
}
#endif
