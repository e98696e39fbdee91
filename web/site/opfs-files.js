// The files SQLite keeps in the origin-private file system, as the module's
// file layer (web/OpfsVfs.c) reaches them: by name, each through a sync
// access handle opened here beforehand. Opening a handle is asynchronous and
// SQLite's calls are not, so the archive's jobs open what SQLite will need
// before they call into the module, and close it again before they move or
// remove a file. Nothing of a file is kept here.

// The browser answers a write it has no room for with a short count, or
// with this error.
const NO_ROOM_ERROR = 'QuotaExceededError';
const DONE = 0;
const ROOM_REFUSED = 1;
const FAILED = 2;
const COPY_CHUNK = 4 * 1024 * 1024;

const directory = () => navigator.storage.getDirectory();

// A handle another tab held is let go a moment after that tab's Web Lock.
async function syncHandleOf(file) {
  for (let attempt = 0; ; attempt++) {
    try {
      return await file.createSyncAccessHandle();
    } catch (error) {
      const busy = error.name === 'NoModificationAllowedError' || error.name === 'InvalidStateError';
      if (!busy || attempt === 100) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
}

const failure = (error) => (error && error.name === NO_ROOM_ERROR ? ROOM_REFUSED : FAILED);

export const opfsFiles = {
  // [{name, handle}], null where a file was closed; the module knows a file
  // by its place here while SQLite has it open.
  slots: [],

  slotOf(name) {
    return this.slots.findIndex((slot) => slot && slot.name === name);
  },
  handleOf(name) {
    const slot = this.slotOf(name);
    return slot < 0 ? null : this.slots[slot].handle;
  },

  // What the module's file layer calls, each answering at once.
  read(slot, view, at) {
    try {
      return this.slots[slot].handle.read(view, { at });
    } catch {
      return -1;
    }
  },
  write(slot, view, at) {
    try {
      return this.slots[slot].handle.write(view, { at }) === view.length ? DONE : ROOM_REFUSED;
    } catch (error) {
      return failure(error);
    }
  },
  // Growing a file past the room left fails silently: the size tells.
  truncate(slot, size) {
    const { handle } = this.slots[slot];
    try {
      const before = handle.getSize();
      handle.truncate(size);
      if (handle.getSize() === size) return DONE;
      return size > before ? ROOM_REFUSED : FAILED;
    } catch (error) {
      return failure(error);
    }
  },
  size(slot) {
    try {
      return this.slots[slot].handle.getSize();
    } catch {
      return -1;
    }
  },
  flush(slot) {
    try {
      this.slots[slot].handle.flush();
      return DONE;
    } catch {
      return FAILED;
    }
  },

  // Opens each named file, creating it empty when it is missing.
  async open(names) {
    const root = await directory();
    for (const name of names) {
      if (this.slotOf(name) >= 0) continue;
      const handle = await syncHandleOf(await root.getFileHandle(name, { create: true }));
      const free = this.slots.indexOf(null);
      this.slots[free < 0 ? this.slots.length : free] = { name, handle };
    }
  },
  close(names) {
    for (const name of names) {
      const slot = this.slotOf(name);
      if (slot < 0) continue;
      this.slots[slot].handle.close();
      this.slots[slot] = null;
    }
  },
  async remove(names) {
    this.close(names);
    const root = await directory();
    for (const name of names) {
      await root.removeEntry(name).catch((error) => {
        if (error.name !== 'NotFoundError') throw error;
      });
    }
  },
  async exists(name) {
    const root = await directory();
    return root.getFileHandle(name).then(() => true, () => false);
  },
  // `from` takes the place of `to`, whole, in one step of the browser's.
  async move(from, to) {
    this.close([from, to]);
    const root = await directory();
    await (await root.getFileHandle(from)).move(root, to);
  },
  // A copy of the open file `from` as `to`, a megabytes at a time, handed out
  // as a File; null when the browser has no room for it.
  async copy(from, to) {
    const source = this.handleOf(from);
    const chunk = new Uint8Array(Math.min(COPY_CHUNK, Math.max(1, source.getSize())));
    let room = true;
    try {
      await this.open([to]);
      const target = this.handleOf(to);
      target.truncate(0);
      for (let at = 0, size = source.getSize(); at < size && room; at += chunk.length) {
        const part = chunk.subarray(0, source.read(chunk, { at }));
        room = target.write(part, { at }) === part.length;
      }
      if (room) target.flush();
    } catch (error) {
      if (failure(error) !== ROOM_REFUSED) throw error;
      room = false;
    }
    if (!room) {
      await this.remove([to]);
      return null;
    }
    this.close([to]);
    return (await (await directory()).getFileHandle(to)).getFile();
  },
  // Whether `error` is the browser's refusal of room.
  isNoRoom: (error) => failure(error) === ROOM_REFUSED,
  // Writes a File or Blob into the open file `name` as it is read, without
  // holding it whole; false when the browser has no room for it.
  async fill(name, blob) {
    const handle = this.handleOf(name);
    handle.truncate(0);
    let at = 0;
    try {
      for await (const part of blob.stream()) {
        if (handle.write(part, { at }) !== part.length) return false;
        at += part.length;
      }
    } catch (error) {
      if (failure(error) === ROOM_REFUSED) return false;
      throw error;
    }
    handle.flush();
    return true;
  },
};
