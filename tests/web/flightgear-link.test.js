// The FlightGear link's own rules, without FlightGear: a stand-in socket and
// clock. (tests/web/flightgear.test.js runs it against a real fgfs.)
//
//   node tests/web/flightgear-link.test.js
'use strict';

const assert = require('assert/strict');
const { Link } = require('../../web/flightgear.js');
const table = require('../../web/flightgear-table.json');

// A socket that is open at once and keeps what is sent.
class FakeSocket {
  constructor(url) {
    this.url = url;
    this.readyState = 1;
    this.sent = [];
    FakeSocket.last = this;
  }
  send(text) { this.sent.push(JSON.parse(text)); }
  close() { this.readyState = 3; }
  hear(path, value) { this.onmessage({ data: JSON.stringify({ path, value }) }); }
}

let clock = 0;
const tokens = new Map();
const link = new Link({ table, WebSocket: FakeSocket, now: () => clock,
                        setToken: (token, value) => tokens.set(token, value) });
link.connect('127.0.0.1:5400');
const socket = FakeSocket.last;
try {
  socket.onopen();

  // Listens to every property and asks for each: the magneto switch among them.
  const asked = (command) => socket.sent.filter((m) => m.command === command).map((m) => m.node);
  assert.ok(asked('addListener').includes('/controls/switches/magnetos'));
  assert.deepEqual(asked('get').sort(), asked('addListener').sort());

  socket.hear('/controls/switches/magnetos', 3);
  assert.equal(link.status().state, 'connected');
  assert.deepEqual([tokens.get(399), tokens.get(400)], [1, 1]);

  // The key turned toward OFF: BOTH to L at once, and an answer of FlightGear's
  // from before it carried the turn out does not turn it back.
  clock = 1000;
  assert.equal(link.fireEvent(65634, 0), true);
  assert.deepEqual(socket.sent[socket.sent.length - 1], { command: 'set', node: '/controls/switches/magnetos', value: 2 });
  assert.deepEqual([tokens.get(399), tokens.get(400)], [1, 0]);
  clock = 1400;
  socket.hear('/controls/switches/magnetos', 3);
  assert.deepEqual([tokens.get(399), tokens.get(400)], [1, 0], 'an old answer undid the click');
  // FlightGear confirms; from then on its word is the panel's again.
  socket.hear('/controls/switches/magnetos', 2);
  socket.hear('/controls/switches/magnetos', 0);
  assert.deepEqual([tokens.get(399), tokens.get(400)], [0, 0]);

  // A click FlightGear never carries out: after a second and a half its own
  // value shows again.
  socket.hear('/controls/switches/master-bat', true);
  assert.equal(tokens.get(364), 1);
  clock = 5000;
  link.fireEvent(66241, 0);
  assert.equal(tokens.get(364), 0);
  socket.hear('/controls/switches/master-bat', true);
  assert.equal(tokens.get(364), 0);
  clock = 6600;
  socket.hear('/controls/switches/master-bat', true);
  assert.equal(tokens.get(364), 1);
  // Closed after data came: stale, the tokens held.
  socket.onclose();
  assert.equal(link.status().state, 'stale');
  assert.equal(tokens.get(364), 1);
} finally {
  link.disconnect();
}
assert.equal(link.status().state, 'off');

// Nothing ever answered at an address: still connecting, not stale.
const nowhere = new Link({ table, WebSocket: FakeSocket, now: () => clock });
nowhere.connect('127.0.0.1:1');
FakeSocket.last.onclose();
assert.equal(nowhere.status().state, 'connecting');
nowhere.disconnect();
console.log('flightgear link: 1 passed, 0 failed');
