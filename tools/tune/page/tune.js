// The tuning page: it edits the recording document (the caliper on the
// image, the score functions' breakpoints) and draws what the server scored.
// Nothing is scored here: every change is sent to /api/score.
'use strict';

const token = new URLSearchParams(location.search).get('token') || '';
const SVG = 'http://www.w3.org/2000/svg';
const COLOUR = { positive: '#1f77b4', negative: '#d62728', winner: '#2ca02c', other: '#7f7f7f',
                 desired: '#9467bd', curve: '#1f4e79', low: '#6a3d9a', high: '#b15928' };
const PARTS = { oneSided: [['oneSided']], twoSided: [['twoSided', 'low'], ['twoSided', 'high']] };

const state = { doc: null, scored: null, checked: null, image: null, history: [], future: [],
                drag: null, methodScales: [], methodPanels: [], busy: 1 };

const $ = (id) => document.getElementById(id);
const clone = (value) => JSON.parse(JSON.stringify(value));

function el(name, attributes = {}, parent = null, text = null) {
  const node = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
  if (text !== null) node.textContent = text;
  if (parent) parent.appendChild(node);
  return node;
}

function html(name, parent, text = '', attributes = {}) {
  const node = document.createElement(name);
  node.textContent = text;
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
  parent.appendChild(node);
  return node;
}

const fmt = (value, digits = 4) => (typeof value === 'number' ? value.toFixed(digits) : '-');

// ---- talking to the server ------------------------------------------------

function setBusy(change) {
  state.busy += change;
  document.body.dataset.busy = state.busy > 0 ? '1' : '0';
}

function showStatus(text, isError = false) {
  $('status').textContent = text;
  $('status').className = isError ? 'error' : '';
}

async function api(path, body) {
  const request = { headers: { 'X-Tune-Token': token } };
  if (body !== undefined) {
    request.method = 'POST';
    request.headers['Content-Type'] = 'application/json';
    request.body = JSON.stringify(body);
  }
  const response = await fetch(path, request);
  const answer = await response.json();
  if (!response.ok) throw new Error(answer.error || response.statusText);
  return answer;
}

// One request at a time per endpoint; changes made meanwhile are sent as
// one when it returns, so that dragging never queues stale work.
function latestOnly(path, onAnswer) {
  let running = false;
  let waiting = null;
  async function send(doc) {
    if (running) {
      if (waiting === null) setBusy(+1);
      waiting = doc;
      return;
    }
    running = true;
    setBusy(+1);
    try {
      onAnswer(await api(path, doc));
    } catch (error) {
      showStatus(error.message, true);
    }
    running = false;
    setBusy(-1);
    if (waiting !== null) {
      const next = waiting;
      waiting = null;
      setBusy(-1);
      send(next);
    }
  }
  return send;
}

const sendScore = latestOnly('/api/score', (scored) => {
  state.scored = scored;
  showStatus(scored.warnings.join('; '));
  render();
});
const sendCheck = latestOnly('/api/check', (checked) => {
  state.checked = checked;
  renderCheck();
});

function rescore() {
  sendScore(state.doc);
  if (state.checkFolder) sendCheck(state.doc);
  render();
}

// ---- editing and history ---------------------------------------------------

function beginChange() {
  state.history.push(clone(state.doc));
  state.future = [];
}

function step(from, to) {
  if (from.length === 0) return;
  to.push(state.doc);
  state.doc = from.pop();
  rescore();
}

const undo = () => step(state.history, state.future);
const redo = () => step(state.future, state.history);

async function save() {
  setBusy(+1);
  try {
    const answer = await api('/api/save', state.doc);
    showStatus('saved ' + answer.saved);
  } catch (error) {
    showStatus(error.message, true);
  }
  setBusy(-1);
}

// ---- dragging --------------------------------------------------------------

// The point under the pointer in the svg's own units.
function svgPoint(svg, event) {
  const point = new DOMPoint(event.clientX, event.clientY);
  return point.matrixTransform(svg.getScreenCTM().inverse());
}

// Handles are redrawn while they move, so the svg itself holds the pointer.
function startDrag(svg, event, move) {
  event.preventDefault();
  event.stopPropagation();
  beginChange();
  svg.setPointerCapture(event.pointerId);
  state.drag = { svg, move };
}

function listenForDrags(svg) {
  svg.addEventListener('pointermove', (event) => {
    if (!state.drag || state.drag.svg !== svg) return;
    state.drag.move(svgPoint(svg, event));
    rescore();
  });
  const end = () => {
    if (state.drag && state.drag.svg === svg) state.drag = null;
  };
  svg.addEventListener('pointerup', end);
  svg.addEventListener('pointercancel', end);
}

// ---- the image and the caliper -------------------------------------------

function imageHref(image) {
  const canvas = document.createElement('canvas');
  canvas.width = image.columns;
  canvas.height = image.rows;
  const context = canvas.getContext('2d');
  const pixels = context.createImageData(image.columns, image.rows);
  const gray = atob(image.gray);
  for (let i = 0; i < gray.length; ++i) {
    const value = gray.charCodeAt(i);
    pixels.data.set([value, value, value, 255], 4 * i);
  }
  context.putImageData(pixels, 0, 0);
  return canvas.toDataURL();
}

function caliperOf(doc) {
  return doc.caliper && doc.caliper.image ? doc.caliper.image.caliper : null;
}

function winnerEdges() {
  const scored = state.scored;
  if (!scored || scored.winner === null) return new Set();
  return new Set(scored.results[scored.winner].edges.map((edge) => edge.index));
}

function edgeColour(edge, index, winners) {
  if (winners.has(index)) return COLOUR.winner;
  return edge.contrast >= 0 ? COLOUR.positive : COLOUR.negative;
}

function renderImage() {
  const caliper = caliperOf(state.doc);
  $('image-panel').hidden = !state.image || !caliper;
  if (!state.image || !caliper) return;
  const svg = $('image');
  const { width, height } = state.image;
  svg.setAttribute('viewBox', `-0.5 -0.5 ${width} ${height}`);
  svg.replaceChildren();
  el('image', { href: state.imageHref, x: -0.5, y: -0.5, width, height,
                preserveAspectRatio: 'none', class: 'pixels' }, svg);
  const unit = Math.max(width, height) / 100;
  const group = el('g', { transform: `translate(${caliper.x} ${caliper.y}) rotate(${caliper.angle})` }, svg);
  const half = caliper.length / 2;
  const across = Math.max(caliper.thickness, unit) / 2;
  const body = el('rect', { x: -half, y: -across, width: caliper.length, height: 2 * across,
                            fill: 'rgba(255,255,0,0.15)', stroke: 'yellow', 'stroke-width': unit / 3,
                            class: 'caliper-body', id: 'caliper-body' }, group);
  el('path', { d: `M ${half - 2 * unit} ${-unit} L ${half} 0 L ${half - 2 * unit} ${unit}`,
               fill: 'none', stroke: 'yellow', 'stroke-width': unit / 3 }, group);
  const scored = state.scored ? state.scored.document.caliper : null;
  const winners = winnerEdges();
  (scored && scored.edges ? scored.edges : []).forEach((edge, index) => {
    el('line', { x1: edge.position, x2: edge.position, y1: -across - unit, y2: across + unit,
                 stroke: edgeColour(edge, index, winners),
                 'stroke-width': (winners.has(index) ? 0.6 : 0.3) * unit }, group);
  });
  const end = el('circle', { cx: half, cy: 0, r: 1.2 * unit, fill: 'yellow', class: 'handle',
                             id: 'caliper-end' }, group);
  const side = el('circle', { cx: 0, cy: across + 2 * unit, r: unit, fill: 'orange', class: 'handle',
                              id: 'caliper-side' }, group);
  body.addEventListener('pointerdown', (event) => {
    const grab = svgPoint(svg, event);
    const start = { x: caliper.x, y: caliper.y };
    startDrag(svg, event, (point) => {
      const target = caliperOf(state.doc);
      target.x = start.x + point.x - grab.x;
      target.y = start.y + point.y - grab.y;
    });
  });
  end.addEventListener('pointerdown', (event) => startDrag(svg, event, (point) => {
    const target = caliperOf(state.doc);
    target.angle = Math.atan2(point.y - target.y, point.x - target.x) * 180 / Math.PI;
    target.length = Math.max(2, 2 * Math.hypot(point.x - target.x, point.y - target.y));
  }));
  side.addEventListener('pointerdown', (event) => startDrag(svg, event, (point) => {
    const target = caliperOf(state.doc);
    const radians = target.angle * Math.PI / 180;
    const distance = -(point.x - target.x) * Math.sin(radians) + (point.y - target.y) * Math.cos(radians);
    target.thickness = Math.max(0, 2 * (Math.abs(distance) - 2 * unit));
  }));
  const values = $('caliper-values');
  values.textContent = `x ${fmt(caliper.x, 2)}, y ${fmt(caliper.y, 2)}, angle ${fmt(caliper.angle, 2)}°, ` +
                       `length ${fmt(caliper.length, 2)}, thickness ${fmt(caliper.thickness, 2)}`;
  values.dataset.caliper = [caliper.x, caliper.y, caliper.angle, caliper.length, caliper.thickness].join(',');
}

// ---- scales ----------------------------------------------------------------

function scale(lo, hi, from, to) {
  const span = hi > lo ? hi - lo : 1;
  const map = (value) => from + (value - lo) / span * (to - from);
  map.invert = (pixel) => lo + (pixel - from) / (to - from) * span;
  return map;
}

function extent(values) {
  const finite = values.filter(Number.isFinite);
  return finite.length ? [Math.min(...finite), Math.max(...finite)] : [0, 1];
}

// ---- the profile -------------------------------------------------------------

function renderProfile() {
  const svg = $('profile');
  svg.replaceChildren();
  if (!state.scored) return;
  const caliper = state.scored.document.caliper || {};
  const edges = caliper.edges || [];
  const profile = caliper.profile;
  const desired = state.doc.params.desiredEdges;
  const positions = edges.map((e) => e.position).concat(desired.map((d) => d.position));
  if (profile) positions.push(profile.start, profile.start + profile.step * (profile.values.length - 1));
  const [lo, hi] = extent(positions);
  const x = scale(lo, hi, 30, 630);
  const [vlo, vhi] = extent(profile ? profile.values : [0, 1]);
  const y = scale(vlo, vhi, 150, 15);
  if (desired.length === 2) {
    const [a, b] = [x(desired[0].position), x(desired[1].position)];
    el('rect', { x: Math.min(a, b), y: 10, width: Math.abs(b - a), height: 145,
                 fill: COLOUR.desired, 'fill-opacity': 0.08, id: 'width-window' }, svg);
  }
  desired.forEach((d) => el('line', { x1: x(d.position), x2: x(d.position), y1: 10, y2: 155,
                                      stroke: COLOUR.desired, 'stroke-dasharray': '4 3' }, svg));
  if (profile) {
    const points = profile.values.map((v, i) => `${x(profile.start + i * profile.step)},${y(v)}`);
    el('polyline', { points: points.join(' '), fill: 'none', stroke: '#444' }, svg);
  }
  const winners = winnerEdges();
  edges.forEach((edge, index) => el('line', {
    x1: x(edge.position), x2: x(edge.position), y1: 12, y2: 155,
    stroke: edgeColour(edge, index, winners), 'stroke-width': winners.has(index) ? 3 : 1.5 }, svg));
  el('line', { x1: 30, x2: 630, y1: 158, y2: 158, stroke: '#999' }, svg);
  el('text', { x: 30, y: 168, 'font-size': 10 }, svg, fmt(lo, 1));
  el('text', { x: 630, y: 168, 'font-size': 10, 'text-anchor': 'end' }, svg, fmt(hi, 1));
}

// ---- the score functions ---------------------------------------------------

function functionParts(method) {
  for (const kind of Object.keys(PARTS)) {
    if (method[kind]) return PARTS[kind].map((path) => ({ path, name: path.join('.') }));
  }
  return [];
}

const partOf = (method, path) => path.reduce((object, key) => object[key], method);

// The scale stays put while a handle is dragged, so that it does not run
// away from the pointer.
function methodScale(index, curves) {
  if (state.drag && state.methodScales[index]) return state.methodScales[index];
  const xs = curves.flatMap((curve) => curve.points.map((p) => p[0]));
  const [lo, hi] = extent(xs);
  state.methodScales[index] = scale(lo, hi, 25, 305);
  return state.methodScales[index];
}

// A breakpoint dragged past its neighbours pushes them along, so that the
// abscissae stay in the order the function was given them.
function moveBreakpoint(f, key, value, ascending) {
  const keys = ['x0', 'x1', 'x2'];
  const at = keys.indexOf(key);
  f[key] = value;
  keys.forEach((other, k) => {
    if (k === at) return;
    const before = (k < at) === ascending;
    f[other] = before ? Math.min(f[other], value) : Math.max(f[other], value);
  });
}

function drawHandle(svg, method, part, key, x, y, index) {
  const f = partOf(method, part.path);
  const yKey = key === 'x0' ? 'y0' : 'y1';
  const handle = el('circle', { cx: x(f[key]), cy: y(key === 'x2' ? f.y1 : f[yKey]), r: 6,
                                fill: 'white', stroke: COLOUR.curve, 'stroke-width': 2,
                                class: 'handle', 'data-handle': `${index}:${part.name}:${key}` }, svg);
  el('title', {}, handle, `${part.name} ${key} ${f[key]}`);
  handle.addEventListener('pointerdown', (event) => {
    const ascending = f.x0 <= f.x2;
    startDrag(svg, event, (point) => {
      const target = partOf(state.doc.params.scoreMethods[index], part.path);
      moveBreakpoint(target, key, x.invert(point.x), ascending);
      if (key !== 'x2') target[yKey] = Math.min(1, Math.max(0, y.invert(point.y)));
    });
  });
}

function drawMeasured(svg, index, x, y) {
  const scored = state.scored;
  scored.results.forEach((result, r) => {
    const entry = result.methodScores[index];
    const colour = r === scored.winner ? COLOUR.winner : COLOUR.other;
    (entry.measured || []).forEach((value) => {
      el('line', { x1: x(value), x2: x(value), y1: y(0), y2: y(1.05), stroke: colour,
                   'stroke-dasharray': '2 2' }, svg);
      el('text', { x: x(value) + 2, y: y(1.05) + 8, 'font-size': 9, fill: colour }, svg, String(r + 1));
    });
    if ((entry.measured || []).length === 1) {
      el('circle', { cx: x(entry.measured[0]), cy: y(entry.score ?? entry.scoreFixed / 256), r: 3,
                     fill: colour, class: 'mark' }, svg);
    }
  });
}

// A panel per method, kept from one drawing to the next: the svg of a
// dragged handle must live as long as the drag.
function methodPanel(index) {
  if (!state.methodPanels[index]) {
    const panel = html('div', $('methods'), '', { class: 'method' });
    const title = html('h3', panel);
    const note = html('p', panel, 'no function: it scores each candidate by itself');
    const svg = el('svg', { viewBox: '0 0 320 150', 'data-method': index }, panel);
    listenForDrags(svg);
    state.methodPanels[index] = { panel, title, note, svg };
  }
  return state.methodPanels[index];
}

function renderMethod(method, index) {
  const { title, note, svg } = methodPanel(index);
  title.textContent = method.method;
  svg.replaceChildren();
  const curves = state.scored.curves[index] || [];
  note.hidden = curves.length > 0;
  svg.style.display = curves.length ? '' : 'none';
  if (curves.length === 0) return;
  const x = methodScale(index, curves);
  const y = scale(0, 1, 130, 12);
  for (const level of [0, 0.5, 1]) {
    el('line', { x1: 25, x2: 305, y1: y(level), y2: y(level), stroke: '#e6e6e6' }, svg);
    el('text', { x: 20, y: y(level) + 3, 'font-size': 9, 'text-anchor': 'end' }, svg, String(level));
  }
  for (const curve of curves) {
    const points = curve.points.map(([px, py]) => `${x(px)},${y(py)}`).join(' ');
    el('polyline', { points, fill: 'none', 'stroke-width': 2,
                     stroke: COLOUR[curve.side] || COLOUR.curve }, svg);
  }
  drawMeasured(svg, index, x, y);
  el('text', { x: 25, y: 145, 'font-size': 9 }, svg, fmt(x.invert(25), 3));
  el('text', { x: 305, y: 145, 'font-size': 9, 'text-anchor': 'end' }, svg, fmt(x.invert(305), 3));
  for (const part of functionParts(method)) {
    for (const key of ['x0', 'x1', 'x2']) drawHandle(svg, method, part, key, x, y, index);
  }
}

function renderMethods() {
  if (!state.scored) return;
  state.doc.params.scoreMethods.forEach(renderMethod);
}

// ---- tables ----------------------------------------------------------------

function numberCell(row, value, digits = 4) {
  const cell = html('td', row, fmt(value, digits));
  if (typeof value === 'number') cell.dataset.value = String(value);
  return cell;
}

function renderCandidates() {
  const table = $('candidates');
  table.replaceChildren();
  const scored = state.scored;
  if (!scored) return;
  const none = $('no-candidate');
  none.hidden = scored.winner !== null;
  none.textContent = scored.winner === null ? `No acceptable candidate: ${scored.noCandidate}` : '';
  const head = html('tr', html('thead', table));
  for (const title of ['rank', 'position', 'score']) html('th', head, title);
  for (const method of state.doc.params.scoreMethods) html('th', head, method.method);
  html('th', head, 'measured');
  html('th', head, 'edges');
  const body = html('tbody', table);
  scored.results.forEach((result, r) => {
    const row = html('tr', body, '', { class: r === scored.winner ? 'winner' : '' });
    html('td', row, String(result.rank));
    numberCell(row, result.position ?? result.positionFixed / 256);
    numberCell(row, result.score ?? result.scoreFixed / 256);
    for (const entry of result.methodScores) numberCell(row, entry.score ?? entry.scoreFixed / 256);
    html('td', row, result.methodScores.map((e) => (e.measured || []).map((v) => fmt(v, 3)).join('/'))
      .filter((text) => text).join('; '));
    html('td', row, result.edges.map((edge) => edge.index).join(', '));
  });
}

function renderCheck() {
  const report = state.checked;
  $('check-panel').hidden = !state.checkFolder;
  const table = $('check');
  table.replaceChildren();
  if (!report) return;
  const s = report.summary;
  $('check-summary').textContent = `${s.recordings} recordings: ${s.asExpected} as expected, ` +
    `${s.notAsExpected} not as expected, ${s.withoutExpectation} without expectation, ${s.failed} failed`;
  const head = html('tr', html('thead', table));
  for (const title of ['recording', 'verdict', 'winner', 'score', 'margin', 'why']) html('th', head, title);
  const body = html('tbody', table);
  for (const entry of report.recordings) {
    const row = html('tr', body, '', { 'data-recording': entry.recording });
    html('td', row, entry.recording);
    const pass = entry.verdict === 'as expected' || entry.verdict === 'no expectation';
    html('td', row, entry.verdict, { class: pass ? 'pass verdict' : 'fail verdict' });
    html('td', row, entry.winner ? `${entry.winner.edges.join(', ')} at ${fmt(entry.winner.position, 3)}` : 'none');
    numberCell(row, entry.winner ? entry.winner.score : undefined);
    numberCell(row, entry.margin);
    html('td', row, entry.problem || '');
  }
}

function render() {
  $('undo').disabled = state.history.length === 0;
  $('redo').disabled = state.future.length === 0;
  renderImage();
  renderProfile();
  renderMethods();
  renderCandidates();
}

// ---- start -------------------------------------------------------------------

async function start() {
  listenForDrags($('image'));
  $('undo').addEventListener('click', undo);
  $('redo').addEventListener('click', redo);
  $('save').addEventListener('click', save);
  document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey)) return;
    if (event.key === 'z') undo();
    if (event.key === 'y') redo();
  });
  try {
    const initial = await api('/api/state');
    state.image = initial.image;
    if (state.image) state.imageHref = imageHref(state.image);
    state.checkFolder = initial.check;
    state.scored = initial.scored;
    state.doc = clone(initial.scored.document);
    $('description').textContent = state.doc.description || '';
    $('save').title = 'writes ' + initial.saveTo;
    render();
    if (state.checkFolder) sendCheck(state.doc);
  } catch (error) {
    showStatus(error.message, true);
  }
  setBusy(-1);
}

start();
