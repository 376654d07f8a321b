// The tuning page in the system's Chromium, driven as a user drives it: the
// caliper and a breakpoint dragged with the mouse, the shown scores compared
// with `cclp-score --json` for the same parameters, undo, save, and a check
// folder's verdict flipping. Usage:
//   node tune_page_test.mjs CCLP_SCORE SOURCE_DIR WORK_DIR [SCREENSHOT.png]
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, readFileSync, rmSync } from 'node:fs';
import path from 'node:path';
import { chromium } from 'playwright-core';

const [tool, sourceDir, workDir, screenshot] = process.argv.slice(2);
const image = path.join(sourceDir, 'edgefinder/data/name_plate.pgm');
const checkSet = path.join(sourceDir, 'tests/cclp_score_cli/check_set/line1');

let browser;
const servers = [];

before(async () => {
  rmSync(workDir, { recursive: true, force: true });
  mkdirSync(workDir, { recursive: true });
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    // Chromium's sandbox refuses to start as root (CI containers).
    args: process.getuid && process.getuid() === 0 ? ['--no-sandbox'] : [],
  });
});

after(async () => {
  await browser?.close();
  for (const server of servers) server.kill();
});

// Starts `cclp-score tune ARGS` and opens the address it prints.
async function openTune(args) {
  const server = spawn(tool, ['tune', ...args], { stdio: ['ignore', 'pipe', 'inherit'] });
  servers.push(server);
  const address = await new Promise((resolve, reject) => {
    let printed = '';
    server.stdout.on('data', (chunk) => {
      printed += chunk;
      const found = /http:\/\/127\.0\.0\.1:\d+\/\?token=[0-9a-f]{32}/.exec(printed);
      if (found) resolve(found[0]);
    });
    server.on('exit', (code) => reject(new Error(`cclp-score tune ended with ${code}`)));
  });
  const page = await browser.newPage({ viewport: { width: 1300, height: 1000 } });
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  await page.goto(address);
  await settled(page);
  return { page, problems };
}

const settled = (page) => page.waitForSelector('body[data-busy="0"]');

// Drags from the middle of an element by (dx, dy) screen pixels, in steps
// as a hand does, and waits until the page has its answer.
async function centre(page, selector) {
  const box = await page.locator(selector).boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

async function drag(page, selector, dx, dy) {
  const { x, y } = await centre(page, selector);
  await page.mouse.move(x, y);
  await page.mouse.down();
  await page.mouse.move(x + dx, y + dy, { steps: 8 });
  await page.mouse.up();
  await settled(page);
}

// What the candidate table shows: each row's exact numbers and whether it
// is highlighted as the winner.
function shownCandidates(page) {
  return page.$$eval('#candidates tbody tr', (rows) => rows.map((row) => ({
    winner: row.classList.contains('winner'),
    values: [...row.querySelectorAll('td[data-value]')].map((cell) => Number(cell.dataset.value)),
  })));
}

// The same for a `cclp-score --json` report: position, score, each method's score.
function reportedCandidates(report) {
  const scores = report.results.map((result) => result.score);
  const best = scores.indexOf(Math.max(...scores));
  return report.results.map((result, r) => ({
    winner: scores[best] > 0 && r === best,
    values: [result.position, result.score, ...result.methodScores.map((m) => m.score)],
  }));
}

const shownCaliper = (page) => page.getAttribute('#caliper-values', 'data-caliper');

async function saveAndScoreAgain(page, saved) {
  await page.click('#save');
  await settled(page);
  assert.match(await page.textContent('#status'), /^saved /);
  const caliper = await shownCaliper(page);
  const report = JSON.parse(execFileSync(tool, ['--json', '--image', image, '--caliper', caliper, saved],
                                         { encoding: 'utf8' }));
  assert.deepEqual(await shownCandidates(page), reportedCandidates(report));
  // The file holds the recording as the tool reports it, run and results aside.
  delete report.run;
  delete report.results;
  assert.deepEqual(JSON.parse(readFileSync(saved, 'utf8')), report);
  return report;
}

test('the caliper and a breakpoint dragged score as cclp-score does; undo; save', async () => {
  const recording = path.join(workDir, 'plate.json');
  cpSync(path.join(sourceDir, 'tools/tune/tests/data/name_plate_tune.json'), recording);
  const { page, problems } = await openTune([recording, '--image', image]);
  assert.equal(await shownCaliper(page), '50,30,90,40,2');
  const initial = await shownCandidates(page);
  assert.equal(initial.filter((row) => row.winner).length, 1);

  await drag(page, '#caliper-body', 12, 5);
  const [x, y, angle, length] = (await shownCaliper(page)).split(',').map(Number);
  assert.ok(x > 50 && y > 30 && angle === 90 && length === 40);
  // The end handle turns and stretches it about its centre.
  await drag(page, '#caliper-end', -20, 4);
  const moved = await shownCaliper(page);
  const [, , turned, stretched] = moved.split(',').map(Number);
  assert.ok(turned > 90 && stretched > 40, moved);
  const afterCaliper = await shownCandidates(page);

  // contrast's x1 from 10 towards 40: the weaker candidates lose score.
  await drag(page, '[data-handle="1:oneSided:x1"]', 60, 0);
  const afterBreakpoint = await shownCandidates(page);
  assert.notDeepEqual(afterBreakpoint, afterCaliper);
  const saved = path.join(workDir, 'plate.tuned.json');
  const tuned = await saveAndScoreAgain(page, saved);
  assert.ok(tuned.params.scoreMethods[1].oneSided.x1 > 10);

  await page.click('#undo');
  await settled(page);
  assert.deepEqual(await shownCandidates(page), afterCaliper);
  assert.equal(await shownCaliper(page), moved);
  const undone = await saveAndScoreAgain(page, saved);
  assert.equal(undone.params.scoreMethods[1].oneSided.x1, 10);

  await page.click('#undo');  // the turn
  await page.click('#undo');  // the move
  await settled(page);
  assert.deepEqual(await shownCandidates(page), initial);
  assert.equal(await shownCaliper(page), '50,30,90,40,2');
  await page.click('#redo');
  await page.click('#redo');
  await settled(page);
  assert.equal(await shownCaliper(page), moved);
  if (screenshot) await page.screenshot({ path: screenshot, fullPage: true });
  assert.deepEqual(problems, []);
});

test('a breakpoint dragged too far flips the check folder\'s verdicts', async () => {
  const folder = path.join(workDir, 'check');
  cpSync(checkSet, folder, { recursive: true });
  const { page, problems } = await openTune([path.join(folder, 'by_edges.json'), '--check', folder]);
  const verdicts = () => page.$$eval('#check tbody td.verdict', (cells) => cells.map((c) => c.textContent));
  await page.waitForSelector('#check tbody td.verdict');
  assert.deepEqual(await verdicts(), ['as expected', 'as expected']);
  assert.equal(await page.isHidden('#no-candidate'), true);

  // sizeDiff's x2 (on top of x1) dragged towards 0 pushes x1 along: no
  // pair is close enough to the expected width any more.
  const from = await centre(page, '[data-handle="0:oneSided:x2"]');
  const to = await centre(page, '[data-handle="0:oneSided:x0"]');
  await drag(page, '[data-handle="0:oneSided:x2"]', to.x + 1 - from.x, 0);
  assert.deepEqual(await verdicts(), ['NOT as expected', 'NOT as expected']);
  assert.match(await page.textContent('#no-candidate'), /No acceptable candidate/);

  await page.click('#undo');
  await settled(page);
  assert.deepEqual(await verdicts(), ['as expected', 'as expected']);
  assert.deepEqual(problems, []);
});
