// The web console: the bridge's state, its jobs and its communication log,
// read from the host API of the same origin; reports and the stop request
// sent to it. No framework: the page is served from the program itself.
'use strict';

(() => {
  const TOKEN_KEY = 'merovan.token';
  const STATUS_EVERY_MS = 1000;
  const STATUS_TIMEOUT_MS = 1000; // a bridge that does not answer counts as gone
  const HISTORY_EVERY_MS = 10000; // besides every change the status shows
  const LOG_WAIT_SECONDS = 25;
  const LOG_KEPT_LINES = 3000;

  const STATE_NAMES = {
    queued: 'Σε αναμονή',
    running: 'Σε εξέλιξη',
    done: 'Ολοκληρώθηκε',
    interrupted: 'Διακόπηκε',
    rejected: 'Απορρίφθηκε',
  };
  const SOURCE_NAMES = { api: 'API', folder: 'Φάκελος', 'command-line': 'Γραμμή εντολών' };

  const $ = (id) => document.getElementById(id);

  // --- The token: kept for this browser tab only.

  const token = () => sessionStorage.getItem(TOKEN_KEY) || '';
  const keepToken = (value) => {
    if (value) sessionStorage.setItem(TOKEN_KEY, value);
    else sessionStorage.removeItem(TOKEN_KEY);
  };

  const newIdempotencyKey = () => {
    if (crypto.randomUUID) return crypto.randomUUID();
    // Plain http to another machine is no secure context: no randomUUID there.
    const b = crypto.getRandomValues(new Uint8Array(16));
    b[6] = (b[6] & 0x0f) | 0x40;
    b[8] = (b[8] & 0x3f) | 0x80;
    const h = Array.from(b, (x) => x.toString(16).padStart(2, '0')).join('');
    return `${h.slice(0, 8)}-${h.slice(8, 12)}-${h.slice(12, 16)}-${h.slice(16, 20)}-${h.slice(20)}`;
  };

  // A request to the API with the token when one is kept; rejects when the
  // bridge cannot be reached or does not answer within timeoutMs.
  const call = async (path, { method = 'GET', headers = {}, timeoutMs = 0, signal } = {}) => {
    const controller = new AbortController();
    const timer = timeoutMs ? setTimeout(() => controller.abort(), timeoutMs) : 0;
    if (signal) signal.addEventListener('abort', () => controller.abort());
    const all = { ...headers };
    if (token()) all.Authorization = `Bearer ${token()}`;
    try {
      const response = await fetch(path, { method, headers: all, cache: 'no-store', signal: controller.signal });
      const body = await response.json().catch(() => null);
      return { status: response.status, body };
    } finally {
      clearTimeout(timer);
    }
  };

  const errorText = (answer) =>
    answer.body && answer.body.message ? `${answer.body.error}: ${answer.body.message}` : `HTTP ${answer.status}`;

  const askForToken = () => {
    $('token-note').textContent = 'Χρειάζεται το κλειδί πρόσβασης του Merovan.';
    $('token-note').classList.add('alert');
  };

  // --- Labels.

  const kindCaption = (kind) => {
    if (kind === 'job') return 'Εργασία';
    const button = document.querySelector(`button.report[data-report="${kind}"]`);
    return button ? button.textContent : kind;
  };
  const progressText = (percent) => ` Ολοκληρώθηκε το ${percent}%`;
  const clock = (iso) => (iso ? new Date(iso).toLocaleString('el-GR') : '');
  const jobTitle = (job) => [`#${job.id}`, kindCaption(job.kind), job.tag].filter(Boolean).join(' · ');

  // --- Status, every second.

  let reachable = null;
  let lastSignature = '';

  const setReachable = (on) => {
    if (on === reachable) return;
    const wasGone = reachable === false;
    reachable = on;
    $('banner-unreachable').hidden = on;
    if (!on) $('banner-offline').hidden = true;
    document.body.classList.toggle('unreachable', !on);
    updateButtons();
    if (on && wasGone) restartLog(); // the bridge may have started anew
  };

  let stopping = false;
  const updateButtons = () => {
    const usable = reachable === true && !stopping;
    for (const button of document.querySelectorAll('button.report, #stop')) button.disabled = !usable;
  };

  const showRegisterMessage = (message) => {
    $('register-message').hidden = !message;
    if (!message) return;
    $('register-message-caption').textContent = message.caption;
    $('register-message-text').textContent = message.message;
    $('register-message-detail').textContent = message.detail;
  };

  const showJobUnderWay = (job) => {
    $('job-none').hidden = Boolean(job);
    $('job-now').hidden = !job;
    if (!job) return;
    $('job-now').dataset.jobId = job.id;
    $('job-title').textContent = `${jobTitle(job)} (${SOURCE_NAMES[job.source] || job.source})`;
    $('job-progress').value = job.percent;
    $('job-percent').textContent = progressText(job.percent);
  };

  const showStatus = (s) => {
    document.title = s.caption;
    $('caption').textContent = s.caption;
    $('status-line').textContent = s.statusLine;
    $('banner-offline').hidden = s.online;
    $('banner-stopping').hidden = !s.stopping;
    stopping = s.stopping;
    updateButtons();
    showRegisterMessage(s.registerMessage);
    $('firmware').textContent = s.firmware;
    $('printing').textContent = s.printing ? 'Ενεργές' : 'Ανενεργές';
    $('queue-length').textContent = String(s.queueLength);
    $('last-error').textContent = s.lastError ? `${s.lastError.code} ${s.lastError.text}` : '-';
    showJobUnderWay(s.job);
    // A job that starts or ends, or one the history shows unfinished (a
    // short one may start and end between two looks), reads it again.
    const signature = JSON.stringify([s.job && s.job.id, s.queueLength]);
    if (signature !== lastSignature || historyUnfinished) {
      lastSignature = signature;
      refreshHistory();
    }
  };

  const pollStatus = async () => {
    try {
      const answer = await call('/v1/status', { timeoutMs: STATUS_TIMEOUT_MS });
      setReachable(true);
      if (answer.status === 200 && answer.body) showStatus(answer.body);
      else if (answer.status === 401) askForToken();
    } catch {
      setReachable(false);
    }
    setTimeout(pollStatus, STATUS_EVERY_MS);
  };

  // --- History: the newest jobs, each with its result block.

  const historyRows = new Map(); // id -> {item, json}
  let historyUnfinished = false;

  // One row of the history; a row is filled again in place when its job
  // changes, so that it stays open and keeps the keyboard's focus.
  const newHistoryItem = () => {
    const item = document.createElement('li');
    const details = document.createElement('details');
    const block = document.createElement('pre');
    block.className = 'result';
    details.append(document.createElement('summary'), block);
    item.append(details);
    return item;
  };

  const fillHistoryItem = (item, job) => {
    item.dataset.jobId = job.id;
    item.dataset.state = job.state;
    item.dataset.kind = job.kind;
    item.className = `job state-${job.state}`;
    const [summary, block] = item.firstChild.children;
    const title = document.createElement('span');
    title.className = 'job-title';
    title.textContent = jobTitle(job);
    const state = document.createElement('span');
    state.className = 'job-state';
    state.textContent = STATE_NAMES[job.state] || job.state;
    const when = document.createElement('span');
    when.className = 'job-when';
    when.textContent = `${clock(job.endedAt || job.startedAt || job.queuedAt)} · ${SOURCE_NAMES[job.source] || job.source}`;
    summary.replaceChildren(title, ' ', state, ' ', when);
    block.textContent = job.result && job.result.length ? job.result.join('\n') : '(χωρίς αποτέλεσμα ακόμη)';
  };

  const showHistory = (jobs) => {
    const list = $('history');
    const seen = new Set();
    jobs.forEach((job, index) => {
      seen.add(job.id);
      const json = JSON.stringify(job);
      let row = historyRows.get(job.id);
      if (!row) {
        row = { item: newHistoryItem(), json: '' };
        historyRows.set(job.id, row);
      }
      if (row.json !== json) {
        fillHistoryItem(row.item, job);
        row.json = json;
      }
      if (list.children[index] !== row.item) list.insertBefore(row.item, list.children[index] || null);
    });
    for (const [id, row] of historyRows) {
      if (!seen.has(id)) {
        row.item.remove();
        historyRows.delete(id);
      }
    }
    $('history-empty').hidden = jobs.length > 0;
    historyUnfinished = jobs.some((job) => job.state === 'queued' || job.state === 'running');
  };

  let historyTimer = 0;
  const refreshHistory = async () => {
    clearTimeout(historyTimer);
    try {
      const answer = await call('/v1/jobs?limit=50', { timeoutMs: 5000 });
      if (answer.status === 200 && answer.body) showHistory(answer.body.jobs);
      else if (answer.status === 401) askForToken();
    } catch {
      // the status poll shows the banner
    }
    historyTimer = setTimeout(refreshHistory, HISTORY_EVERY_MS);
  };

  // --- The communication log, long-polled.

  let logAfter = 0;
  let logRun = new AbortController();

  // The log follows its newest line unless the reader has scrolled back.
  let logFollows = true;
  const followLog = () => {
    if (logFollows) $('log').scrollTop = $('log').scrollHeight;
  };

  const appendLog = (lines) => {
    const log = $('log');
    for (const line of lines) log.append(document.createTextNode(`${line.text}\n`));
    while (log.childNodes.length > LOG_KEPT_LINES) log.firstChild.remove();
    followLog();
  };

  const pollLog = async (run) => {
    while (!run.signal.aborted) {
      try {
        const answer = await call(`/v1/log?after=${logAfter}&wait=${LOG_WAIT_SECONDS}`, { signal: run.signal });
        if (answer.status !== 200 || !answer.body) throw new Error(errorText(answer));
        if (run.signal.aborted) return;
        appendLog(answer.body.lines);
        logAfter = answer.body.last;
      } catch {
        if (run.signal.aborted) return;
        await new Promise((resolve) => setTimeout(resolve, STATUS_EVERY_MS));
      }
    }
  };

  const restartLog = () => {
    logRun.abort();
    logRun = new AbortController();
    logAfter = 0;
    $('log').textContent = '';
    pollLog(logRun);
  };

  // --- Reports, the stop request and their confirmation.

  const confirmWithToken = ({ title, text, ok }) =>
    new Promise((resolve) => {
      const dialog = $('confirm');
      $('confirm-title').textContent = title;
      $('confirm-text').textContent = text;
      $('confirm-ok').textContent = ok;
      $('confirm-token').value = token();
      const finish = (answer) => {
        $('confirm-form').removeEventListener('submit', onSubmit);
        $('confirm-cancel').removeEventListener('click', onCancel);
        dialog.removeEventListener('cancel', onCancel);
        dialog.close();
        resolve(answer);
      };
      const onSubmit = (event) => {
        event.preventDefault();
        keepToken($('confirm-token').value.trim());
        $('token').value = token();
        finish(true);
      };
      const onCancel = (event) => {
        event.preventDefault();
        finish(false);
      };
      $('confirm-form').addEventListener('submit', onSubmit);
      $('confirm-cancel').addEventListener('click', onCancel);
      dialog.addEventListener('cancel', onCancel);
      dialog.showModal();
      $('confirm-token').focus();
    });

  const say = (text) => {
    $('report-answer').textContent = text;
  };

  const post = async (path) => {
    try {
      const answer = await call(path, { method: 'POST', headers: { 'Idempotency-Key': newIdempotencyKey() }, timeoutMs: 10000 });
      if (answer.status === 401) askForToken();
      return answer;
    } catch {
      return null;
    }
  };

  const runReport = async (button) => {
    const kind = button.dataset.report;
    if (kind === 'z') {
      const go = await confirmWithToken({
        title: button.textContent,
        text: 'Το Ισοζύγιο Z κλείνει την ημέρα της ταμειακής και δεν αναιρείται. Να εκτελεστεί;',
        ok: 'Εκτέλεση',
      });
      if (!go) return;
    }
    const answer = await post(`/v1/reports/${kind}`);
    if (!answer) say(`${button.textContent}: δεν στάλθηκε.`);
    else if (answer.status === 200 || answer.status === 202) say(`${button.textContent}: στάλθηκε, #${answer.body.id}`);
    else say(`${button.textContent}: ${errorText(answer)}`);
    refreshHistory();
  };

  const requestStop = async () => {
    const go = await confirmWithToken({
      title: $('stop').textContent,
      text: 'Να τερματιστεί το Merovan; Οι εκτυπώσεις σταματούν μέχρι να ξεκινήσει ξανά.',
      ok: $('stop').textContent,
    });
    if (!go) return;
    const answer = await post('/v1/stop');
    if (!answer) say(`${$('stop').textContent}: δεν στάλθηκε.`);
    else if (answer.status !== 202) say(`${$('stop').textContent}: ${errorText(answer)}`);
  };

  // --- Start.

  document.addEventListener('DOMContentLoaded', () => {
    for (const button of document.querySelectorAll('button.report'))
      button.addEventListener('click', () => runReport(button));
    $('stop').addEventListener('click', requestStop);
    $('token').value = token();
    $('token-form').addEventListener('submit', (event) => {
      event.preventDefault();
      keepToken($('token').value.trim());
      $('token-note').textContent = token() ? 'Φυλάχτηκε σε αυτή την καρτέλα.' : 'Δεν φυλάσσεται κλειδί.';
      $('token-note').classList.remove('alert');
      refreshHistory();
    });
    $('log').addEventListener('scroll', () => {
      const log = $('log');
      logFollows = log.scrollTop + log.clientHeight >= log.scrollHeight - 4;
    });
    window.addEventListener('resize', followLog);
    updateButtons();
    pollStatus();
    pollLog(logRun);
  });
})();
