// The page's FlightGear controls: the address (remembered), connect and
// disconnect, the link's status with the age of its data, and the flag over
// the panel when the data is stale. While linked, FlightGear flies the
// aircraft: its values set the tokens, the panel's clicks change its
// properties (web/flightgear.js does both through the table), and the page's
// sliders, demo and engine clock stand aside. Runs after page.js
// (Emscripten's --pre-js), once the panel is ready; the link tells its
// status four times a second while it runs.
'use strict';

(function () {
  const TABLE_FILE = '/flightgear/table.json';
  const ADDRESS_KEY = 'tavrel.flightgear.address';
  const DEFAULT_ADDRESS = 'localhost:8080';

  const $ = (id) => document.getElementById(id);
  let link = null;
  let engineTime = 0;      // the engine-time token's number
  let lastHobbs = null;    // FlightGear's engine time as last read

  function storedAddress() {
    try {
      return localStorage.getItem(ADDRESS_KEY) || DEFAULT_ADDRESS;
    } catch (e) {
      return DEFAULT_ADDRESS;  // storage refused (a file:// page in some browsers)
    }
  }

  function storeAddress(address) {
    try {
      localStorage.setItem(ADDRESS_KEY, address);
    } catch (e) { /* not remembered */ }
  }

  // FlightGear's engine time counts from its own start: only its rises go
  // into the panel's, so the hour meter counts the time the engine ran
  // while linked, never the hours FlightGear had before.
  function setToken(token, value) {
    const tavrel = window.tavrel;
    if (token !== engineTime) {
      tavrel.setToken(token, value);
      return;
    }
    if (lastHobbs !== null && value > lastHobbs) tavrel.setToken(token, tavrel.token(token) + value - lastHobbs);
    lastHobbs = value;
  }

  function describe(status) {
    const age = Number.isFinite(status.ageMs) ? `${(status.ageMs / 1000).toFixed(1)} s` : 'none yet';
    switch (status.state) {
      case 'connected': return `FlightGear ${status.address}: connected, data ${age} old`;
      case 'stale': return `FlightGear ${status.address}: nothing for ${age}, the needles hold`;
      case 'connecting': return `FlightGear ${status.address}: connecting…`;
      default: return 'FlightGear: not connected';
    }
  }

  function show() {
    const status = link ? link.status() : { state: 'off' };
    $('fg-status').textContent = describe(status);
    $('fg-status').dataset.state = status.state;
    $('fg-flag').hidden = status.state !== 'stale';
    $('fg-connect').textContent = status.state === 'off' ? 'Connect' : 'Disconnect';
  }

  function connect(address) {
    address = String(address || '').trim() || DEFAULT_ADDRESS;
    $('fg-address').value = address;
    storeAddress(address);
    lastHobbs = null;
    window.tavrel.setOutside(true);
    link.connect(address);
    show();
  }

  function disconnect() {
    link.disconnect();
    window.tavrel.setOutside(false);
    show();
  }

  function start() {
    const table = JSON.parse(new TextDecoder().decode(Module.FS.readFile(TABLE_FILE)));
    engineTime = window.tavrel.catalogue().tokens.find((t) => t.name === 'engine_time').number;
    link = new TavrelFlightGear.Link({ table, setToken, onStatus: show });
    Module.onKeyEvent = (event, value, release) =>
      link.status().state !== 'off' && link.fireEvent(event, value, release ? 'release' : 'press');
    $('fg-address').value = storedAddress();
    $('fg-connect').addEventListener('click', () => (link.status().state === 'off' ? connect($('fg-address').value)
                                                                                     : disconnect()));
    $('fg-address').addEventListener('keydown', (e) => {
      if (e.key === 'Enter') connect($('fg-address').value);
    });
    show();
    window.tavrel.flightgear = { connect, disconnect, status: () => link.status() };
  }

  window.tavrel.ready.then(start, () => {});
})();
