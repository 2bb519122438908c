// The page around the panel: the display (the canvas at the device's
// pixels, fitted, zoomed and panned), the frame clock, pointer, touch,
// wheel and keyboard, the toolbar, the flight-state sliders, the demo
// flight, the click sound, the hours kept in the browser's storage and
// files loaded from disk. Runs before the module (Emscripten's --pre-js),
// so it can mount the storage before the hour meter is placed.
'use strict';

(function () {
  const HOURS_FOLDER = '/gauges';
  const DEFAULT_PANEL = '/panels/default.cfg';
  // Zoom limits (times the fitted size); a touch held this long on a box
  // presses it (a shorter one is a tap, a move this far a pan).
  const MAX_ZOOM = 8;
  const HOLD_MS = 150;
  const TAP_SLOP_PX = 10;
  // The host's cursors over click boxes (module/records.h).
  const CURSOR_PLUS = 1;
  const CURSOR_MINUS = 2;
  const MOUSE_DRAG = 0x00800000;
  const SAVE_EVERY_MS = 30000;

  let resolveReady;
  let rejectReady;
  const ready = new Promise((resolve, reject) => {
    resolveReady = resolve;
    rejectReady = reject;
  });

  const $ = (id) => document.getElementById(id);
  let canvas, context, image;
  let lastFrameMs = 0;
  let lastDrawn = 0;
  let lastTick = 0;
  let pointerDown = false;
  let audio = null;
  let clickBuffer = null;
  let demo = null;  // {start}

  // The flight-state sliders: which tokens of the catalogue, by name, and
  // the step of each. Everything else (the token's number, its meaning, the
  // unit the instruments are marked in, how that turns into the host's
  // unit, and the range the instruments show) comes from the catalogue the
  // module exports (tv_catalogue), once it is running.
  const SLIDERS = [
    ['airspeed', 'indicated_airspeed', 1],
    ['altitude', 'indicated_altitude', 10],
    ['pitch', 'pitch', 0.5],
    ['bank', 'bank', 0.5],
    ['heading', 'gyro_heading', 1, ['magnetic_heading']],
    ['vspeed', 'vertical_speed', 10],
    ['rpm', 'engine_rpm', 10],
    ['manifold', 'manifold_pressure', 0.1],
    ['oilTemp', 'oil_temperature', 1],
    ['oilPress', 'oil_pressure', 1],
    ['cht', 'cylinder_head_temperature', 1],
    ['carb', 'carburettor_air', 0.5],
    ['fuelPress', 'fuel_pressure', 0.1],
    ['front', 'front_tank', 1],
    ['center', 'center_tank', 1],
    ['rear', 'rear_tank', 1],
    ['amps', 'electrical_load', 0.5],
    ['volts', 'bus_voltage', 0.1],
    ['suction', 'suction', 0.1],
  ];
  let CATALOGUE = null;  // {tokens: [...], key_events: [...], ...}
  let FLIGHT = [];
  const TOKEN = {};  // token number by name
  const capital = (text) => text.charAt(0).toUpperCase() + text.slice(1);

  function readCatalogue() {
    CATALOGUE = JSON.parse(text(Module._tv_catalogue()));
    for (const t of CATALOGUE.tokens) TOKEN[t.name] = t.number;
    const byName = Object.fromEntries(CATALOGUE.tokens.map((t) => [t.name, t]));
    FLIGHT = SLIDERS.map(([key, name, step, also]) => {
      const t = byName[name];
      const { per_unit: perUnit, offset } = t.shown;
      return { key, token: t.number, also: (also || []).map((n) => TOKEN[n]), label: capital(t.meaning),
               unit: t.shown.unit, min: t.low, max: t.high, step,
               to: (v) => v * perUnit + offset, from: (v) => (v - offset) / perUnit };
    });
  }

  // The demo flight: a circuit from a standing start, as a pilot flies it.
  // Key moments in the pilot's units; between two, a value eases from one
  // to the next, and stays put where no later moment names it. Altitude
  // and heading are not keyed: they follow the flight, the altitude from
  // the vertical speed and the heading from the bank and airspeed (a
  // coordinated turn), so the aircraft stands still on the ground until it
  // rolls and turns only while banked. Switch settings (`set`, tokens of
  // the catalogue) happen at their moment. Engine start on the ground and
  // run-up, take-off roll, rotation, a climb with a turn, cruise with a
  // turn, a descent with two turns, the flare and the landing roll, and
  // the engine at idle on the ground at the end (about four minutes).
  const DEMO_START_HEADING = 270;
  const DEMO = [
    { t: 0, airspeed: 0, pitch: 0, bank: 0, vspeed: 0, rpm: 0, manifold: 29.9,
      oilTemp: 60, oilPress: 0, cht: 49, carb: 12, fuelPress: 0, front: 90, center: 70, rear: 60,
      amps: 0, volts: 0, suction: 0, throttle: 0,
      set: { battery_master: 0, avionics_master: 0, left_magneto: 0, right_magneto: 0, starter: 0,
             nav_lights: 0, beacon_lights: 0, landing_lights: 0, gear_position: 16383, flap_position: 0,
             tank_selector: 2 } },
    { t: 3, set: { battery_master: 1 }, volts: 24.2, amps: -2 },
    { t: 5, set: { left_magneto: 1, right_magneto: 1 }, rpm: 0 },
    { t: 6, set: { starter: 1 }, volts: 24.2 },
    { t: 7.5, rpm: 250, volts: 21 },
    { t: 8, set: { starter: 0, beacon_lights: 1, nav_lights: 1 }, rpm: 800, manifold: 14, oilPress: 25,
      fuelPress: 4, amps: 12, volts: 27.8, suction: 3.5, throttle: 0.1 },
    { t: 12, set: { avionics_master: 1 }, oilPress: 60, oilTemp: 90, suction: 4.5, amps: 6, volts: 28.2 },
    // Run-up, standing: the brakes hold it.
    { t: 14, rpm: 800, manifold: 14, throttle: 0.1 },
    { t: 16, rpm: 1700, manifold: 20, throttle: 0.45, suction: 5 },
    { t: 18.5, rpm: 1700, manifold: 20, throttle: 0.45, oilTemp: 110, cht: 93 },
    { t: 20.5, rpm: 900, manifold: 15, throttle: 0.15 },
    { t: 24, rpm: 900, manifold: 15, throttle: 0.15, set: { landing_lights: 1 } },
    // Take-off roll on runway 27, rotation, lift-off.
    { t: 27, rpm: 2550, manifold: 28.5, throttle: 1, airspeed: 0 },
    { t: 40, airspeed: 60, pitch: 0, rpm: 2600, cht: 127 },
    { t: 41, airspeed: 63, vspeed: 0 },
    { t: 42.5, pitch: 8 },
    { t: 45, airspeed: 75, vspeed: 1500 },
    { t: 48, set: { gear_position: 0, landing_lights: 0 }, pitch: 7, airspeed: 80 },
    { t: 52, rpm: 2450, manifold: 25, throttle: 0.85, cht: 180, oilTemp: 150 },
    // A climbing turn to the right.
    { t: 58, bank: 0 }, { t: 61, bank: 20 }, { t: 76, bank: 20 }, { t: 79, bank: 0 },
    // Level off and cruise.
    { t: 90, vspeed: 1500, pitch: 7, airspeed: 80, cht: 199, oilTemp: 170, carb: 6 },
    { t: 96, vspeed: 0, pitch: 2 },
    { t: 102, airspeed: 110, rpm: 2350, manifold: 22, throttle: 0.72, front: 87 },
    { t: 106, bank: 0 }, { t: 109, bank: 20 }, { t: 128, bank: 20 }, { t: 131, bank: 0 },
    // Descent, throttled back, with two turns to the runway.
    { t: 140, vspeed: 0, pitch: 2, airspeed: 110, rpm: 2350, manifold: 22, throttle: 0.72 },
    { t: 144, vspeed: -1000, pitch: -3, airspeed: 100, rpm: 2000, manifold: 17, throttle: 0.45, carb: 2 },
    { t: 150, bank: 0 }, { t: 153, bank: 20 }, { t: 171, bank: 20 }, { t: 174, bank: 0 },
    { t: 180, set: { gear_position: 16383, landing_lights: 1 }, airspeed: 95, cht: 160, oilTemp: 165 },
    { t: 182, bank: 0 }, { t: 185, bank: 20 }, { t: 201, bank: 20 }, { t: 204, bank: 0 },
    { t: 200, set: { flap_position: 5461 }, airspeed: 80, rpm: 1800, manifold: 15, throttle: 0.35 },
    { t: 212.5, vspeed: -1000, pitch: -3, airspeed: 70, front: 84 },
    // The flare and touch-down.
    { t: 218.5, vspeed: -300, pitch: 4, airspeed: 65, rpm: 800, manifold: 14, throttle: 0.1 },
    { t: 222.5, vspeed: 0, pitch: 5, airspeed: 60 },
    // The landing roll, to a stop at idle.
    { t: 225, pitch: 0 },
    { t: 238, airspeed: 0, rpm: 800, manifold: 14, throttle: 0.1,
      set: { flap_position: 0, landing_lights: 0 } },
    { t: 242 },
  ];
  const DEMO_SECONDS = DEMO[DEMO.length - 1].t;
  // The flight path, worked out once: altitude and heading every step.
  const DEMO_STEP = 0.05;
  let demoPath = null;

  function ease(a) {
    return a * a * (3 - 2 * a);
  }

  // The demo's value of one key at time t: from the last moment that named
  // it to the next one.
  function demoValue(key, t) {
    let before = null;
    let after = null;
    for (const m of DEMO) {
      if (!(key in m)) continue;
      if (m.t <= t) {
        if (before === null || m.t >= before.t) before = m;
      } else if (after === null || m.t < after.t) {
        after = m;
      }
    }
    if (before === null) return after ? after[key] : undefined;
    if (after === null) return before[key];
    return before[key] + (after[key] - before[key]) * ease((t - before.t) / (after.t - before.t));
  }

  // Altitude (feet) from the vertical speed (feet a minute), heading from a
  // coordinated turn: rate in degrees a second = 1091 tan(bank) / knots.
  function demoFlightPath() {
    const steps = Math.ceil(DEMO_SECONDS / DEMO_STEP) + 1;
    const altitude = new Float64Array(steps);
    const heading = new Float64Array(steps);
    heading[0] = DEMO_START_HEADING;
    for (let i = 1; i < steps; i++) {
      const t = (i - 0.5) * DEMO_STEP;  // the middle of the step
      altitude[i] = Math.max(0, altitude[i - 1] + demoValue('vspeed', t) / 60 * DEMO_STEP);
      heading[i] = heading[i - 1] + demoTurnRate(t) * DEMO_STEP;
    }
    return { altitude, heading };
  }

  function demoTurnRate(t) {
    const knots = demoValue('airspeed', t);
    if (knots < 1) return 0;
    return 1091 * Math.tan(demoValue('bank', t) * Math.PI / 180) / knots;
  }

  function demoPathAt(series, t) {
    const x = Math.min(t, DEMO_SECONDS) / DEMO_STEP;
    const i = Math.min(Math.floor(x), series.length - 2);
    return series[i] + (series[i + 1] - series[i]) * (x - i);
  }

  function runDemo(seconds) {
    const t = Math.min(seconds, DEMO_SECONDS);
    if (!demoPath) demoPath = demoFlightPath();
    const values = { altitude: demoPathAt(demoPath.altitude, t),
                     heading: ((demoPathAt(demoPath.heading, t) % 360) + 360) % 360 };
    for (const f of FLIGHT) {
      const v = f.key in values ? values[f.key] : demoValue(f.key, t);
      if (v !== undefined) setPilot(f, v);
    }
    setToken(TOKEN.throttle_lever, demoValue('throttle', t));
    // The turn pointer: a standard-rate turn (3 degrees a second) at three
    // units of the dial; the ball stays in the middle.
    setToken(TOKEN.turn_rate, demoTurnRate(t) * 256);
    setToken(TOKEN.ball_deflection, 0);
    for (const m of DEMO) {
      if (m.set && m.t <= t && !demo.done.has(m)) {
        demo.done.add(m);
        for (const [name, value] of Object.entries(m.set)) setToken(TOKEN[name], value);
      }
    }
    if (seconds >= DEMO_SECONDS) setDemo(false);
  }

  // The demo flight on or off (its button shows which), from its start or
  // from a later second of it.
  function setDemo(on, fromSeconds = 0) {
    demo = on ? { start: performance.now() - fromSeconds * 1000, done: new Set() } : null;
    $('demo').setAttribute('aria-pressed', on ? 'true' : 'false');
    $('demo').textContent = on ? 'Stop demo' : 'Demo flight';
  }

  // While an outside simulator flies the aircraft, the values are its: the
  // sliders and the demo stand aside, and the panel's clicks go to it.
  function setOutside(on) {
    if (on) setDemo(false);
    $('demo').disabled = on;
    for (const f of FLIGHT) f.input.disabled = on;
    Module._tv_set_outside(on ? 1 : 0);
  }

  function setPilot(f, value) {
    setToken(f.token, f.to(value));
    for (const t of f.also) setToken(t, f.to(value));
  }

  // Every token the page writes goes through here.
  function setToken(number, value) {
    if (number > 0 && value !== undefined) Module._tv_set_token(number, value);
  }

  function buildSliders() {
    const box = $('sliders');
    for (const f of FLIGHT) {
      const row = document.createElement('label');
      row.className = 'slider';
      row.innerHTML = `<span>${f.label}</span><input type="range" min="${f.min}" max="${f.max}" ` +
        `step="${f.step}" data-key="${f.key}"><output></output>`;
      const input = row.querySelector('input');
      f.input = input;
      f.output = row.querySelector('output');
      f.shown = null;
      input.addEventListener('input', () => {
        setPilot(f, Number(input.value));
        showSlider(f);
      });
      box.appendChild(row);
    }
  }

  // The slider follows its token (a click or the demo changes it too);
  // the page is touched only when the value did change.
  function showSlider(f) {
    const value = f.from(Module._tv_token(f.token));
    if (value === f.shown && document.activeElement !== f.input) return;
    f.shown = value;
    if (document.activeElement !== f.input) f.input.value = String(value);
    const digits = f.step < 1 ? 1 : 0;
    f.output.textContent = `${value.toFixed(digits)} ${f.unit}`;
  }

  // The flight-state sliders shown or hidden (beside the panel on a wide
  // screen, over it on a narrow one).
  function showSliders(on) {
    document.body.classList.toggle('sliders', on);
    $('show-sliders').setAttribute('aria-pressed', on ? 'true' : 'false');
    if (on) for (const f of FLIGHT) showSlider(f);
    layout();
  }

  function text(ptr) {
    return Module.UTF8ToString(ptr);
  }

  function call(name, returns, types, args) {
    return Module.ccall(name, returns, types, args);
  }

  function showWarnings() {
    const warnings = call('tv_warnings', 'string', [], []);
    if ($('warnings').textContent !== warnings) $('warnings').textContent = warnings;
  }

  // ---- The display: fitted, zoomed and panned, at the device's pixels.
  //
  // The canvas has CSS size × devicePixelRatio pixels and the panel is drawn
  // at that scale (not stretched). Fitted, the panel fills the stage in
  // the direction that limits it; unfitted, a panel pixel is a CSS pixel.
  // Zoom multiplies that; pan is the panel point at the canvas's top left.
  const view = { css: 1, zoom: 1, x: 0, y: 0, scale: 1, fit: true };

  function panelSize() {
    return [Module._tv_panel_width(), Module._tv_panel_height()];
  }

  function layout() {
    if (!canvas) return;
    const stage = $('stage');
    const [pw, ph] = panelSize();
    const sw = Math.max(1, stage.clientWidth);
    const sh = Math.max(1, stage.clientHeight);
    const base = view.fit ? Math.min(sw / pw, sh / ph) : 1;
    view.css = base * view.zoom;
    // Whole CSS pixels, no larger than the stage.
    const cw = Math.max(1, Math.min(sw, Math.floor(pw * view.css + 1e-6)));
    const ch = Math.max(1, Math.min(sh, Math.floor(ph * view.css + 1e-6)));
    view.x = Math.min(Math.max(0, view.x), Math.max(0, pw - cw / view.css));
    view.y = Math.min(Math.max(0, view.y), Math.max(0, ph - ch / view.css));
    const dpr = window.devicePixelRatio || 1;
    const width = Math.round(cw * dpr);
    const height = Math.round(ch * dpr);
    canvas.style.width = `${cw}px`;
    canvas.style.height = `${ch}px`;
    // On whole device pixels, or the browser would resample the picture.
    canvas.style.transform = '';
    const r = canvas.getBoundingClientRect();
    const snap = (v) => (Math.round(v * dpr) - v * dpr) / dpr;
    canvas.style.transform = `translate(${snap(r.left)}px, ${snap(r.top)}px)`;
    view.scale = view.css * (width / cw);
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      image = null;
    }
    Module._tv_set_view(width, height, view.scale, view.x * view.scale, view.y * view.scale);
    placeFocus();
  }

  // Zoom by a factor about a point of the page (client pixels), keeping
  // the panel point under it where it is.
  function zoomAbout(factor, clientX, clientY) {
    const [px, py] = panelPoint({ clientX, clientY });
    zoomTo(view.zoom * factor, px, py, clientX, clientY);
  }

  // Zoom to a level with panel point (px, py) under a point of the page,
  // as near as the panel's edges allow.
  function zoomTo(zoom, px, py, clientX, clientY) {
    view.zoom = Math.min(MAX_ZOOM, Math.max(1, zoom));
    layout();
    const r = canvas.getBoundingClientRect();
    view.x = px - (clientX - r.left) / view.css;
    view.y = py - (clientY - r.top) / view.css;
    layout();
  }

  function panBy(dx, dy) {  // client pixels
    view.x -= dx / view.css;
    view.y -= dy / view.css;
    layout();
  }

  function resetZoom() {
    view.zoom = 1;
    view.x = view.y = 0;
    layout();
  }

  // ---- The frame: update every frame, draw where something changed.

  const frameTimes = [];

  function frame() {
    const t0 = performance.now();
    const seconds = lastTick ? (t0 - lastTick) / 1000 : 0;
    lastTick = t0;
    if (demo) runDemo((t0 - demo.start) / 1000);
    Module._tv_tick(seconds);
    lastDrawn = Module._tv_frame();
    present(lastDrawn);
    lastFrameMs = performance.now() - t0;
    frameTimes.push(lastFrameMs);
    if (frameTimes.length > 120) frameTimes.shift();
    if (document.body.classList.contains('sliders')) for (const f of FLIGHT) showSlider(f);
    syncLights();  // the panel's own switch turns them on and off too
    if (lastDrawn > 0) {
      showWarnings();
      syncWindows();  // a window opened or closed redraws the screen
    }
  }

  // ---- The panel's windows: a list to open and close any of them, as the
  // host's menu does; the keyboard's boxes follow what is open.
  let windowsShown = '';
  function syncWindows() {
    const json = call('tv_windows', 'string', [], []);
    if (json === windowsShown) return;
    windowsShown = json;
    const list = $('windows-list');
    list.textContent = '';
    const windows = JSON.parse(json);
    // (No destructuring in for-of: Emscripten's optimiser mangles it.)
    for (const w of windows) {
      const ident = w[0], title = w[1], open = w[2];
      const row = document.createElement('label');
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.checked = open;
      box.dataset.ident = String(ident);
      box.addEventListener('change', () => {
        Module._tv_show_window(ident, box.checked ? 1 : 0);
        frame();
      });
      row.append(box, ` ${title || 'window ' + ident}`);
      list.appendChild(row);
    }
    $('windows-menu').hidden = windows.length < 2;
    readAreas();
  }

  // The rectangles the frame drew, from the canvas's pixels straight into
  // the page's canvas (an ImageData over the module's memory: no copy).
  function present(count) {
    if (count === 0) return;
    const w = Module._tv_width();
    const h = Module._tv_height();
    const ptr = Module._tv_pixels();
    if (!image || image.data.buffer !== Module.HEAPU8.buffer || image.data.byteOffset !== ptr ||
        image.width !== w || image.height !== h) {
      image = new ImageData(new Uint8ClampedArray(Module.HEAPU8.buffer, ptr, w * h * 4), w, h);
    }
    const rects = new Int32Array(Module.HEAPU8.buffer, Module._tv_drawn(), count * 4);
    for (let i = 0; i < count; i++) {
      const [x0, y0, x1, y1] = rects.subarray(i * 4, i * 4 + 4);
      context.putImageData(image, 0, 0, x0, y0, x1 - x0, y1 - y0);
    }
  }

  function loop() {
    frame();
    showFrameTime();
    requestAnimationFrame(loop);
  }

  let frameTimeShown = 0;
  function showFrameTime() {
    if (!$('show-frame-time').checked) return;
    const now = performance.now();
    if (now - frameTimeShown < 250) return;
    frameTimeShown = now;
    const sorted = frameTimes.slice().sort((a, b) => a - b);
    const median = sorted[sorted.length >> 1] || 0;
    $('frame-time').textContent =
      `frame ${median.toFixed(2)} ms (median of ${sorted.length}), slowest ` +
      `${(sorted[sorted.length - 1] || 0).toFixed(2)} ms; ${canvas.width}×${canvas.height} px`;
  }

  // A point of the page (client pixels) in panel pixels.
  function panelPoint(event) {
    const r = canvas.getBoundingClientRect();
    return [view.x + (event.clientX - r.left) / view.css, view.y + (event.clientY - r.top) / view.css];
  }

  // A panel point in client pixels.
  function clientPoint(px, py) {
    const r = canvas.getBoundingClientRect();
    return [r.left + (px - view.x) * view.css, r.top + (py - view.y) * view.css];
  }

  // The click box under a panel point: {cursor, flags}, or null.
  function boxAt(px, py) {
    const box = call('tv_box_at', 'string', ['number', 'number'], [px, py]);
    if (!box) return null;
    const [cursor, flags] = box.split(' ').map(Number);
    return { cursor, flags };
  }

  // The host's cursor kinds: a hand on a click spot, a turn up or down on
  // the halves of knobs and levers.
  const svgCursor = (sign) => `url("data:image/svg+xml,${encodeURIComponent(
    '<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24"><circle cx="12" cy="12" r="9" ' +
    'fill="white" stroke="black" stroke-width="1.5"/><path d="M7 12h10' + (sign > 0 ? 'M12 7v10' : '') +
    '" stroke="black" stroke-width="2.5"/></svg>')}") 12 12`;
  const CURSORS = {
    [CURSOR_PLUS]: `${svgCursor(1)}, n-resize`,
    [CURSOR_MINUS]: `${svgCursor(-1)}, s-resize`,
  };
  function cursorFor(box) {
    if (!box) return view.zoom > 1 ? 'grab' : 'default';
    return CURSORS[box.cursor] || 'pointer';
  }
  let shownCursor = '';
  function showCursor(kind) {
    if (kind !== shownCursor) {
      canvas.style.cursor = kind;
      canvas.dataset.cursor = kind.startsWith('url') ? (kind.includes('n-resize') ? 'plus' : 'minus') : kind;
      shownCursor = kind;
    }
  }

  function showTooltip(event) {
    const [x, y] = panelPoint(event);
    const tip = call('tv_tooltip', 'string', ['number', 'number'], [x, y]);
    const box = $('tooltip');
    if (!tip) {
      box.style.display = 'none';
      box.dataset.id = '';
      return;
    }
    const [id, words, gauge] = tip.split('\t');
    box.innerHTML = '';
    box.append(words || gauge);
    const idSpan = document.createElement('span');
    idSpan.className = 'id';
    idSpan.textContent = `(${gauge}, help id ${id})`;
    box.append(idSpan);
    box.dataset.id = id;
    box.style.left = `${Math.min(event.clientX + 14, window.innerWidth - box.offsetWidth - 4)}px`;
    box.style.top = `${event.clientY + 18}px`;
    box.style.display = 'block';
  }

  // The click is decoded as the page starts; the browser lets the sound
  // out once the user has pressed something (resume() on the first press).
  function startAudio() {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    audio = new Context();
    try {
      const bytes = Module.FS.readFile(text(Module._tv_art_dir()) + '/click.wav');
      audio.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length))
        .then((buffer) => { clickBuffer = buffer; },
              (error) => console.warn('the click sound does not decode:', error));
    } catch (e) {
      console.warn('the click sound could not be read:', e.message);
    }
  }

  Module.onClickSound = () => {
    if (!audio || !clickBuffer) return;
    const source = audio.createBufferSource();
    source.buffer = clickBuffer;
    source.connect(audio.destination);
    source.start();
  };

  // ---- Clicks. Every press of the panel goes through pressAt (the host
  // fires the box's key event or calls its function there) and ends with
  // releasePress.
  function pressAt(px, py) {
    if (audio && audio.state === 'suspended') audio.resume();
    pointerDown = Module._tv_pointer_down(px, py) === 1;
    return pointerDown;
  }

  function releasePress() {
    if (!pointerDown) return;
    pointerDown = false;
    Module._tv_pointer_up();
  }

  // Pointers: a mouse presses at once; a touch on a box waits a moment
  // (HOLD_MS) so that a second finger makes a pinch and a move a pan, and
  // a touch lifted sooner is a tap. A box that follows drags is pressed at
  // once by any pointer.
  const pointers = new Map();  // id -> {x, y, startX, startY}
  let gesture = null;  // {kind: 'press'|'pending'|'pan'|'pinch', ...}

  function pinchState() {
    const [a, b] = [...pointers.values()];
    const mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    return { dist: Math.hypot(a.x - b.x, a.y - b.y) || 1, mx, my };
  }

  function startPinch() {
    if (gesture && gesture.timer) clearTimeout(gesture.timer);
    releasePress();
    // The panel point between the fingers stays between them.
    const p = pinchState();
    const [px, py] = panelPoint({ clientX: p.mx, clientY: p.my });
    gesture = { kind: 'pinch', dist: p.dist, zoom: view.zoom, px, py };
  }

  function hookPointer() {
    canvas.addEventListener('pointerdown', (event) => {
      if (event.pointerType === 'mouse' && event.button !== 0) return;
      event.preventDefault();
      canvas.focus({ preventScroll: true });
      try { canvas.setPointerCapture(event.pointerId); } catch (e) { /* a synthetic pointer */ }
      pointers.set(event.pointerId, { x: event.clientX, y: event.clientY,
                                      startX: event.clientX, startY: event.clientY });
      if (pointers.size === 2) return startPinch();
      if (pointers.size > 2) return;
      const [px, py] = panelPoint(event);
      const box = boxAt(px, py);
      const draggable = box ? -1 : Module._tv_draggable_window_at(px, py);
      if (draggable >= 0) {
        gesture = { kind: 'window', ident: draggable, px, py };
      } else if (!box) {
        gesture = { kind: 'pan' };
      } else if (event.pointerType === 'mouse' || (box.flags & MOUSE_DRAG)) {
        pressAt(px, py);
        gesture = { kind: 'press' };
      } else {
        gesture = { kind: 'pending', px, py,
                    timer: setTimeout(() => {
                      if (gesture && gesture.kind === 'pending') {
                        pressAt(gesture.px, gesture.py);
                        gesture = { kind: 'press' };
                      }
                    }, HOLD_MS) };
      }
    });
    canvas.addEventListener('pointermove', (event) => {
      const p = pointers.get(event.pointerId);
      if (!p) {
        if (event.pointerType === 'mouse') {
          const [px, py] = panelPoint(event);
          showCursor(cursorFor(boxAt(px, py)));
          showTooltip(event);
        }
        return;
      }
      const dx = event.clientX - p.x, dy = event.clientY - p.y;
      p.x = event.clientX;
      p.y = event.clientY;
      if (!gesture) return;
      if (gesture.kind === 'pinch' && pointers.size === 2) {
        const now = pinchState();
        zoomTo(gesture.zoom * now.dist / gesture.dist, gesture.px, gesture.py, now.mx, now.my);
      } else if (gesture.kind === 'press') {
        const [px, py] = panelPoint(event);
        Module._tv_pointer_move(px, py);
      } else if (gesture.kind === 'pending') {
        if (Math.hypot(p.x - p.startX, p.y - p.startY) > TAP_SLOP_PX) {
          clearTimeout(gesture.timer);
          gesture = { kind: 'pan' };
          panBy(p.x - p.startX, p.y - p.startY);
        }
      } else if (gesture.kind === 'pan') {
        panBy(dx, dy);
      } else if (gesture.kind === 'window') {
        // The window follows the pointer by whole screen pixels.
        const [px, py] = panelPoint(event);
        const mx = Math.round(px - gesture.px), my = Math.round(py - gesture.py);
        if ((mx || my) && Module._tv_move_window(gesture.ident, mx, my)) {
          gesture.px += mx;
          gesture.py += my;
        }
      }
    });
    const up = (event) => {
      if (!pointers.delete(event.pointerId)) return;
      if (gesture && gesture.kind === 'pending') {
        clearTimeout(gesture.timer);
        // A tap: pressed and let go.
        if (event.type === 'pointerup') pressAt(gesture.px, gesture.py);
        releasePress();
        gesture = null;
      } else if (gesture && gesture.kind === 'press') {
        releasePress();
        gesture = null;
      } else if (gesture && gesture.kind === 'window') {
        readAreas();  // the moved window's boxes moved with it
        gesture = null;
      } else if (gesture && gesture.kind === 'pinch') {
        gesture = pointers.size === 1 ? { kind: 'pan' } : null;
      } else if (pointers.size === 0) {
        gesture = null;
      }
    };
    canvas.addEventListener('pointerup', up);
    canvas.addEventListener('pointercancel', up);
    canvas.addEventListener('pointerleave', (event) => {
      if (event.pointerType === 'mouse') $('tooltip').style.display = 'none';
    });
    // The wheel over a knob turns it a step a notch; with Ctrl (a
    // trackpad's pinch) it zooms.
    let wheelRest = 0;
    canvas.addEventListener('wheel', (event) => {
      if (event.ctrlKey) {
        event.preventDefault();
        zoomAbout(Math.exp(-event.deltaY / 300), event.clientX, event.clientY);
        return;
      }
      const [px, py] = panelPoint(event);
      const box = boxAt(px, py);
      if (!box || (box.cursor !== CURSOR_PLUS && box.cursor !== CURSOR_MINUS)) return;
      event.preventDefault();
      const delta = event.deltaMode === 0 ? event.deltaY : event.deltaY * 33;
      let notches;
      if (Math.abs(delta) >= 50) {
        notches = Math.max(1, Math.round(Math.abs(delta) / 100)) * Math.sign(delta);
        wheelRest = 0;
      } else {
        wheelRest += delta;
        notches = Math.trunc(wheelRest / 100);
        wheelRest -= notches * 100;
      }
      if (notches !== 0) Module._tv_turn(px, py, -notches);  // wheel away from you: up
    }, { passive: false });
    new ResizeObserver(() => layout()).observe($('stage'));
    // Moved to a screen of another density: the canvas follows.
    window.addEventListener('resize', () => layout());
  }

  // ---- Keyboard: Tab and Shift+Tab move the focus between the click boxes
  // (then on out of the panel), Enter or Space presses the box in focus
  // (held, it repeats), + and - zoom, 0 fits.
  let areas = [];
  let focused = -1;

  function readAreas() {
    areas = JSON.parse(call('tv_click_areas', 'string', [], []))
      .map(([gauge, x, y, width, height, cursor]) => ({ gauge, x, y, width, height, cursor }));
    focused = -1;
    placeFocus();
  }

  function placeFocus() {
    const ring = $('focus');
    if (!ring) return;
    const a = areas[focused];
    if (!a || document.activeElement !== canvas) {
      ring.style.display = 'none';
      return;
    }
    const stage = $('stage').getBoundingClientRect();
    const [x0, y0] = clientPoint(a.x, a.y);
    ring.style.left = `${x0 - stage.left - 2}px`;
    ring.style.top = `${y0 - stage.top - 2}px`;
    ring.style.width = `${a.width * view.css + 4}px`;
    ring.style.height = `${a.height * view.css + 4}px`;
    ring.style.display = 'block';
    canvas.setAttribute('aria-label', `Instrument panel: ${a.gauge}, click box ${focused + 1} of ${areas.length}`);
  }

  // Keeps the box in focus on the display when zoomed.
  function showFocused() {
    const a = areas[focused];
    if (!a) return;
    const r = canvas.getBoundingClientRect();
    const w = r.width / view.css, h = r.height / view.css;
    if (a.x < view.x || a.x + a.width > view.x + w) view.x = a.x + a.width / 2 - w / 2;
    if (a.y < view.y || a.y + a.height > view.y + h) view.y = a.y + a.height / 2 - h / 2;
    layout();
  }

  function hookKeyboard() {
    canvas.addEventListener('keydown', (event) => {
      if (event.key === 'Tab' && areas.length > 0) {
        // Into the boxes from either end, then one by one.
        const to = focused === -1 ? (event.shiftKey ? areas.length - 1 : 0)
                                  : focused + (event.shiftKey ? -1 : 1);
        if (to < 0 || to >= areas.length) {
          focused = -1;
          placeFocus();
          return;  // the focus leaves the panel
        }
        event.preventDefault();
        focused = to;
        showFocused();
      } else if ((event.key === 'Enter' || event.key === ' ') && areas[focused]) {
        event.preventDefault();
        if (event.repeat) return;
        const a = areas[focused];
        pressAt(a.x + a.width / 2, a.y + a.height / 2);
      } else if (event.key === '+' || event.key === '=') {
        const r = canvas.getBoundingClientRect();
        zoomAbout(1.25, r.left + r.width / 2, r.top + r.height / 2);
      } else if (event.key === '-') {
        const r = canvas.getBoundingClientRect();
        zoomAbout(0.8, r.left + r.width / 2, r.top + r.height / 2);
      } else if (event.key === '0') {
        resetZoom();
      }
    });
    canvas.addEventListener('keyup', (event) => {
      if (event.key === 'Enter' || event.key === ' ') releasePress();
    });
    canvas.addEventListener('focus', placeFocus);
    canvas.addEventListener('blur', () => { releasePress(); placeFocus(); });
  }

  function setFit(on) {
    view.fit = on;
    $('fit').checked = on;
    resetZoom();
  }

  function hookToolbar() {
    $('fit').addEventListener('change', (e) => setFit(e.target.checked));
    $('night').addEventListener('change', (e) => Module._tv_set_night(e.target.checked ? 1 : 0));
    $('lights').addEventListener('change', (e) => setToken(TOKEN.panel_lights, e.target.checked ? 1 : 0));
    $('hotspots').addEventListener('change', (e) => Module._tv_set_hotspots(e.target.checked ? 1 : 0));
    $('language').addEventListener('change', (e) => {
      Module._tv_set_english(e.target.value === 'en' ? 1 : 0);
      readAreas();
      saveHours();
    });
    $('demo').addEventListener('click', () => setDemo(!demo));
    $('show-sliders').addEventListener('click', () => showSliders(!document.body.classList.contains('sliders')));
    $('default-panel').addEventListener('click', loadDefaultPanel);
    $('show-frame-time').addEventListener('change', (e) => {
      $('frame-time').hidden = !e.target.checked;
    });
    $('file').addEventListener('change', (e) => loadFiles(e.target.files));
    let depth = 0;
    window.addEventListener('dragenter', (e) => { e.preventDefault(); depth++; document.body.classList.add('dragging'); });
    window.addEventListener('dragleave', () => { if (--depth <= 0) { depth = 0; document.body.classList.remove('dragging'); } });
    window.addEventListener('dragover', (e) => e.preventDefault());
    window.addEventListener('drop', (e) => {
      e.preventDefault();
      depth = 0;
      document.body.classList.remove('dragging');
      loadFiles(e.dataTransfer.files);
    });
  }

  // A panel configuration placed: the view fits it anew and the keyboard
  // walks its boxes.
  function placed(isDefault) {
    syncLights();
    windowsShown = '';
    syncWindows();
    readAreas();
    resetZoom();
    $('default-panel').hidden = isDefault;
  }

  // A flight state (.state) or else a panel configuration, as text.
  function loadText(contents, name) {
    if (/\.state$/i.test(name)) {
      call('tv_load_state', 'number', ['string', 'string'], [contents, name]);
    } else {
      call('tv_load_panel', 'number', ['string', 'string'], [contents, name]);
      placed(false);
    }
    showWarnings();
  }

  // The panel the page opened with, back after a file was loaded (the
  // flight state stays as it is).
  function loadDefaultPanel() {
    call('tv_clear_warnings', null, [], []);
    const contents = new TextDecoder().decode(Module.FS.readFile(DEFAULT_PANEL));
    call('tv_load_panel', 'number', ['string', 'string'], [contents, DEFAULT_PANEL]);
    placed(true);
    showWarnings();
  }

  // Files opened or dropped together are written, as they are, into one
  // folder of the page's file system, so a configuration finds the window
  // bitmaps beside it; configurations and states are then read from there
  // as saved (a byte-order mark, UTF-16, CR LF).
  const LOADED_FOLDER = '/loaded/';
  async function loadFiles(files) {
    call('tv_clear_warnings', null, [], []);
    const FS = Module.FS;
    // Kept from one load to the next: the bitmaps may come before their panel.
    if (!FS.analyzePath(LOADED_FOLDER).exists) FS.mkdir(LOADED_FOLDER);
    const names = [];
    for (const file of files) {
      const name = file.name.replace(/[\\/]/g, '_');
      FS.writeFile(LOADED_FOLDER + name, new Uint8Array(await file.arrayBuffer()));
      names.push(name);
    }
    // The states after the panels, so a state dropped with a panel applies to it.
    for (const name of names.filter((n) => !/\.(state|bmp)$/i.test(n))) {
      call('tv_load_panel_file', 'number', ['string', 'string'], [LOADED_FOLDER, name]);
      placed(false);
    }
    for (const name of names.filter((n) => /\.state$/i.test(n))) {
      call('tv_load_state_file', 'number', ['string', 'string'], [LOADED_FOLDER, name]);
    }
    showWarnings();
    $('file').value = '';
  }

  function syncLights() {
    const on = Module._tv_token(TOKEN.panel_lights) !== 0;
    if ($('lights').checked !== on) $('lights').checked = on;
  }

  // The hour meter's file written and the storage synced.
  function saveHours() {
    return new Promise((resolve) => {
      Module._tv_save_hours();
      Module.FS.syncfs(false, (error) => {
        if (error) console.warn('the hours could not be stored:', error);
        resolve(!error);
      });
    });
  }

  function mountHours() {
    const FS = Module.FS;
    try {
      FS.mkdir(HOURS_FOLDER);
      FS.mount(Module.IDBFS, {}, HOURS_FOLDER);
    } catch (e) {
      console.warn('no storage for the hours:', e.message);
      return;
    }
    Module.addRunDependency('hours');
    FS.syncfs(true, (error) => {
      if (error) console.warn('the stored hours could not be read:', error);
      Module.removeRunDependency('hours');
    });
  }

  Module.preRun = (Module.preRun || []).concat([mountHours]);
  Module.onRuntimeInitialized = () => {
    try {
      canvas = $('panel');
      context = canvas.getContext('2d');
      readCatalogue();
      buildSliders();
      const ok = call('tv_init', 'number', ['string', 'string'], [DEFAULT_PANEL, '/panels/cruise.state']);
      startAudio();
      hookPointer();
      hookKeyboard();
      hookToolbar();
      placed(true);
      showSliders(window.innerWidth >= 1600);
      frame();
      showWarnings();
      $('status').textContent = ok ? '' : 'the panel holds no gauge';
      requestAnimationFrame(loop);
      setInterval(saveHours, SAVE_EVERY_MS);
      document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'hidden') saveHours();
      });
      window.addEventListener('pagehide', saveHours);
      resolveReady();
    } catch (e) {
      $('status').textContent = 'the panel failed to start: ' + e.message;
      rejectReady(e);
    }
  };

  // For tests and for the curious, in the console.
  window.tavrel = {
    ready,
    token: (n) => Module._tv_token(n),
    // The catalogue of the host's numbers, as the module exports it.
    catalogue: () => CATALOGUE,
    setToken,
    setOutside,
    // The panel's windows: [[ident, title, open], ...].
    windows: () => JSON.parse(call('tv_windows', 'string', [], [])),
    // A placed gauge: its rectangle in client pixels, in panel pixels
    // (`panel`) and its background's size.
    gaugeRect(name) {
      const r = call('tv_gauge_rect', 'string', ['string'], [name]);
      if (!r) return null;
      const [x, y, w, h, bw, bh] = r.split(' ').map(Number);
      const [cx, cy] = clientPoint(x, y);
      return { x: cx, y: cy, width: w * view.css, height: h * view.css,
               panel: { x, y, width: w, height: h }, background: { width: bw, height: bh } };
    },
    // A pixel of the canvas (device pixels).
    pixel(px, py) {
      const word = Module._tv_pixel(px, py) >>> 0;
      return [word & 255, (word >>> 8) & 255, (word >>> 16) & 255, word >>> 24];
    },
    // A panel point on the canvas (device pixels).
    canvasPoint: (px, py) => [px * view.scale - view.x * view.scale, py * view.scale - view.y * view.scale],
    frameTime: () => lastFrameMs,
    // The rectangles the last frame drew.
    drawnCount: () => lastDrawn,
    stateReport: (name) => call('tv_state_report', 'string', ['string'], [name]),
    warnings: () => call('tv_warnings', 'string', [], []),
    // The panel's size in panel pixels; the canvas's in device pixels.
    size: panelSize,
    canvasSize: () => [Module._tv_width(), Module._tv_height()],
    view: () => Object.assign({}, view),
    // Draws a frame at once (tests need not wait for the clock).
    frame,
    // The next frame draws the whole panel (to time it).
    redrawAll: () => Module._tv_redraw_all(),
    loadText,
    loadDefaultPanel,
    tooltip: (px, py) => call('tv_tooltip', 'string', ['number', 'number'], [px, py]),
    setNight: (on) => { $('night').checked = on; Module._tv_set_night(on ? 1 : 0); },
    repeats: () => Module._tv_repeats(),
    lastPress: () => call('tv_last_press', 'string', [], []),
    soundDecoded: () => clickBuffer !== null,
    setFit,
    zoomAbout,
    resetZoom,
    sounds: () => Module._tv_sounds(),
    saveHours,
    readFile: (path) => call('tv_read_file', 'string', ['string'], [path]),
    setDemo,
    showSliders,
    clickAreas: () => areas,
    // The demo flight's state at `seconds`, at once (and no demo running).
    demoAt(seconds) {
      demo = { start: performance.now(), done: new Set() };
      runDemo(seconds);
      setDemo(false);
      frame();
    },
    demoSeconds: DEMO_SECONDS,
    setHotspots: (on) => { $('hotspots').checked = on; Module._tv_set_hotspots(on ? 1 : 0); },
    setEnglish: (on) => {
      $('language').value = on ? 'en' : 'fr';
      Module._tv_set_english(on ? 1 : 0);
      readAreas();
    },
  };
})();
