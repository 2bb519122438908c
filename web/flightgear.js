// The panel's link to FlightGear: over the websocket of FlightGear's web
// server (fgfs --httpd=PORT, /PropertyListener) it listens to every property
// that flightgear-table.json names, turns their values into token values
// through that table and hands them to setToken(token, value); a key event
// of the panel becomes the property changes the table gives for it. It
// reconnects by itself when FlightGear goes away and comes back, and tells
// its state: connecting, connected, stale (nothing for two seconds) or off.
//
// One plain script: in a page it defines TavrelFlightGear, under Node it is
// a module with the same functions (the snapshot script and the tests use
// the table's conversions from here). No framework, nothing to build. It
// also goes through Emscripten's optimiser as a --pre-js, which mangles
// destructuring (`for (const [a, b] of ...)`): there is none here.
'use strict';

(function (root, factory) {
  const api = factory();
  if (typeof module === 'object' && module.exports) module.exports = api;
  else root.TavrelFlightGear = api;
})(typeof globalThis !== 'undefined' ? globalThis : this, function () {
  // Nothing for this long and the data is stale: the needles hold.
  const STALE_AFTER_MS = 2000;
  const RECONNECT_EVERY_MS = 1000;
  const CHECK_EVERY_MS = 250;
  // FlightGear's listeners now and then leave out a change, even the last
  // one of a series (seen with 2020.3): every property is asked for again
  // this often, so a missed change shows within a second.
  const REFRESH_EVERY_MS = 1000;
  // FlightGear carries out what it is sent in bursts, up to a second late;
  // until it answers with a value the page set, older answers are not
  // shown (the switch would jump back and forth).
  const PENDING_MS = 1500;
  // A lever's event value runs from 0 (lever back) to 16384 (full forward).
  const LEVER_FULL = 16384;
  // A property that changes every frame while FlightGear runs: it keeps
  // data arriving when nothing the panel shows moves.
  const HEARTBEAT = '/sim/time/elapsed-sec';

  // FlightGear answers paths with the index [0] left out.
  function canonical(path) {
    return String(path).replace(/\[0\]/g, '');
  }

  function truthy(v) {
    if (typeof v === 'string') return v !== '' && v !== 'false' && v !== '0';
    return Boolean(v);
  }

  function number(v) {
    if (typeof v === 'boolean') return v ? 1 : 0;
    if (typeof v === 'number') return v;
    if (typeof v === 'string' && v.trim() !== '') return Number(v);
    return NaN;
  }

  // Whether FlightGear's answer is the value sent (it writes six decimals).
  function same(sent, answer) {
    if (typeof sent === 'string' || typeof answer === 'string') return canonical(sent) === canonical(answer);
    return Math.abs(number(sent) - number(answer)) < 1e-5;
  }

  function wrapped(x, low, high) {
    const span = high - low;
    return low + ((((x - low) % span) + span) % span);
  }

  // The key a value is looked up by: booleans (and the 0 or 1 FlightGear's
  // scripts sometimes write into them) as "true" and "false", strings
  // with their paths made canonical.
  function lookupKey(v, lookup) {
    const boolish = 'true' in lookup || 'false' in lookup ||
      Object.keys(lookup).some((k) => /^(true|false)(,|$)/.test(k));
    if (boolish && (typeof v === 'boolean' || typeof v === 'number')) return truthy(v) ? 'true' : 'false';
    if (typeof v === 'string') return canonical(v);
    return String(v);
  }

  // Every property a table reads or writes, canonical, with the heartbeat.
  function properties(table) {
    const paths = new Set([HEARTBEAT]);
    for (const row of table.tokens) {
      const read = row.read;
      if (!read) continue;
      for (const p of read.paths || [read.path]) paths.add(canonical(p));
      if (read.when) paths.add(canonical(read.when));
    }
    for (const row of table.events) {
      const write = row.write;
      if (!write) continue;
      for (const kind of ['toggle', 'momentary', 'step', 'lever', 'cycle']) {
        if (write[kind]) paths.add(canonical(write[kind]));
      }
      for (const p of Object.keys(write.set || {})) paths.add(canonical(p));
    }
    return [...paths];
  }

  // A token's value from the properties known (a Map from canonical path to
  // value), or undefined while one it needs has not arrived.
  function tokenValue(row, values) {
    const read = row.read;
    if (!read) return row.value;
    const get = (p) => values.get(canonical(p));
    if (read.when !== undefined) {
      const when = get(read.when);
      if (when === undefined) return undefined;
      if (!truthy(when)) return read.otherwise;
    }
    let v;
    if (read.paths) {
      const vs = read.paths.map(get);
      if (vs.some((x) => x === undefined)) return undefined;
      if (read.lookup) {
        const key = vs.map((x) => lookupKey(x, read.lookup)).join(',');
        return key in read.lookup ? read.lookup[key] : read.otherwise;
      }
      const ns = vs.map(number);
      if (read.combine === 'mean') v = ns.reduce((a, b) => a + b, 0) / ns.length;
      else if (read.combine === 'difference') v = ns[0] - ns[1];
      else throw new Error(`token ${row.token}: unknown combine "${read.combine}"`);
    } else {
      const raw = get(read.path);
      if (raw === undefined || raw === null) return undefined;
      if (read.lookup) {
        const key = lookupKey(raw, read.lookup);
        return key in read.lookup ? read.lookup[key] : read.otherwise;
      }
      v = number(raw);
    }
    if (Number.isNaN(v)) return undefined;
    if (read.bit !== undefined) v = (Math.trunc(v) >> read.bit) & 1;
    if (read.above !== undefined) v = v > read.above ? 1 : 0;
    v = v * (read.scale === undefined ? 1 : read.scale) + (read.offset || 0);
    if (read.wrap) v = wrapped(v, read.wrap[0], read.wrap[1]);
    return v;
  }

  // Every token the table can give from these properties: a Map from token
  // to value (rows without a counterpart give theirs where they have one).
  function tokenValues(table, values) {
    const out = new Map();
    for (const row of table.tokens) {
      const v = tokenValue(row, values);
      if (v !== undefined) out.set(row.token, v);
    }
    return out;
  }

  // The property changes of one key event, as [path, value] pairs: `value`
  // is the event's value (a lever's 0..16384), `phase` "press" or
  // "release" (only a momentary event does something on release). Empty
  // for an event without a counterpart; null for one the page carries out
  // itself ("local") or does not know.
  function eventChanges(row, value, phase, values) {
    if (!row || row.local !== undefined) return null;
    const write = row.write;
    if (!write) return [];
    const current = (p) => values.get(canonical(p));
    if (write.momentary) return [[write.momentary, phase !== 'release']];
    if (phase === 'release') return [];
    if (write.toggle) {
      const v = current(write.toggle);
      return [[write.toggle, typeof v === 'number' ? (v > 0 ? 0 : 1) : !truthy(v)]];
    }
    if (write.step) {
      let v = number(current(write.step));
      if (Number.isNaN(v)) v = write.min !== undefined ? write.min : write.wrap ? write.wrap[0] : 0;
      v += write.by;
      if (write.grid) v = Math.round(v / write.grid) * write.grid;
      if (write.min !== undefined) v = Math.max(write.min, v);
      if (write.max !== undefined) v = Math.min(write.max, v);
      if (write.wrap) v = wrapped(v, write.wrap[0], write.wrap[1]);
      return [[write.step, v]];
    }
    if (write.lever) return [[write.lever, Math.min(1, Math.max(0, number(value) / LEVER_FULL))]];
    if (write.set) return Object.keys(write.set).map((p) => [p, write.set[p]]);
    if (write.cycle) {
      const choices = write.values.map(canonical);
      const at = choices.indexOf(canonical(current(write.cycle)));
      return [[write.cycle, write.values[(at + 1) % write.values.length]]];
    }
    throw new Error(`event ${row.event}: nothing to write`);
  }

  // The link. options: table, setToken(token, value), onStatus(status),
  // and for tests WebSocket (a constructor) and now() (milliseconds).
  class Link {
    constructor(options) {
      this.table = options.table;
      this.setToken = options.setToken || function () {};
      this.onStatus = options.onStatus || function () {};
      this.WebSocket = options.WebSocket || (typeof WebSocket !== 'undefined' ? WebSocket : null);
      this.now = options.now || (() => Date.now());
      this.paths = properties(this.table);
      this.values = new Map();
      this.tokens = new Map();
      // Properties set by the page that FlightGear has not confirmed yet.
      this.pending = new Map();
      this.events = new Map(this.table.events.map((row) => [row.event, row]));
      // Which token rows each property feeds.
      this.readers = new Map();
      for (const row of this.table.tokens) {
        const read = row.read;
        if (!read) continue;
        for (const p of (read.paths || [read.path]).concat(read.when ? [read.when] : [])) {
          const key = canonical(p);
          if (!this.readers.has(key)) this.readers.set(key, []);
          this.readers.get(key).push(row);
        }
      }
      this.socket = null;
      this.address = null;
      this.state = 'off';
      this.lastData = 0;
      this.lastRefresh = 0;
      this.timer = null;
      this.retry = null;
    }

    // Starts linking to FlightGear's web server at host:port; keeps trying
    // until disconnect().
    connect(address) {
      this.disconnect();
      this.address = address;
      // Tokens without a counterpart that have a value of their own.
      for (const row of this.table.tokens) {
        if (!row.read && row.value !== undefined) this.deliver(row.token, row.value);
      }
      this.open();
      this.timer = setInterval(() => this.check(), CHECK_EVERY_MS);
    }

    disconnect() {
      this.address = null;
      clearInterval(this.timer);
      clearTimeout(this.retry);
      this.timer = this.retry = null;
      if (this.socket) {
        const socket = this.socket;
        this.socket = null;
        socket.onclose = socket.onerror = socket.onmessage = socket.onopen = null;
        try { socket.close(); } catch (e) { /* already closed */ }
      }
      this.values.clear();
      this.tokens.clear();
      this.pending.clear();
      this.lastData = 0;
      this.setState('off');
    }

    // { state, address, ageMs }: the age of the newest data, Infinity
    // before any arrived.
    status() {
      return { state: this.state, address: this.address,
               ageMs: this.lastData ? this.now() - this.lastData : Infinity };
    }

    // Sends the property changes of a key event. True when the event was
    // FlightGear's business (done, or nothing to do there), false when the
    // page should carry it out itself. Without a connection FlightGear's
    // events do nothing: the panel does not show what FlightGear never got.
    fireEvent(event, value, phase) {
      const changes = eventChanges(this.events.get(event), value || 0, phase || 'press', this.values);
      if (changes === null) return false;
      if (!this.socket || this.socket.readyState !== 1) return true;
      for (const change of changes) {
        const path = canonical(change[0]);
        this.send({ command: 'set', node: path, value: change[1] });
        // Known at once, so a second click before FlightGear answers steps
        // from this value and the panel moves without waiting.
        this.pending.set(path, { value: change[1], until: this.now() + PENDING_MS });
        this.receive(path, change[1], false);
      }
      return true;
    }

    // ----------------------------------------------------------------

    setState(state) {
      if (state === this.state) return;
      this.state = state;
      this.onStatus(this.status());
    }

    open() {
      if (!this.address || !this.WebSocket) return;
      this.setState(this.state === 'off' ? 'connecting' : this.state);
      let socket;
      try {
        socket = new this.WebSocket(`ws://${this.address}/PropertyListener`);
      } catch (e) {
        this.scheduleReconnect();
        return;
      }
      this.socket = socket;
      socket.onopen = () => {
        for (const node of this.paths) this.send({ command: 'addListener', node });
        // A listener speaks only when its property changes: the values of
        // now come with a get.
        this.refresh();
      };
      socket.onmessage = (message) => {
        let data;
        try {
          data = JSON.parse(message.data);
        } catch (e) {
          return;
        }
        if (data && typeof data.path === 'string') this.receive(canonical(data.path), data.value, true);
      };
      socket.onclose = () => {
        if (this.socket !== socket) return;
        this.socket = null;
        // Stale once data came; before, still trying to connect.
        this.setState(this.lastData ? 'stale' : 'connecting');
        this.scheduleReconnect();
      };
      socket.onerror = () => {};
    }

    scheduleReconnect() {
      if (!this.address) return;
      clearTimeout(this.retry);
      this.retry = setTimeout(() => this.open(), RECONNECT_EVERY_MS);
    }

    refresh() {
      this.lastRefresh = this.now();
      for (const node of this.paths) this.send({ command: 'get', node });
    }

    send(message) {
      if (this.socket && this.socket.readyState === 1) this.socket.send(JSON.stringify(message));
    }

    receive(path, value, fromFlightGear) {
      if (fromFlightGear) {
        this.lastData = this.now();
        if (this.state !== 'connected') this.setState('connected');
        const pending = this.pending.get(path);
        if (pending) {
          if (!same(pending.value, value) && this.now() < pending.until) return;
          this.pending.delete(path);
        }
      }
      if (value === undefined) return;
      this.values.set(path, value);
      for (const row of this.readers.get(path) || []) {
        const v = tokenValue(row, this.values);
        if (v !== undefined) this.deliver(row.token, v);
      }
    }

    deliver(token, value) {
      if (this.tokens.get(token) === value) return;
      this.tokens.set(token, value);
      this.setToken(token, value);
    }

    check() {
      if (this.state === 'connected' && this.now() - this.lastRefresh >= REFRESH_EVERY_MS) this.refresh();
      if (this.state === 'connected' && this.now() - this.lastData > STALE_AFTER_MS) this.setState('stale');
      else this.onStatus(this.status());
    }
  }

  return { canonical, properties, tokenValue, tokenValues, eventChanges, Link,
           STALE_AFTER_MS, HEARTBEAT };
});
