// The world Killer List in the page, when a killglimbot-server serves it (or the server that
// ?world=ADDRESS names, which must allow this page's origin): the first hundred and more on
// demand, each with a Watch that plays the run here and ends with its verdict; after every game,
// the run sent to the list; a link #run=ID that plays that run. Served as plain files, without
// a server, the page shows none of it.
'use strict';

(function () {
  const PAGE = 100;
  const server = new URLSearchParams(location.search).get('world') || '';
  const section = document.getElementById('world');
  const rows = document.getElementById('world-rows');
  const more = document.getElementById('world-more');
  const send = document.getElementById('world-send');
  const name = document.getElementById('world-name');
  const said = document.getElementById('world-said');
  const page = window.killGlimbotPage;
  let shown = 0;

  // Why the list did not take a run, in plain words.
  const refusals = {
    no_kill: 'the run has no kill; only runs with a kill are listed.',
    copy: 'it is a copy of a run already on the list.',
    not_verified: 'replaying it did not give the same run: ',
    damaged: 'the journal is damaged: ',
    name: 'the name cannot be listed: ',
    too_large: 'the journal is larger than the list takes.',
    rate: 'too many runs were sent from here; try again in a minute.',
    queue_full: 'the list is busy; try again in a minute.',
  };

  const api = (path, options) => fetch(server + path, options);

  function tell(text) {
    said.textContent = text;
    said.hidden = false;
  }

  // Names are text, never markup.
  function row(entry) {
    const line = document.createElement('tr');
    for (const value of [entry.rank, entry.name, entry.kills, entry.peakScore]) {
      const cell = document.createElement('td');
      cell.textContent = String(value);
      line.appendChild(cell);
    }
    const cell = document.createElement('td');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = 'Watch';
    button.addEventListener('click', () => watchRun(entry.id));
    cell.appendChild(button);
    line.appendChild(cell);
    return line;
  }

  async function showMore() {
    const reply = await api('/api/killers?from=' + shown + '&count=' + PAGE);
    if (!reply.ok) return;
    const list = await reply.json();
    list.killers.forEach((entry) => rows.appendChild(row(entry)));
    shown += list.killers.length;
    more.hidden = shown >= list.total;
  }

  function showAgain() {
    rows.replaceChildren();
    shown = 0;
    return showMore();
  }

  async function watchRun(id) {
    const reply = await api('/api/runs/' + encodeURIComponent(id) + '/journal');
    if (!reply.ok) {
      tell('Run ' + id + ' is not on the world list.');
      return;
    }
    page.watch(new Uint8Array(await reply.arrayBuffer()));
  }

  function refusal(answer) {
    const words = refusals[answer.reason];
    if (!words) return answer.error || 'it could not be checked.';
    return words.endsWith(': ') ? words + answer.error : words;
  }

  async function sendRun() {
    const bytes = page.lastRun();
    if (!bytes) return;
    send.disabled = true;
    tell('Sending the run...');
    try {
      const reply = await api('/api/runs?name=' + encodeURIComponent(name.value.trim()), {
        method: 'POST',
        headers: { 'Content-Type': 'application/octet-stream' },
        body: bytes,
      });
      const answer = await reply.json();
      if (reply.ok) {
        tell('On the world list at rank ' + answer.rank + ', with ' + answer.kills + ' kills.');
        await showAgain();
      } else {
        tell('The world list did not take this run: ' + refusal(answer));
      }
    } catch (error) {
      tell('The world list could not be reached.');
    }
  }

  // Once the game has loaded, the run the link names is played.
  function playLinkedRun() {
    const wanted = /^#run=(\d+)$/.exec(location.hash);
    if (!wanted) return;
    const waiting = setInterval(() => {
      if (!page.running()) return;
      clearInterval(waiting);
      watchRun(wanted[1]);
    }, 100);
  }

  async function start() {
    if (!page) return;
    try {
      if (!(await api('/healthz')).ok) return;
    } catch (error) {
      return; // plain files: no list here
    }
    section.hidden = false;
    document.body.dataset.world = 'on';
    more.addEventListener('click', showMore);
    send.addEventListener('click', sendRun);
    page.onEnded(() => { send.disabled = !page.lastRun(); });
    await showMore();
    playLinkedRun();
  }

  start();
})();
