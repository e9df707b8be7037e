// Journals grow by a block a second while a run goes on, and IndexedDB keeps whole files: kept
// with the player's other files, an hour's journal would be written again whole every second.
// So journals (".kgr") are kept apart, as the pieces the program wrote, each piece once: a run
// hands the page's storage the same few kilobytes a minute in its first minute and its sixtieth.
// At start the pieces are put together again into the player's folders.

Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  var journals = { db: null, failed: false };
  var PIECES = 'pieces';
  var isJournal = function (path) {
    return /\.kgr$/.test(path);
  };
  var everyPiece = function (path) {
    return IDBKeyRange.bound([path, 0], [path, Infinity]);
  };
  var told = function (error) {
    if (journals.failed) return;
    journals.failed = true;
    if (Module['onStorageFailed']) Module['onStorageFailed'](String(error && error.message || error));
  };
  // One transaction a change, in the order the program made them: IndexedDB runs transactions
  // over the same store one after the other, as they were begun.
  var change = function (work) {
    if (!journals.db || journals.failed) return;
    try {
      var transaction = journals.db.transaction(PIECES, 'readwrite');
      transaction.onerror = function () { told(transaction.error); };
      work(transaction.objectStore(PIECES));
    } catch (error) {
      told(error);
    }
  };

  journals.isJournal = isJournal;
  // The player's other files go to IndexedDB whole, as the file system keeps them; journals not.
  var localSet = IDBFS.getLocalSet;
  IDBFS.getLocalSet = function (mount, callback) {
    localSet(mount, function (error, set) {
      if (set) {
        Object.keys(set.entries).forEach(function (path) {
          if (isJournal(path)) delete set.entries[path];
        });
      }
      callback(error, set);
    });
  };
  // The program wrote `size` bytes at `offset` of the file at `path` (none: it was emptied).
  journals.written = function (path, offset, size) {
    var node = FS.lookupPath(path).node;
    var bytes = node.contents ? node.contents.slice(offset, offset + size) : new Uint8Array(0);
    change(function (pieces) {
      if (offset === 0) pieces.delete(everyPiece(path));
      if (size > 0) pieces.put(bytes, [path, offset]);
    });
  };
  // The file at `from` is now at `to`, or gone when `to` is empty.
  journals.renamed = function (from, to) {
    change(function (pieces) {
      if (!to) {
        pieces.delete(everyPiece(from));
        return;
      }
      var keys = pieces.getAllKeys(everyPiece(from));
      var values = pieces.getAll(everyPiece(from));
      values.onsuccess = function () {
        pieces.delete(everyPiece(to));
        values.result.forEach(function (bytes, i) {
          pieces.put(bytes, [to, keys.result[i][1]]);
        });
        pieces.delete(everyPiece(from));
      };
    });
  };

  // Puts every journal together again, and takes over any kept whole by an earlier version.
  journals.restore = function (done) {
    var request = indexedDB.open('/home/web_user/journals', 1);
    request.onupgradeneeded = function () {
      request.result.createObjectStore(PIECES);
    };
    request.onerror = function () {
      told(request.error);
      done();
    };
    request.onsuccess = function () {
      journals.db = request.result;
      var all = journals.db.transaction(PIECES).objectStore(PIECES);
      var keys = all.getAllKeys();
      var values = all.getAll();
      values.onsuccess = function () {
        var files = {};
        keys.result.forEach(function (key, i) {
          (files[key[0]] = files[key[0]] || []).push([key[1], values.result[i]]);
        });
        Object.keys(files).forEach(function (path) {
          var size = 0;
          files[path].forEach(function (piece) { size = Math.max(size, piece[0] + piece[1].length); });
          var whole = new Uint8Array(size);
          files[path].forEach(function (piece) { whole.set(piece[1], piece[0]); });
          FS.mkdirTree(PATH.dirname(path));
          FS.writeFile(path, whole);
        });
        takeOver(files);
        done();
      };
      values.onerror = function () {
        told(values.error);
        done();
      };
    };
  };

  // A journal an earlier version kept whole among the player's files becomes pieces.
  var takeOver = function (known) {
    var walk = function (folder) {
      FS.readdir(folder).forEach(function (name) {
        if (name === '.' || name === '..') return;
        var path = folder + '/' + name;
        if (FS.isDir(FS.stat(path).mode)) walk(path);
        else if (isJournal(path) && !known[path]) journals.written(path, 0, FS.stat(path).size);
      });
    };
    walk('/home/web_user');
  };
  // The connection closes with the program; IndexedDB still completes the changes under way.
  addOnExit(function () {
    if (journals.db) journals.db.close();
    journals.db = null;
  });
  Module['kgJournals'] = journals;
});
