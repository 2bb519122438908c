// Checks web/flightgear-table.json, the panel's mapping to FlightGear, and
// keeps its table in docs/flightgear.md:
//
//   node web/flightgear-table-check.js [--tokens FILE] [--events FILE]
//        [--doc FILE | --write-doc FILE]
//
// Always: every row is well formed (a token reads FlightGear or says why it
// has no counterpart; an event writes, or says it has no counterpart or is
// the page's own), no number twice, and every read and write runs. --tokens
// and --events name lists of numbers (any text: every whole number counts,
// '#' starts a comment, and a "TOKEN=VALUE" line counts its TOKEN, so a
// state file is a list of tokens): each must have a row. --doc checks that
// the table between the markers in FILE is the one this table gives;
// --write-doc writes it there. Exit status 1 with one line a fault.
'use strict';

const fs = require('fs');
const path = require('path');
const flightgear = require('./flightgear.js');

const TABLE = path.join(__dirname, 'flightgear-table.json');
const BEGIN = '<!-- flightgear-table: generated from web/flightgear-table.json -->';
const END = '<!-- flightgear-table: end -->';

const READ_KEYS = ['path', 'paths', 'scale', 'offset', 'wrap', 'combine', 'lookup', 'otherwise', 'bit',
                   'above', 'when'];
const WRITE_KINDS = ['toggle', 'momentary', 'step', 'lever', 'set', 'cycle'];
const WRITE_KEYS = WRITE_KINDS.concat(['by', 'min', 'max', 'wrap', 'grid', 'values']);

function faultsOf(table) {
  const faults = [];
  const isPath = (p) => typeof p === 'string' && p.startsWith('/') && !p.includes('[0]');
  const seen = new Set();
  for (const row of table.tokens) {
    const name = `token ${row.token}`;
    if (!Number.isInteger(row.token) || row.token < 1) faults.push(`${name}: not a token number`);
    if (seen.has(row.token)) faults.push(`${name}: two rows`);
    seen.add(row.token);
    if (!row.what || !row.unit) faults.push(`${name}: says not what it is or its unit`);
    if ((row.read === undefined) === (row.none === undefined)) {
      faults.push(`${name}: needs either "read" or "none" (why it has no counterpart)`);
      continue;
    }
    if (row.none !== undefined) continue;
    const read = row.read;
    for (const key of Object.keys(read)) {
      if (!READ_KEYS.includes(key)) faults.push(`${name}: unknown "${key}"`);
    }
    const paths = read.paths || [read.path];
    if (!paths.every(isPath) || (read.when !== undefined && !isPath(read.when))) {
      faults.push(`${name}: a property path must start with "/" and leave out [0]`);
    }
    if (read.paths && !read.combine && !read.lookup) faults.push(`${name}: several paths and no way to combine them`);
    // Every conversion runs: each property at 1, then at true.
    for (const probe of [1, true]) {
      const values = new Map(paths.concat(read.when ? [read.when] : []).map((p) => [p, probe]));
      try {
        flightgear.tokenValue(row, values);
      } catch (e) {
        faults.push(`${name}: ${e.message}`);
      }
    }
  }
  seen.clear();
  for (const row of table.events) {
    const name = `event ${row.event}`;
    if (!Number.isInteger(row.event) || row.event < 65536) faults.push(`${name}: not a key event number`);
    if (seen.has(row.event)) faults.push(`${name}: two rows`);
    seen.add(row.event);
    if (!row.what) faults.push(`${name}: says not what it is`);
    const ways = ['write', 'none', 'local'].filter((k) => row[k] !== undefined);
    if (ways.length !== 1) {
      faults.push(`${name}: needs one of "write", "none" (no counterpart) or "local" (the page's own)`);
      continue;
    }
    if (!row.write) continue;
    const kinds = WRITE_KINDS.filter((k) => row.write[k] !== undefined);
    if (kinds.length !== 1) faults.push(`${name}: needs exactly one of ${WRITE_KINDS.join(', ')}`);
    for (const key of Object.keys(row.write)) {
      if (!WRITE_KEYS.includes(key)) faults.push(`${name}: unknown "${key}"`);
    }
    const paths = row.write.set ? Object.keys(row.write.set) : [row.write[kinds[0]]];
    if (!paths.every(isPath)) faults.push(`${name}: a property path must start with "/" and leave out [0]`);
    if (row.write.step !== undefined && typeof row.write.by !== 'number') faults.push(`${name}: a step needs "by"`);
    try {
      flightgear.eventChanges(row, 8192, 'press', new Map());
      flightgear.eventChanges(row, 8192, 'release', new Map());
    } catch (e) {
      faults.push(`${name}: ${e.message}`);
    }
  }
  return faults;
}

// The numbers of a list file (see the top of this file).
function numbersIn(file) {
  const numbers = new Set();
  for (let line of fs.readFileSync(file, 'utf8').split('\n')) {
    line = line.replace(/#.*/, '');
    const setting = /^\s*(\d+)\s*=/.exec(line);
    if (setting) {
      numbers.add(Number(setting[1]));
      continue;
    }
    for (const n of line.match(/\b\d+\b/g) || []) numbers.add(Number(n));
  }
  return numbers;
}

function describeRead(read) {
  const paths = (read.paths || [read.path]).map((p) => `\`${p}\``);
  let how;
  if (read.lookup) {
    const pairs = Object.keys(read.lookup).map((k) => `${k} → ${read.lookup[k]}`);
    if (read.otherwise !== undefined) pairs.push(`else ${read.otherwise}`);
    how = pairs.join(', ');
  } else {
    const steps = [];
    if (read.combine === 'mean') steps.push('mean of both');
    if (read.combine === 'difference') steps.push('first minus second');
    if (read.bit !== undefined) steps.push(`bit ${read.bit}`);
    if (read.above !== undefined) steps.push(`1 above ${read.above}, else 0`);
    if (read.scale !== undefined) steps.push(`× ${+read.scale.toFixed(6)}`);
    if (read.offset !== undefined) steps.push(`+ ${read.offset}`);
    if (read.wrap) steps.push(`wrapped into ${read.wrap[0]}..${read.wrap[1]}`);
    how = steps.length ? steps.join(', ') : 'as it is';
  }
  if (read.when) how += `; ${read.otherwise} while \`${read.when}\` is false`;
  return [paths.join(', '), how];
}

function describeWrite(write) {
  const limits = () => (write.wrap ? `, wrapping in ${write.wrap[0]}..${write.wrap[1]}`
    : write.min !== undefined ? `, within ${write.min}..${write.max}` : '');
  if (write.toggle) return `toggle \`${write.toggle}\``;
  if (write.momentary) return `\`${write.momentary}\` true while held, false on release`;
  if (write.step) {
    return `step \`${write.step}\` by ${+write.by.toFixed(6)}` +
      (write.grid ? ` to the nearest ${+write.grid.toFixed(6)}` : '') + limits();
  }
  if (write.lever) return `\`${write.lever}\` = value / 16384, within 0..1`;
  if (write.set) return Object.keys(write.set).map((p) => `\`${p}\` = ${write.set[p]}`).join(', ');
  if (write.cycle) return `\`${write.cycle}\` to the next of ${write.values.map((v) => `"${v}"`).join(', ')}`;
  return '';
}

function docTable(table) {
  const cell = (s) => String(s).replace(/\|/g, '\\|');
  const lines = [BEGIN, '', '| Token | What, unit | FlightGear property | Into the token |', '|---|---|---|---|'];
  for (const row of table.tokens) {
    let property;
    let how;
    if (row.none !== undefined) {
      property = `none: ${row.none}`;
      how = row.value !== undefined ? `held at ${row.value}` : "the page's own value";
    } else {
      [property, how] = describeRead(row.read);
    }
    if (row.note) how += ` (${row.note})`;
    lines.push(`| ${row.token} | ${cell(`${row.what}, ${row.unit}`)} | ${cell(property)} | ${cell(how)} |`);
  }
  lines.push('', '| Event | What | In FlightGear |', '|---|---|---|');
  for (const row of table.events) {
    const change = row.write ? describeWrite(row.write)
      : row.none !== undefined ? `nothing: ${row.none}` : `on the page only: ${row.local}`;
    lines.push(`| ${row.event} | ${cell(row.what)} | ${cell(change)} |`);
  }
  lines.push('', END);
  return lines.join('\n');
}

function main(argv) {
  const table = JSON.parse(fs.readFileSync(TABLE, 'utf8'));
  const faults = faultsOf(table);
  for (let i = 0; i < argv.length; i += 2) {
    const [option, file] = [argv[i], argv[i + 1]];
    if (!file) throw new Error(`${option} needs a file`);
    if (option === '--tokens' || option === '--events') {
      const rows = new Set(option === '--tokens' ? table.tokens.map((r) => r.token) : table.events.map((r) => r.event));
      for (const n of numbersIn(file)) {
        if (!rows.has(n)) faults.push(`${option.slice(2, -1)} ${n} (${file}): no row in the FlightGear table`);
      }
    } else if (option === '--doc' || option === '--write-doc') {
      const text = fs.readFileSync(file, 'utf8');
      const begin = text.indexOf(BEGIN);
      const end = text.indexOf(END);
      if (begin < 0 || end < begin) {
        faults.push(`${file}: the markers of the generated table are missing`);
        continue;
      }
      const fresh = text.slice(0, begin) + docTable(table) + text.slice(end + END.length);
      if (option === '--write-doc') fs.writeFileSync(file, fresh);
      else if (fresh !== text) faults.push(`${file}: its table differs from the FlightGear table (node web/flightgear-table-check.js --write-doc ${file})`);
    } else {
      throw new Error(`unknown option ${option}`);
    }
  }
  for (const fault of faults) console.log(`flightgear table: ${fault}`);
  console.log(`flightgear table: ${table.tokens.length} tokens, ${table.events.length} events, ` +
              `${faults.length} faults`);
  return faults.length ? 1 : 0;
}

if (require.main === module) {
  try {
    process.exit(main(process.argv.slice(2)));
  } catch (e) {
    console.error(`flightgear table: ${e.message}`);
    process.exit(2);
  }
}

module.exports = { faultsOf, docTable };
