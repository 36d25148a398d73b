// Syntax checks of the scripts the resource folder ships: php -l on the sign-up script, and
// the JavaScript parsed by node (the personalisation scripts are markup holding script
// elements, so their script bodies are parsed).
//
//   node check_scripts.mjs RESOURCES [PHP]

import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';

const resources = process.argv[2];
const php = process.argv[3] || '/usr/bin/php';
let passed = 0;
let failed = 0;
function check(name, ok, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`  ${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : `: ${detail}`}`);
}
function parses(source, name) {
  try {
    new vm.Script(source, { filename: name });
    return '';
  } catch (error) {
    return error.message;
  }
}

const lint = spawnSync(php, ['-l', path.join(resources, 'lgsignup.php')], { encoding: 'utf8' });
check('php -l lgsignup.php', lint.status === 0, `${lint.stdout}${lint.stderr}${lint.error || ''}`);

for (const file of ['tandeo.js', 'tandeolg.js']) {
  const text = fs.readFileSync(path.join(resources, file), 'latin1');
  const bodies = [...text.matchAll(/<script\b[^>]*>([\s\S]*?)<\/script>/gi)].map((m) => m[1]);
  check(`${file} holds script elements`, bodies.length > 0);
  bodies.forEach((body, i) => {
    const error = parses(body, `${file} script ${i + 1}`);
    check(`${file} script ${i + 1} parses`, error === '', error);
  });
}
{
  const error = parses(fs.readFileSync(path.join(resources, 'tdoaudio.js'), 'latin1'), 'tdoaudio.js');
  check('tdoaudio.js parses', error === '', error);
}

console.log(`\n${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
