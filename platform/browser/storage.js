// The player's folders (HOME, so the same names as on a desktop) live in the browser's
// IndexedDB: read in before the game starts, written back whenever the game has written a file.
// Without IndexedDB (a private window that refuses it) the game says so once and plays on.

Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  var storage = { busy: false, again: false, failed: false, ended: false, misses: 0 };
  var told = function (error) {
    if (!error || storage.failed) return;
    storage.failed = true;
    if (Module['onStorageFailed']) Module['onStorageFailed'](String(error.message || error));
  };
  // One write-back at a time; writes that come meanwhile are taken by one more after it. A
  // file the game renames or removes while a write-back runs (a journal's blocks, its last
  // rename) fails that one, so a failed one is tried again; only a storage that keeps failing
  // is said to fail.
  storage.keep = function () {
    if (storage.failed) return;
    if (storage.busy) {
      storage.again = true;
      return;
    }
    storage.busy = true;
    FS.syncfs(false, function (error) {
      // A file that went away under the write-back is tried again at once; IndexedDB's own
      // refusals only a few times.
      var race = error instanceof FS.ErrnoError;
      storage.misses = error ? storage.misses + (race ? 1 : 10) : 0;
      if (storage.misses >= 30) told(error);
      if ((error || storage.again) && !storage.failed) {
        storage.again = false;
        setTimeout(function () {
          storage.busy = false;
          storage.keep();
        }, error && !race ? 100 : 0);
        return;
      }
      storage.busy = false;
      if (!error && Module['onFilesKept']) Module['onFilesKept']();
      if (storage.ended) storage.close();
    });
  };
  // The connections to IndexedDB close with the program, once its last write-back is done: a
  // finished game keeps no handle on the page's storage.
  storage.close = function () {
    storage.ended = true;
    if (storage.busy) return;
    Object.keys(IDBFS.dbs).forEach(function (name) {
      IDBFS.dbs[name].close();
      delete IDBFS.dbs[name];
    });
  };
  addOnExit(storage.close);
  Module['kgStorage'] = storage;
  // Without IndexedDB at all the file system would give up on the mount and stop the program.
  if (typeof indexedDB === 'undefined' || indexedDB === null) {
    told('no IndexedDB');
    return;
  }
  try {
    FS.mount(IDBFS, {}, '/home/web_user');
  } catch (error) {
    told(error);
    return;
  }
  addRunDependency('kg-storage');
  FS.syncfs(true, function (error) {
    told(error);
    // The journals are kept apart (journal_store.js): they are put together again before the
    // program starts.
    Module['kgJournals'].restore(function () {
      removeRunDependency('kg-storage');
    });
  });
});
