// The player's folders (HOME, so the same names as on a desktop) live in the browser's
// IndexedDB: read in before the game starts, written back whenever the game has written a file.
// Without IndexedDB (a private window that refuses it) the game says so once and plays on.

Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  var storage = { busy: false, again: false, failed: false };
  var told = function (error) {
    if (!error || storage.failed) return;
    storage.failed = true;
    if (Module['onStorageFailed']) Module['onStorageFailed'](String(error.message || error));
  };
  // One write-back at a time; writes that come meanwhile are taken by one more after it.
  storage.keep = function () {
    if (storage.failed) return;
    if (storage.busy) {
      storage.again = true;
      return;
    }
    storage.busy = true;
    FS.syncfs(false, function (error) {
      told(error);
      storage.busy = false;
      if (storage.again) {
        storage.again = false;
        storage.keep();
      } else if (Module['onFilesKept']) {
        Module['onFilesKept']();
      }
    });
  };
  Module['kgStorage'] = storage;
  try {
    FS.mount(IDBFS, {}, '/home/web_user');
  } catch (error) {
    told(error);
    return;
  }
  addRunDependency('kg-storage');
  FS.syncfs(true, function (error) {
    told(error);
    removeRunDependency('kg-storage');
  });
});
