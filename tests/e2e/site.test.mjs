// End-to-end test of the site Tandeo generates: the real engine writes the site (through the
// generate_site helper), PHP's built-in server serves it on 127.0.0.1 with mail() captured into
// files, and headless Chromium visits it like a subscriber would. Hostile sign-ups are sent at
// HTTP level. Screenshots of every shipped template land in the test output folder.
//
//   node site.test.mjs --helper PATH --resources PATH --output PATH
//                      [--php /usr/bin/php] [--chromium /usr/bin/chromium]

import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));

function option(name, fallback) {
  const at = process.argv.indexOf(`--${name}`);
  if (at > 0 && at + 1 < process.argv.length) return process.argv[at + 1];
  if (fallback !== undefined) return fallback;
  console.error(`missing --${name}`);
  process.exit(2);
}

const helper = option('helper');
const resources = option('resources');
const outputDir = option('output');
const phpBinary = option('php', '/usr/bin/php');
const chromiumBinary = option('chromium', '/usr/bin/chromium');

let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch (error) {
  console.error('playwright-core is missing: run scripts/setup (it runs npm ci in tests/e2e).');
  process.exit(1);
}

// ---- results ------------------------------------------------------------------------------

let passed = 0;
let failed = 0;
function check(name, ok, detail = '') {
  if (ok) {
    passed++;
    console.log(`  ok   ${name}`);
  } else {
    failed++;
    console.log(`  FAIL ${name}${detail ? `: ${detail}` : ''}`);
  }
  return ok;
}
function section(title) {
  console.log(`\n# ${title}`);
}

const watchdog = setTimeout(() => {
  console.error('\nthe end-to-end test ran out of time');
  finish(true);
}, 270_000);

// ---- the scene: a temporary folder, the mail catcher and PHP's server ---------------------

const root = fs.mkdtempSync(path.join(os.tmpdir(), 'tandeo-e2e-'));
const webRoot = path.join(root, 'www');
const mailDir = path.join(root, 'mail');
fs.mkdirSync(webRoot);
fs.mkdirSync(mailDir);
fs.mkdirSync(outputDir, { recursive: true });

// Static pages go out as an ordinary host sends them: text/html without a charset, so the page's
// own declaration counts (PHP's server alone would claim UTF-8 for every .html file).
const router = path.join(root, 'router.php');
fs.writeFileSync(router, `<?php
$file = realpath(__DIR__ . '/www' . urldecode(parse_url($_SERVER['REQUEST_URI'], PHP_URL_PATH)));
if ($file !== false && is_file($file) && substr($file, -5) === '.html'
    && strpos($file, realpath(__DIR__ . '/www') . '/') === 0) {
    header('Content-Type: text/html');
    readfile($file);
    return true;
}
return false;
`);

const catcher = path.join(root, 'catch-mail.sh');
fs.writeFileSync(catcher, `#!/bin/sh\n# Keeps every message that mail() hands over, one file each.\n` +
  `cat > "${mailDir}/$(date +%s%N)-$$.eml"\n`, { mode: 0o755 });

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const port = await freePort();
const origin = `http://127.0.0.1:${port}`;
const phpLog = fs.openSync(path.join(root, 'php-server.log'), 'w');
const php = spawn(phpBinary, [
  '-d', `sendmail_path=${catcher}`, '-d', 'display_errors=0', '-d', 'log_errors=1',
  '-d', 'mail.add_x_header=0', '-d', 'default_charset=', '-S', `127.0.0.1:${port}`, '-t', webRoot, router,
], { stdio: ['ignore', phpLog, phpLog] });

let browser;
async function finish(timedOut = false) {
  clearTimeout(watchdog);
  try { if (browser) await browser.close(); } catch { /* already gone */ }
  php.kill('SIGTERM');
  if (timedOut) failed++;
  if (failed === 0) fs.rmSync(root, { recursive: true, force: true });
  else console.log(`\nthe sites, the captured mail and the server log are kept in ${root}`);
  console.log(`\n${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

async function waitForServer() {
  for (let i = 0; i < 50; i++) {
    try {
      await fetch(`${origin}/`, { signal: AbortSignal.timeout(1000) });
      return true;
    } catch {
      await new Promise((r) => setTimeout(r, 100));
    }
  }
  return false;
}

// ---- helpers --------------------------------------------------------------------------------

function mails() {
  return fs.readdirSync(mailDir).sort();
}

// The headers (name -> list of values, unfolded) and the body of a captured message.
function parseMail(file) {
  const text = fs.readFileSync(path.join(mailDir, file), 'utf8');
  const split = text.search(/\r?\n\r?\n/);
  const head = text.slice(0, split).split(/\r?\n/);
  const headers = new Map();
  let last = null;
  for (const line of head) {
    if (/^[ \t]/.test(line) && last) {
      const values = headers.get(last);
      values[values.length - 1] += ' ' + line.trim();
      continue;
    }
    const colon = line.indexOf(':');
    last = line.slice(0, colon).trim().toLowerCase();
    if (!headers.has(last)) headers.set(last, []);
    headers.get(last).push(line.slice(colon + 1).trim());
  }
  return { headers, body: text.slice(split).trim() };
}

// RFC 2047 encoded words back to text; adjacent words join without the space between them.
function decodeWords(value) {
  return value
    .replace(/\?=\s+=\?/g, '?==?')
    .replace(/=\?UTF-8\?B\?([^?]*)\?=/gi, (_, b64) => Buffer.from(b64, 'base64').toString('utf8'));
}

const allowedMailHeaders = new Set(['to', 'subject', 'from', 'mime-version', 'content-type',
  'content-transfer-encoding']);

function checkMail(label, file, { to, fromName, fromAddress, lines }) {
  const { headers, body } = parseMail(file);
  const names = [...headers.keys()];
  check(`${label}: only the script's own mail headers`, names.every((n) => allowedMailHeaders.has(n))
    && names.every((n) => headers.get(n).length === 1), names.join(', '));
  check(`${label}: sent to the autoresponder`, headers.get('to')?.[0] === to, headers.get('to')?.[0]);
  const from = decodeWords(headers.get('from')?.[0] ?? '');
  check(`${label}: sent from the subscriber`, from === `"${fromName}" <${fromAddress}>`
    || from === `${fromName} <${fromAddress}>`, from);
  check(`${label}: subject Subscribe`, headers.get('subject')?.[0] === 'Subscribe');
  for (const line of lines) check(`${label}: body has "${line}"`, body.includes(line), body);
}

// Finds leftover tokens in a generated text.
const tokenPattern = /<ta[A-Z0-9 ]+>|\[(DEFAULT SALUTATION|SALES LETTER URL|CHOICE0\d|AR0\d|AR EMAIL ADDRESS|THANKS URL|DOMAIN|AUTOPLAY|AUDIO|JAVASCRIPT)\]/gi;

function leftoverTokens(text, allowed = []) {
  return (text.match(tokenPattern) || []).filter((t) => !allowed.includes(t));
}

// A tiny WAV tone, served as the greeting (browsers look at the content, not the name).
function greetingSound() {
  const rate = 8000;
  const samples = rate / 2;
  const data = Buffer.alloc(samples * 2);
  for (let i = 0; i < samples; i++) {
    data.writeInt16LE(Math.round(Math.sin((2 * Math.PI * 440 * i) / rate) * 8000), i * 2);
  }
  const header = Buffer.alloc(44);
  header.write('RIFF', 0); header.writeUInt32LE(36 + data.length, 4); header.write('WAVE', 8);
  header.write('fmt ', 12); header.writeUInt32LE(16, 16); header.writeUInt16LE(1, 20);
  header.writeUInt16LE(1, 22); header.writeUInt32LE(rate, 24); header.writeUInt32LE(rate * 2, 28);
  header.writeUInt16LE(2, 32); header.writeUInt16LE(16, 34); header.write('data', 36);
  header.writeUInt32LE(data.length, 40);
  return Buffer.concat([header, data]);
}

// The owner's own pages, personalised as "Insert Code..." does: the generated tandeo.js goes
// before </head> and each [fname] becomes a script that writes the name.
function writeOwnerPages(site) {
  const script = fs.readFileSync(path.join(site.dir, 'tandeo.js'), 'latin1');
  const page = (title) => `<!DOCTYPE html>\n<html><head><meta charset="windows-1252"><title>${title}</title>\n`
    + `${script}\n</head><body><h1 id="greeting">${title}, [fname]!</h1><p id="page">${title}</p></body></html>\n`;
  const pages = { 'thanks.html': 'Thank you', 'salescopy.html': 'The sales letter' };
  for (let n = 1; n <= 4; n++) pages[`choice${n}.html`] = `Choice ${n}`;
  for (const [file, title] of Object.entries(pages)) {
    const text = page(title).replace(/\[fname\]/gi, '<script>document.write(fname);</script>');
    fs.writeFileSync(path.join(site.dir, file), text, 'latin1');
  }
}

function generate(name, mode, templateId, audio, salutation) {
  const dir = path.join(webRoot, name);
  const base = `${origin}/${name}`;
  const args = [resources, dir, mode, templateId, base, String(audio)];
  if (salutation) args.push(salutation);
  const run = spawnSync(helper, args, { encoding: 'utf8', timeout: 60_000 });
  const ok = check(`generate ${name} (${mode}, ${templateId}, audio ${audio})`, run.status === 0,
    `${run.stderr || ''}${run.error || ''}`.trim());
  const site = { name, dir, base, mode, templateId, audio, salutation: salutation || 'Fellow Entrepreneur',
    written: run.stdout.split('\n').filter(Boolean), ok };
  if (ok) writeOwnerPages(site);
  return site;
}

function staticChecks(site) {
  const read = (file) => fs.readFileSync(path.join(site.dir, file), 'latin1');
  const index = read('index.html');
  const allowed = site.mode === 'sales' ? ['<taCHOICES>'] : [];
  check(`${site.name}: no tokens left in index.html`, leftoverTokens(index, allowed).length === 0,
    leftoverTokens(index, allowed).join(' '));
  for (const file of ['tandeo.js', 'tandeolg.js', 'lgsignup.php', 'READ-ME-NOW.txt']) {
    check(`${site.name}: no tokens left in ${file}`, leftoverTokens(read(file)).length === 0,
      leftoverTokens(read(file)).join(' '));
  }
  check(`${site.name}: index.html declares windows-1252`, /<meta charset="windows-1252">/i.test(index));
  check(`${site.name}: index.html has a mobile viewport`, /<meta name="viewport" content="width=device-width/i.test(index));
  const refs = [...new Set(index.match(/img\/[A-Za-z0-9_.-]+/g) || [])];
  const missing = refs.filter((ref) => !fs.existsSync(path.join(site.dir, ref)));
  check(`${site.name}: every picture the page names is in img/`, missing.length === 0, missing.join(' '));
  const lint = spawnSync(phpBinary, ['-l', path.join(site.dir, 'lgsignup.php')], { encoding: 'utf8' });
  check(`${site.name}: php -l accepts the generated lgsignup.php`, lint.status === 0, lint.stdout + lint.stderr);
  const notes = read('READ-ME-NOW.txt');
  check(`${site.name}: the notes name the thanks page and the domain`,
    notes.includes(`${site.base}/thanks.html`) && notes.includes('127.0.0.1/index.html'));
  const hasAudio = fs.existsSync(path.join(site.dir, 'tdoaudio.js'));
  check(`${site.name}: audio script and player only with audio`, hasAudio === (site.audio > 0)
    && fs.existsSync(path.join(site.dir, 'tdo_greeting.swf')) === (site.audio > 0)
    && index.includes("src='tdoaudio.js'") === (site.audio > 0));
  if (site.audio > 0) fs.writeFileSync(path.join(site.dir, 'greeting.mp3'), greetingSound());
}

async function newPage(options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 }, ...options });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(`script error: ${error.message}`));
  page.on('dialog', async (dialog) => {
    problems.push(`dialog: ${dialog.message()}`);
    await dialog.dismiss();
  });
  return { context, page, problems };
}

// ---- a subscriber signs up in the browser ---------------------------------------------------

async function subscribe(site, { name, email, choice, expectPage, expectTo, expectBody }) {
  const label = `${site.name}${choice ? ` choice ${choice}` : ''}`;
  const { context, page, problems } = await newPage();
  try {
    await page.goto(`${site.base}/index.html`);
    check(`${label}: the page greets with the default salutation`,
      (await page.innerText('.salutation')).includes(site.salutation), await page.innerText('.salutation'));
    check(`${label}: no welcome-back bar for a new visitor`, (await page.locator('#tdo-returning').count()) === 0);
    const bodyText = await page.textContent('.body');
    check(`${label}: the windows-1252 page shows its text whole`, bodyText.includes('Café') && bodyText.includes('\u2713'), bodyText);

    await page.fill('input[name=fname]', name);
    await page.fill('input[name=email]', email);
    if (choice) {
      if (site.mode === 'radio') await page.check(`input[name=choice][value="${choice}"]`);
      else await page.selectOption('select[name=choice]', String(choice));
    }
    const before = mails();
    await Promise.all([
      page.waitForURL((url) => url.pathname.endsWith(`/${expectPage}`), { timeout: 15_000 }),
      page.click('.tdo-optin button[type=submit]'),
    ]);
    const landed = new URL(page.url());
    check(`${label}: lands on ${expectPage}`, `${landed.origin}${landed.pathname}` === `${site.base}/${expectPage}`, page.url());
    check(`${label}: the address carries the first name`, landed.searchParams.get('fname') === name, landed.search);
    const greeting = await page.innerText('#greeting');
    check(`${label}: the landing page greets "${name}"`, greeting?.includes(`, ${name}!`), greeting);

    const fresh = mails().filter((m) => !before.includes(m));
    if (check(`${label}: one message sent`, fresh.length === 1, `${fresh.length} messages`)) {
      checkMail(label, fresh[0], { to: expectTo, fromName: name, fromAddress: email, lines: expectBody });
    }

    // Coming back to the opt-in page: greeted by name, offered the sales letter.
    await page.goto(`${site.base}/index.html`);
    check(`${label}: the returning subscriber is greeted by name`, (await page.innerText('.salutation')).includes(name));
    const bar = page.locator('#tdo-returning');
    check(`${label}: the welcome-back bar leads to the sales letter`, (await bar.count()) === 1
      && (await bar.locator('a').getAttribute('href')) === `${site.base}/salescopy.html`);
    check(`${label}: no script errors or dialogs`, problems.length === 0, problems.join('; '));
  } catch (error) {
    check(`${label}: sign-up in the browser`, false, error.message);
  } finally {
    await context.close();
  }
}

// ---- what the page does without scripts, with hostile names, and with audio ----------------

async function pageBehaviour(site) {
  {
    const { context, page } = await newPage({ javaScriptEnabled: false });
    await page.goto(`${site.base}/index.html`);
    const shown = await page.evaluate(() =>
      getComputedStyle(document.querySelector('.tdo-fname'), '::after').content);
    check(`${site.name}: without scripts the salutation still shows`, shown === JSON.stringify(site.salutation), shown);
    await context.close();
  }
  {
    const { context, page, problems } = await newPage();
    const hostile = '<b>x</b><img src=x onerror=alert(1)>';
    await page.goto(`${site.base}/thanks.html?fname=${encodeURIComponent(hostile)}`);
    const text = await page.innerText('#greeting');
    check(`${site.name}: a name with markup shows as text on the thanks page`, text.includes(hostile), text);
    check(`${site.name}: that markup makes no elements`, (await page.locator('#greeting b, #greeting img').count()) === 0);
    await page.goto(`${site.base}/index.html`);
    const salutation = await page.innerText('.salutation');
    check(`${site.name}: the remembered hostile name shows as text on the opt-in page`, salutation.includes(hostile), salutation);
    check(`${site.name}: the hostile name ran nothing`, (await page.locator('.salutation b, .salutation img, #tdo-returning b, #tdo-returning img').count()) === 0
      && problems.length === 0, problems.join('; '));
    await context.close();
  }
  if (site.audio > 0) {
    const { context, page } = await newPage();
    await page.goto(`${site.base}/index.html`);
    const audio = page.locator('#tdo-audio audio#tdo-greeting');
    check(`${site.name}: the greeting player sits in the page`, (await audio.count()) === 1);
    await page.waitForFunction(() => {
      const a = document.getElementById('tdo-greeting');
      return a && a.readyState >= 1;
    }, null, { timeout: 10_000 }).catch(() => {});
    const state = await page.evaluate(() => {
      const a = document.getElementById('tdo-greeting');
      const hint = document.querySelector('.tdo-audio-hint');
      return { src: a.getAttribute('src'), controls: a.controls, paused: a.paused,
        boxShown: !a.parentElement.hidden, hintShown: !hint.hidden };
    });
    check(`${site.name}: the player plays greeting.mp3 and shows its controls`,
      state.src === 'greeting.mp3' && state.controls && state.boxShown, JSON.stringify(state));
    if (site.audio === 2) {
      // This browser blocks sound before a click: the visitor is asked to press play.
      check(`${site.name}: blocked autostart falls back to the play control`, state.paused && state.hintShown, JSON.stringify(state));
    } else {
      check(`${site.name}: manual start waits for the visitor`, state.paused && !state.hintShown, JSON.stringify(state));
    }
    await context.close();
  }
}

async function screenshots(site, suffix = '') {
  for (const width of [360, 1280]) {
    const { context, page, problems } = await newPage({ viewport: { width, height: width === 360 ? 780 : 900 } });
    await page.goto(`${site.base}/index.html`);
    await page.waitForLoadState('load');
    const file = path.join(outputDir, `site-${site.templateId}${suffix}-${width}.png`);
    await page.screenshot({ path: file, fullPage: true });
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    check(`${site.name}: fits ${width} px without sideways scrolling (${path.basename(file)})`, overflow <= 0, `${overflow} px too wide`);
    const button = await page.locator('.tdo-optin button[type=submit]').boundingBox();
    check(`${site.name}: the sign-up button is fully visible at ${width} px`, button
      && button.x >= 0 && button.x + button.width <= width && button.height > 20, JSON.stringify(button));
    check(`${site.name}: the honeypot is out of sight at ${width} px`,
      !(await page.locator('input[name=website]').isVisible()) || await page.evaluate(() => {
        const r = document.querySelector('input[name=website]').getBoundingClientRect();
        return r.right <= 0 || r.bottom <= 0 || r.width <= 1;
      }));
    check(`${site.name}: no script errors at ${width} px`, problems.length === 0, problems.join('; '));
    await context.close();
  }
}

// ---- hostile sign-ups at HTTP level -------------------------------------------------------

async function post(url, fields) {
  const body = new URLSearchParams();
  for (const [key, value] of fields) body.append(key, value);
  const response = await fetch(url, { method: 'POST', body, redirect: 'manual', signal: AbortSignal.timeout(10_000) });
  return { status: response.status, headers: response.headers, text: await response.text() };
}

async function hostileRequests(site) {
  const url = `${site.base}/lgsignup.php`;
  const good = [['fname', 'Ann'], ['email', 'ann@example.net']];
  const refused = [
    ['a line break in the name', [['fname', 'Ann\r\nBcc: victim@evil.example'], ['email', 'ann@example.net']]],
    ['a bare line feed in the name', [['fname', 'Ann\nX-Evil: 1'], ['email', 'ann@example.net']]],
    ['a line break in the address', [['fname', 'Ann'], ['email', 'ann@example.net\r\nBcc: victim@evil.example']]],
    ['an invalid address', [['fname', 'Ann'], ['email', 'not-an-address']]],
    ['two addresses', [['fname', 'Ann'], ['email', 'ann@example.net, victim@evil.example']]],
    ['a missing name', [['email', 'ann@example.net']]],
    ['a name that is too long', [['fname', 'A'.repeat(61)], ['email', 'ann@example.net']]],
    ['a name with markup', [['fname', '<script>alert(1)</script>'], ['email', 'ann@example.net']]],
    ['choice 9', [...good, ['choice', '9']]],
    ['choice 0', [...good, ['choice', '0']]],
    ['a URL as choice', [...good, ['choice', 'http://evil.example/']]],
    ['choice 3 with a line break', [...good, ['choice', '3\r\nLocation: http://evil.example/']]],
    ['a list as choice', [...good, ['choice[]', '3']]],
  ];
  for (const [what, fields] of refused) {
    const before = mails();
    const response = await post(url, fields);
    check(`${site.name}: refuses ${what}`, response.status === 400 && !response.headers.get('location')
      && mails().length === before.length, `status ${response.status}, location ${response.headers.get('location')}, ${mails().length - before.length} mails`);
    const headerText = [...response.headers].map(([k, v]) => `${k}: ${v}`).join('\n');
    check(`${site.name}: ${what} adds no header and echoes no markup`, !/evil|x-evil|victim/i.test(headerText)
      && !response.text.includes('<script>alert'), headerText);
  }

  {
    const before = mails();
    const response = await post(url, [...good, ['website', 'http://spam.example/']]);
    check(`${site.name}: a filled honeypot looks like success without mail`, response.status === 303
      && response.headers.get('location') === `${site.base}/thanks.html` && mails().length === before.length,
    `status ${response.status}, location ${response.headers.get('location')}`);
  }
  {
    const before = mails();
    const response = await fetch(url, { redirect: 'manual' });
    check(`${site.name}: a plain GET sends nothing`, response.status === 405 && mails().length === before.length);
  }
  {
    // Choice 5 has no page or autoresponder of its own: the main ones serve.
    const before = mails();
    const response = await post(url, [['fname', 'Zoë 李'], ['email', 'zoe@example.net'], ['choice', '5']]);
    const location = response.headers.get('location') || '';
    check(`${site.name}: choice 5 without a page goes to the thanks page`, response.status === 303
      && location === `${site.base}/thanks.html?fname=${encodeURIComponent('Zoë 李')}`, location);
    const fresh = mails().filter((m) => !before.includes(m));
    if (check(`${site.name}: choice 5 sends one message`, fresh.length === 1)) {
      checkMail(`${site.name} choice 5`, fresh[0], { to: 'subscribe@lists.example.com', fromName: 'Zoë 李',
        fromAddress: 'zoe@example.net', lines: ['First name: Zoë 李', 'Choice: 5'] });
    }
  }
  {
    // A setting that spans lines (a damaged or doctored script) stops the script cold.
    const text = fs.readFileSync(path.join(site.dir, 'lgsignup.php'), 'latin1')
      .replace(/^AR1\|/m, 'AR1|x\nTHANKS|http://evil.example/\nAR1|');
    fs.writeFileSync(path.join(site.dir, 'doctored.php'), text, 'latin1');
    const before = mails();
    const response = await post(`${site.base}/doctored.php`, [...good, ['choice', '1']]);
    check(`${site.name}: settings that span lines send nothing and redirect nowhere`, response.status === 500
      && !response.headers.get('location') && mails().length === before.length, `status ${response.status}`);
  }
}

// ---- the run --------------------------------------------------------------------------------

try {
  section('set-up');
  check(`PHP's server listens on ${origin}`, await waitForServer());
  browser = await chromium.launch({
    executablePath: chromiumBinary,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=document-user-activation-required'],
  });
  const list = spawnSync(helper, ['--list', resources], { encoding: 'utf8', timeout: 30_000 });
  const templates = list.stdout.split('\n').filter(Boolean);
  check('the catalogue lists at least three templates', list.status === 0 && templates.length >= 3, list.stderr);

  // Every template in sales-letter mode, each with another audio setting in turn.
  const salesSites = templates.map((id, i) => generate(`sales-${id}`, 'sales', id, [2, 1, 0][i % 3]));
  for (const site of salesSites.filter((s) => s.ok)) {
    section(`sales-letter mode, template ${site.templateId}`);
    staticChecks(site);
    await subscribe(site, { name: 'Ann', email: 'ann@example.net', expectPage: 'thanks.html',
      expectTo: 'subscribe@lists.example.com', expectBody: ['First name: Ann', 'E-mail: ann@example.net'] });
    await pageBehaviour(site);
    await screenshots(site);
  }

  // Choices mode as a drop-down list and as radio buttons; the salutations hold characters that
  // need care in scripts, style sheets and markup.
  const choiceSites = [
    generate('choices-list', 'choices', templates[0], 0, 'Chère "Gardener" & O\'Neil'),
    generate('choices-radio', 'radio', templates[1 % templates.length], 0, 'Reader </script><b>x</b>'),
  ];
  for (const site of choiceSites.filter((s) => s.ok)) {
    section(`choices mode (${site.mode === 'radio' ? 'radio buttons' : 'drop-down list'}), template ${site.templateId}`);
    staticChecks(site);
    await subscribe(site, { name: 'Zoë', email: 'zoe@example.net', choice: 3, expectPage: 'choice3.html',
      expectTo: 'lawns@lists.example.com', expectBody: ['First name: Zoë', 'Choice: 3'] });
    await screenshots(site, site.mode === 'radio' ? '-choices-radio' : '-choices-list');
  }
  if (choiceSites[0].ok) {
    section('hostile sign-ups');
    await pageBehaviour(choiceSites[0]);
    await hostileRequests(choiceSites[0]);
  }
} catch (error) {
  check('the end-to-end run', false, error.stack || String(error));
}
await finish();
