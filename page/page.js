// The page around the game: it loads the game, sizes its picture, starts another game when one
// ends, offers the last run's journal and the screenshots, watches a journal, and says on the
// page what went wrong.
'use strict';

(function () {
  const SDLK_BACKSPACE = 8;
  const SDLK_RETURN = 13;
  const DATA_FOLDER = KG_NAMES.PAGE_DATA_FOLDER;
  const LAST_RUN = KG_NAMES.PAGE_LAST_RUN;
  const WATCHED = '/tmp/watched.kgr';
  // How long the pointer rests while a game runs before the controls fade out.
  const RESTING_MS = 2500;

  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const picture = killGlimbotPicture.create(stage, canvas, document.getElementById('picture'));
  const message = document.getElementById('message');
  const notice = document.getElementById('notice');
  const download = document.getElementById('download');
  const watchFile = document.getElementById('watch-file');
  const typing = document.getElementById('typing');

  let game = null; // the running game's module, while one runs
  let next = null; // what starts once the running game has closed
  let armed = null; // takes back the offer of another game
  let lastRun = null; // the bytes of the last run's journal
  let touched = false; // the player uses a touch screen
  const endedListeners = []; // told when a game or a watched run has ended
  // What every game loads alike, fetched and compiled once for the tab: the compiled program and
  // the bytes of its data, which the games only read. Each game gets its own instance, memory
  // and files from them.
  let program = null;
  let dataPackage = null;

  // A line of the notice over the page's top, beside any said before.
  function notify(text) {
    notice.textContent = notice.hidden ? text : notice.textContent + '\n' + text;
    notice.hidden = false;
  }

  function say(text) {
    message.textContent = text;
    message.hidden = false;
  }

  // What the page is doing, for style sheets and tests: loading, running, ended, fault.
  function enter(state) {
    document.body.dataset.game = state;
  }

  // The game's keys come to its canvas. The page stays where it is scrolled to: a click on the
  // world list below the picture must still land where it was aimed.
  function focusGame() {
    canvas.focus({ preventScroll: true });
  }

  function fault(text) {
    console.error(text);
    say(text);
    enter('fault');
  }

  // Bytes the player keeps, as a file the browser downloads.
  function offerFile(bytes, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  // The next key press, click or tap anywhere on the page but its controls and the world list,
  // once; until a game starts some other way.
  function onNextGesture(then) {
    const events = ['keydown', 'mousedown', 'touchstart'];
    let live = true;
    const disarm = () => {
      live = false;
      events.forEach((type) => window.removeEventListener(type, once, true));
    };
    const once = function (event) {
      if (event.target.closest && event.target.closest('#controls, #world')) return;
      disarm();
      event.preventDefault();
      then();
    };
    // Not the gesture that ended the game: listening starts after it.
    setTimeout(() => live && events.forEach((type) => window.addEventListener(type, once, true)), 0);
    armed = disarm;
  }

  // The game has ended: what the player chose meanwhile starts, else another game is offered.
  function ended(before) {
    game = null;
    endedListeners.forEach((listener) => listener());
    if (next) {
      const start = next;
      next = null;
      start();
      return;
    }
    offerAnotherGame(before);
  }

  function offerAnotherGame(before) {
    enter('ended');
    say((before ? before + '\n\n' : '') + 'Press any key or click for another game.');
    onNextGesture(play);
  }

  function readLastRun(module) {
    try {
      lastRun = module.FS.readFile(LAST_RUN);
    } catch (error) {
      lastRun = null;
    }
    download.disabled = lastRun === null;
  }

  // One run of the program with these words on its command line.
  function start(args, options) {
    if (typeof KillGlimbot !== 'function') return;
    if (armed) armed();
    message.hidden = true;
    const module = Object.assign({
      canvas: canvas,
      arguments: args,
      print: (line) => console.log(line),
      printErr: (line) => console.warn(line),
      instantiateWasm: (imports, receive) => {
        WebAssembly.instantiate(program, imports).then(receive,
          (error) => fault('The game could not start: ' + error));
        return {};
      },
      getPreloadedPackage: () => dataPackage,
      onAbort: (what) => {
        game = null;
        fault('The game stopped with an error (' + what + ').\nReload the page to play again.');
      },
      [KG_NAMES.PAGE_ON_STORAGE_FAILED]: (reason) => {
        notify('This browser does not let the page keep files (' + reason +
          '): the Killer List and the journals last only until the tab closes.');
      },
      [KG_NAMES.PAGE_ON_PICTURE_PUT]: picture.copy,
      [KG_NAMES.PAGE_ON_SCREENSHOT]: (name, bytes) => offerFile(bytes, name),
      [KG_NAMES.PAGE_ON_TEXT_ENTRY]: (open) => {
        document.body.dataset.textEntry = open;
        typing.hidden = !(open && touched);
        typing.value = '';
        fitPage();
        if (open && touched) typing.focus();
        else focusGame();
      },
    }, options);
    game = module;
    enter('running');
    KillGlimbot(module).catch((error) => fault('The game could not start: ' + error));
    focusGame();
  }

  function play() {
    start(['--data', DATA_FOLDER], {
      onExit: () => {
        readLastRun(game);
        ended();
      },
    });
  }

  // The journal goes into the program's own files before it starts.
  function journalLoader(bytes) {
    return [function () { game.FS.writeFile(WATCHED, bytes); }];
  }

  // Watches a journal at its own pace, then checks it as --verify does and shows its verdict.
  function watch(bytes) {
    start(['--data', DATA_FOLDER, '--play', WATCHED], {
      preRun: journalLoader(bytes),
      onExit: () => verify(bytes),
    });
  }

  // Watches a journal; a game that runs is closed first, as a closed window would close it.
  function watchNow(bytes) {
    if (!game) {
      watch(bytes);
      return;
    }
    next = () => watch(bytes);
    closeGame(game);
  }

  // A game still starting has no program to hear the close yet: it is asked once it runs.
  function closeGame(module) {
    if (game !== module) return;
    if (module.calledRun) module._kg_close();
    else setTimeout(() => closeGame(module), 50);
  }

  function verify(bytes) {
    const lines = [];
    say('Checking the run...');
    start(['--data', DATA_FOLDER, '--verify', WATCHED], {
      canvas: document.createElement('canvas'),
      preRun: journalLoader(bytes),
      print: (line) => lines.push(line),
      printErr: (line) => { console.warn(line); lines.push(line); },
      onExit: () => ended(lines.join('\n')),
    });
  }

  function pressKey(keycode) {
    if (game && game._kg_press_key) game._kg_press_key(keycode);
  }

  function typeText(text) {
    if (!game || !game._kg_type_text || text === '') return;
    const size = game.lengthBytesUTF8(text) + 1;
    const bytes = game._malloc(size);
    game.stringToUTF8(text, bytes, size);
    game._kg_type_text(bytes);
    game._free(bytes);
  }

  // A tap on the picture is a click where it lands, and a finger moved on it moves the
  // crosshair: the game takes them as it takes the mouse.
  function tapsAsClicks() {
    const mouse = { touchstart: 'mousedown', touchmove: 'mousemove', touchend: 'mouseup' };
    Object.keys(mouse).forEach((type) => {
      window.addEventListener(type, (event) => {
        if (event.target !== canvas) return;
        event.preventDefault();
        event.stopPropagation();
        const touch = event.changedTouches[0];
        const at = { clientX: touch.clientX, clientY: touch.clientY, bubbles: true, button: 0 };
        if (type === 'touchstart') canvas.dispatchEvent(new MouseEvent('mousemove', at));
        canvas.dispatchEvent(new MouseEvent(mouse[type], { ...at, buttons: type === 'touchend' ? 0 : 1 }));
      }, { capture: true, passive: false });
    });
  }

  function wireControls() {
    document.getElementById('key').addEventListener('click', () => {
      pressKey(SDLK_RETURN);
      focusGame();
    });
    document.getElementById('fullscreen').addEventListener('click', () => {
      const request = document.documentElement.requestFullscreen;
      if (request) request.call(document.documentElement).catch(() => {});
      focusGame();
    });
    download.addEventListener('click', () => {
      if (lastRun) offerFile(lastRun, 'last-run.kgr');
    });
    watchFile.addEventListener('change', () => {
      const file = watchFile.files[0];
      watchFile.value = '';
      if (!file) return;
      file.arrayBuffer().then((buffer) => watchNow(new Uint8Array(buffer)));
    });
    // A phone's keyboard types into the field; the game takes each character as typed.
    typing.addEventListener('beforeinput', (event) => {
      if (event.inputType === 'deleteContentBackward') pressKey(SDLK_BACKSPACE);
      else if (event.inputType === 'insertLineBreak') pressKey(SDLK_RETURN);
      else if (event.data) typeText(event.data);
    });
    typing.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') pressKey(SDLK_RETURN);
    });
    window.addEventListener('touchstart', () => { touched = true; }, { capture: true, passive: true });
    tapsAsClicks();
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    window.addEventListener('resize', fitPage);
    document.addEventListener('fullscreenchange', fitPage);
    keepKeysWithTheGame();
    restControls();
  }

  // The game takes its keys from its canvas: a click on a button or around the picture leaves
  // the focus there, so Space, Enter and Escape never press a control. Text fields take it.
  function keepKeysWithTheGame() {
    document.addEventListener('mousedown', (event) => {
      const target = event.target;
      if (!target.closest || target.closest('input[type="text"]')) return;
      if (!stage.contains(target) && !target.closest('button, .button')) return;
      event.preventDefault();
      if (document.activeElement !== canvas) focusGame();
    }, true);
  }

  // The picture as large as the page allows; the controls stay where they leave it whole (below
  // the picture on a phone held upright), and fade over it elsewhere.
  function fitPage() {
    picture.fit();
    const controls = document.getElementById('controls').getBoundingClientRect();
    document.body.classList.toggle('roomy', controls.top >= canvas.getBoundingClientRect().bottom);
  }

  // The controls fade out while a game runs and the pointer rests, and come back as it moves or
  // a finger touches the page.
  function restControls() {
    let timer = 0;
    const wake = () => {
      document.body.classList.remove('resting');
      clearTimeout(timer);
      timer = setTimeout(() => document.body.classList.add('resting'), RESTING_MS);
    };
    ['mousemove', 'touchstart'].forEach((type) =>
      window.addEventListener(type, wake, { capture: true, passive: true }));
    wake();
  }

  // What the world list (world.js) asks of the page.
  window.killGlimbotPage = {
    watch: watchNow,
    lastRun: () => lastRun,
    onEnded: (listener) => endedListeners.push(listener),
    running: () => game !== null,
  };

  function fetchBytes(file) {
    return fetch(file).then((response) => {
      if (!response.ok) throw new Error(file + ' did not arrive (' + response.status + ')');
      return response.arrayBuffer();
    });
  }

  function loadGame() {
    const loaded = Promise.all([fetchBytes('killglimbot.wasm').then((bytes) => WebAssembly.compile(bytes)),
      fetchBytes('killglimbot.data')]);
    const script = document.createElement('script');
    script.src = 'killglimbot.js';
    script.onload = () => loaded.then(([compiled, data]) => {
      program = compiled;
      dataPackage = data;
      play();
      keepForOffline();
    }, (error) => fault('The game could not be loaded: ' + error.message +
      '.\nCheck that the page is served with all its files, then reload.'));
    script.onerror = () => fault('The game could not be loaded (killglimbot.js is missing).\n' +
      'Check that the page is served with all its files, then reload.');
    document.body.appendChild(script);
  }

  // The page's files are kept for play without the network (service_worker.js). The worker is
  // asked for once the game's files are in, so that a new version it brings never mixes with
  // this one's; the next visit plays the new one. A browser without workers plays as before.
  function keepForOffline() {
    if (!('serviceWorker' in navigator)) return;
    const served = navigator.serviceWorker.controller;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (served) notify('A new version of Kill Glimbot was loaded: reload the page to play it.');
    });
    navigator.serviceWorker.register('sw.js').catch((error) =>
      console.warn('The page cannot be kept for play without the network: ' + error.message));
  }

  // What goes wrong outside the game (a file of the program that does not arrive) is said too.
  window.addEventListener('error', (event) => {
    fault('The game could not be loaded: ' + (event.message || 'a file failed to load') +
      '.\nCheck that the page is served with all its files, then reload.');
  });

  enter('loading');
  fitPage();
  if (typeof WebAssembly !== 'object') {
    fault('This browser cannot run WebAssembly, which the game needs.\n' +
      'Try a current Firefox, Chrome, Edge or Safari.');
    return;
  }
  if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(() => {});
  wireControls();
  loadGame();
}());
