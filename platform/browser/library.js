// The page's side of the platform calls the browser build makes: waits that give control back
// to the browser, the canvas the picture goes to, the storage the player's files are kept in.

mergeInto(LibraryManager.library, {
  // Every listener the program hangs on the page is taken off when it ends: one left behind
  // would keep the whole finished program, its memory included, alive for as long as the page.
  $kgListeners__postset: 'addOnExit(kgListeners.removeAll);',
  $kgListeners: {
    added: [],
    add: function (target, type, handler, options) {
      target.addEventListener(type, handler, options);
      kgListeners.added.push([target, type, handler, options]);
    },
    removeAll: function () {
      kgListeners.added.forEach(function (listener) {
        listener[0].removeEventListener(listener[1], listener[2], listener[3]);
      });
      kgListeners.added = [];
    },
  },

  // Input that reaches the page wakes a wait once SDL has queued it: the listeners run first on
  // the way down to the canvas, and the wake comes after every listener is done.
  $kgPageInput__deps: ['$kgListeners'],
  $kgPageInput__postset: 'kgPageInput.listen();',
  $kgPageInput: {
    wake: null,
    listen: function () {
      if (typeof window === 'undefined') return;
      ['keydown', 'keyup', 'keypress', 'mousedown', 'mouseup', 'mousemove', 'touchstart',
       'touchmove', 'touchend', 'focus', 'blur'].forEach(function (type) {
        kgListeners.add(window, type, function () {
          if (kgPageInput.wake) setTimeout(kgPageInput.wake, 0);
        }, true);
      });
    },
  },

  // SDL's audio starts its context with the first key or click, as browsers allow sound; the
  // runtime's own version of this leaves its listeners on the page for good (a touch that never
  // comes on a desktop), so here they are the program's, taken off at its end.
  $autoResumeAudioContext__deps: ['$kgListeners'],
  $autoResumeAudioContext: function (context) {
    var resume = function () {
      if (context.state === 'suspended') context.resume();
    };
    [document, document.getElementById('canvas')].forEach(function (target) {
      if (!target) return;
      ['keydown', 'mousedown', 'touchstart'].forEach(function (type) {
        kgListeners.add(target, type, resume, { once: true });
      });
    });
  },

  // SDL's audio for the browser calls the last two from JavaScript of its own, which names no
  // dependencies: the game's waits bring them in.
  kg_wait_for_page_input__deps: ['$kgPageInput', '$callUserCallback', '$autoResumeAudioContext',
                                 '$dynCall'],
  kg_wait_for_page_input: function (ms) {
    return Asyncify.handleSleep(function (wakeUp) {
      var timer = 0;
      var done = function () {
        if (kgPageInput.wake !== done) return;
        kgPageInput.wake = null;
        clearTimeout(timer);
        // As the runtime's own timers do, so that the program's end, when it comes, is seen.
        callUserCallback(wakeUp);
      };
      kgPageInput.wake = done;
      timer = setTimeout(done, ms);
    });
  },

  // frame: the screen's RGBA picture in the program's memory, shown in place (no copy); the
  // view over it is made again when memory grows.
  kg_put_pixels: function (frame, frameWidth, frameHeight, x, y, width, height) {
    var canvas = Module['canvas'];
    var shown = Module['kgShown'];
    if (!shown || shown.buffer !== HEAPU8.buffer || shown.frame !== frame) {
      var bytes = new Uint8ClampedArray(HEAPU8.buffer, frame, frameWidth * frameHeight * 4);
      shown = Module['kgShown'] = {
        buffer: HEAPU8.buffer,
        frame: frame,
        context: canvas.getContext('2d', { alpha: false }),
        image: new ImageData(bytes, frameWidth, frameHeight),
      };
    }
    shown.context.putImageData(shown.image, 0, 0, x, y, width, height);
    if (Module['onPicturePut']) Module['onPicturePut'](x, y, width, height);
  },

  kg_text_entry: function (open) {
    if (Module['onTextEntry']) Module['onTextEntry'](open !== 0);
  },

  // A change the program made to a file reaches the page's storage: a journal's new piece
  // alone, any other file whole with the rest of the player's folders.
  kg_file_written: function (path, offset, size) {
    path = UTF8ToString(path);
    var journals = Module['kgJournals'];
    if (journals && journals.isJournal(path)) journals.written(path, offset, size);
    else if (Module['kgStorage']) Module['kgStorage'].keep();
  },

  kg_file_renamed: function (from, to) {
    from = UTF8ToString(from);
    to = UTF8ToString(to);
    var journals = Module['kgJournals'];
    if (journals && journals.isJournal(from) && (to === '' || journals.isJournal(to)))
      journals.renamed(from, to);
    else if (Module['kgStorage']) Module['kgStorage'].keep();
  },

  // The player gets the picture as a download: kept in the page's storage, nobody could
  // reach it, so it leaves the player's folders once handed over.
  kg_screenshot_saved: function (path) {
    path = UTF8ToString(path);
    var bytes = FS.readFile(path);
    FS.unlink(path);
    if (Module['kgStorage']) Module['kgStorage'].keep();
    if (Module['onScreenshot']) Module['onScreenshot'](PATH.basename(path), bytes);
  },

  // Every write already went to the page's storage as it was made. The runtime's own fsync
  // would wait for IndexedDB outside the program's waits, where it cannot give control away.
  fd_sync: function (fd) {
    return 0;
  },
});
