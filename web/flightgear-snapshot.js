#!/usr/bin/env node
// Writes the panel's flight state of this moment from a running FlightGear,
// through the same table as the page's link, as a state file for gaugeview:
//
//   node web/flightgear-snapshot.js [HOST:PORT] [-o FILE]
//   build/native/gaugeview panel panels/default.cfg --state FILE -o panel.png
//
// HOST:PORT is FlightGear's web server (fgfs --httpd=PORT; default
// localhost:8080). Without -o the state goes to stdout. Needs Node 18 or
// later and nothing else. Exit status 1 when FlightGear does not answer.
'use strict';

const fs = require('fs');
const path = require('path');
const flightgear = require('./flightgear.js');

const TABLE = JSON.parse(fs.readFileSync(path.join(__dirname, 'flightgear-table.json'), 'utf8'));
// Tokens the host holds as whole numbers.
const WHOLE = new Set([46, 307, 355]);

async function propertyValues(address) {
  const values = new Map();
  await Promise.all(flightgear.properties(TABLE).map(async (property) => {
    const response = await fetch(`http://${address}/json${property}`);
    if (!response.ok) return;  // a property the aircraft does not have
    // FlightGear writes a value that is not a number as nan or inf, which
    // JSON has not: such a property counts as missing.
    const text = (await response.text()).replace(/:\s*-?(nan|inf)\b/gi, ':null');
    const node = JSON.parse(text);
    if (node.value !== undefined && node.value !== null) values.set(node.path, node.value);
  }));
  return values;
}

function stateText(address, values) {
  const time = values.get(flightgear.HEARTBEAT);
  const lines = [
    `# The panel's flight state from FlightGear (${TABLE.aircraft}) at ${address},`,
    `# simulation time ${time === undefined ? 'unknown' : Number(time).toFixed(1) + ' s'}.`,
    '# Written by web/flightgear-snapshot.js through web/flightgear-table.json.',
    '',
  ];
  for (const row of TABLE.tokens) {
    const v = flightgear.tokenValue(row, values);
    const about = `${row.what}, ${row.unit}`;
    if (v === undefined) {
      const why = row.none !== undefined ? `no counterpart: ${row.none}` : 'FlightGear gave no value';
      lines.push(`# ${row.token}: ${about}: ${why}`);
      continue;
    }
    const text = WHOLE.has(row.token) ? String(Math.trunc(v)) : String(Number(v.toFixed(6)));
    lines.push(`${`${row.token}=${text}`.padEnd(15)} # ${about}`);
  }
  return lines.join('\n') + '\n';
}

async function main(argv) {
  let address = 'localhost:8080';
  let output = null;
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === '-o' && i + 1 < argv.length) output = argv[++i];
    else if (/^[^-].*:\d+$/.test(argv[i])) address = argv[i];
    else {
      console.error('usage: flightgear-snapshot.js [HOST:PORT] [-o FILE]');
      return 2;
    }
  }
  let values;
  try {
    values = await propertyValues(address);
  } catch (e) {
    console.error(`flightgear-snapshot: FlightGear does not answer at ${address} (${e.cause ? e.cause.code || e.cause.message : e.message})`);
    return 1;
  }
  const text = stateText(address, values);
  if (output) fs.writeFileSync(output, text);
  else process.stdout.write(text);
  return 0;
}

main(process.argv.slice(2)).then((status) => { process.exitCode = status; });
