// The page around the panel: the frame clock, the pointer, the toolbar, the
// flight-state sliders, the demo flight, the click sound, the hours kept in
// the browser's storage and files loaded from disk. Runs before the module
// (Emscripten's --pre-js), so it can mount the storage before the hour
// meter is placed.
'use strict';

(function () {
  const FRAMES_PER_SECOND = 18;
  const HOURS_FOLDER = '/gauges';
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

  // The demo flight: key moments in the pilot's units; between two the
  // values ease from one to the next. Switch settings happen at their
  // moment. About a minute and a half: start-up, take-off, climb, cruise,
  // descent.
  // Switch settings (`set`) name tokens of the catalogue.
  const DEMO = [
    { t: 0, airspeed: 0, altitude: 0, pitch: 0, bank: 0, heading: 270, vspeed: 0, rpm: 0, manifold: 29.9,
      oilTemp: 60, oilPress: 0, cht: 49, carb: 12, fuelPress: 0, front: 90, center: 70, rear: 60,
      amps: 0, volts: 0, suction: 0, throttle: 0,
      set: { battery_master: 0, avionics_master: 0, left_magneto: 0, right_magneto: 0, starter: 0,
             nav_lights: 0, beacon_lights: 0, landing_lights: 0, gear_position: 16383, flap_position: 0,
             tank_selector: 2 } },
    { t: 3, set: { battery_master: 1 }, volts: 24.2, amps: -2 },
    { t: 5, set: { left_magneto: 1, right_magneto: 1 } },
    { t: 6, set: { starter: 1 }, rpm: 0 },
    { t: 8, set: { starter: 0, beacon_lights: 1, nav_lights: 1 }, rpm: 800, manifold: 14, oilPress: 25,
      fuelPress: 4, amps: 12, volts: 27.8, suction: 3.5, throttle: 0.1 },
    { t: 12, set: { avionics_master: 1 }, rpm: 900, oilPress: 60, oilTemp: 90, suction: 4.5, amps: 6,
      volts: 28.2 },
    { t: 18, rpm: 1000, manifold: 15, oilTemp: 110, cht: 93, throttle: 0.15, set: { landing_lights: 1 } },
    { t: 24, rpm: 2650, manifold: 28.5, airspeed: 0, throttle: 1, cht: 127, suction: 5 },
    { t: 34, airspeed: 65, pitch: 0, rpm: 2680 },
    { t: 38, airspeed: 75, pitch: 8, vspeed: 700, altitude: 60 },
    { t: 42, altitude: 400, vspeed: 800, set: { gear_position: 0 } },
    { t: 50, altitude: 1400, airspeed: 80, heading: 300, bank: 15, vspeed: 750, cht: 199, oilTemp: 170 },
    { t: 56, altitude: 2200, heading: 330, bank: 0, set: { landing_lights: 0 } },
    { t: 64, altitude: 3400, pitch: 7, vspeed: 700, airspeed: 82, carb: 6 },
    { t: 70, altitude: 4500, pitch: 2, vspeed: 0, airspeed: 110, rpm: 2400, manifold: 22, throttle: 0.72,
      cht: 177, oilTemp: 180, front: 84 },
    { t: 80, heading: 60, bank: -20 },
    { t: 86, heading: 95, bank: 0, front: 82 },
    { t: 92, pitch: -3, vspeed: -500, rpm: 2100, manifold: 18, throttle: 0.5, airspeed: 115, carb: 2 },
    { t: 104, altitude: 2500, vspeed: -500, cht: 149, oilTemp: 170 },
    { t: 112, altitude: 1500, pitch: 0, vspeed: 0, airspeed: 95, rpm: 2200, manifold: 20, throttle: 0.6,
      set: { flap_position: 5461 } },
  ];
  const DEMO_SECONDS = DEMO[DEMO.length - 1].t;

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
      if (m.t <= t) before = m;
      else if (after === null) after = m;
    }
    if (before === null) return after ? after[key] : undefined;
    if (after === null) return before[key];
    return before[key] + (after[key] - before[key]) * ease((t - before.t) / (after.t - before.t));
  }

  function runDemo(seconds) {
    const t = Math.min(seconds, DEMO_SECONDS);
    for (const f of FLIGHT) {
      const v = demoValue(f.key, t);
      if (v !== undefined) setPilot(f, v);
    }
    const throttle = demoValue('throttle', t);
    if (throttle !== undefined) Module._tv_set_token(TOKEN.throttle_lever, throttle);
    for (const m of DEMO) {
      if (m.set && m.t <= t && !demo.done.has(m)) {
        demo.done.add(m);
        for (const [name, value] of Object.entries(m.set)) Module._tv_set_token(TOKEN[name], value);
      }
    }
    if (seconds >= DEMO_SECONDS) stopDemo();
  }

  function startDemo() {
    demo = { start: performance.now(), done: new Set() };
    $('demo').setAttribute('aria-pressed', 'true');
    $('demo').textContent = 'Stop demo';
  }

  function stopDemo() {
    demo = null;
    $('demo').setAttribute('aria-pressed', 'false');
    $('demo').textContent = 'Demo flight';
  }

  // While an outside simulator flies the aircraft, the values are its: the
  // sliders and the demo stand aside, and the panel's clicks go to it.
  function setOutside(on) {
    if (on) stopDemo();
    $('demo').disabled = on;
    for (const f of FLIGHT) f.input.disabled = on;
    Module._tv_set_outside(on ? 1 : 0);
  }

  function setPilot(f, value) {
    Module._tv_set_token(f.token, f.to(value));
    for (const t of f.also) Module._tv_set_token(t, f.to(value));
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
      input.addEventListener('input', () => {
        setPilot(f, Number(input.value));
        showSlider(f);
      });
      box.appendChild(row);
    }
  }

  function showSlider(f) {
    const value = f.from(Module._tv_token(f.token));
    if (document.activeElement !== f.input) f.input.value = String(value);
    const digits = f.step < 1 ? 1 : 0;
    f.output.textContent = `${value.toFixed(digits)} ${f.unit}`;
  }

  function text(ptr) {
    return Module.UTF8ToString(ptr);
  }

  function call(name, returns, types, args) {
    return Module.ccall(name, returns, types, args);
  }

  function showWarnings() {
    $('warnings').textContent = call('tv_warnings', 'string', [], []);
  }

  function frame() {
    const now = performance.now();
    const seconds = lastTick ? (now - lastTick) / 1000 : 0;
    lastTick = now;
    if (demo) runDemo((now - demo.start) / 1000);
    Module._tv_tick(seconds);
    const t0 = performance.now();
    Module._tv_frame();
    lastFrameMs = performance.now() - t0;
    draw();
    for (const f of FLIGHT) showSlider(f);
    syncLights();  // the panel's own switch turns them on and off too
  }

  function draw() {
    const w = Module._tv_width();
    const h = Module._tv_height();
    if (canvas.width !== w || canvas.height !== h) {
      canvas.width = w;
      canvas.height = h;
      image = null;
    }
    if (!image) image = context.createImageData(w, h);
    const ptr = Module._tv_pixels();
    image.data.set(Module.HEAPU8.subarray(ptr, ptr + w * h * 4));
    context.putImageData(image, 0, 0);
    const warnings = call('tv_warnings', 'string', [], []);
    if ($('warnings').textContent !== warnings) $('warnings').textContent = warnings;
  }

  // A point of the page in panel pixels.
  function panelPoint(event) {
    const r = canvas.getBoundingClientRect();
    return [(event.clientX - r.left) * canvas.width / r.width,
            (event.clientY - r.top) * canvas.height / r.height];
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
    box.style.left = `${event.clientX + 14}px`;
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

  function hookPointer() {
    canvas.addEventListener('pointerdown', (event) => {
      if (event.button !== 0) return;
      if (audio && audio.state === 'suspended') audio.resume();
      const [x, y] = panelPoint(event);
      pointerDown = true;
      canvas.setPointerCapture(event.pointerId);
      Module._tv_pointer_down(x, y);
      event.preventDefault();
    });
    canvas.addEventListener('pointermove', (event) => {
      if (pointerDown) {
        const [x, y] = panelPoint(event);
        Module._tv_pointer_move(x, y);
      }
      showTooltip(event);
    });
    const up = () => {
      if (!pointerDown) return;
      pointerDown = false;
      Module._tv_pointer_up();
    };
    canvas.addEventListener('pointerup', up);
    canvas.addEventListener('pointercancel', up);
    canvas.addEventListener('pointerleave', () => { $('tooltip').style.display = 'none'; });
  }

  function hookToolbar() {
    $('fit').addEventListener('change', (e) => document.body.classList.toggle('fit', e.target.checked));
    $('night').addEventListener('change', (e) => Module._tv_set_night(e.target.checked ? 1 : 0));
    $('lights').addEventListener('change',
                                 (e) => Module._tv_set_token(TOKEN.panel_lights, e.target.checked ? 1 : 0));
    $('hotspots').addEventListener('change', (e) => Module._tv_set_hotspots(e.target.checked ? 1 : 0));
    $('language').addEventListener('change', (e) => {
      Module._tv_set_english(e.target.value === 'en' ? 1 : 0);
      saveHours();
    });
    $('demo').addEventListener('click', () => (demo ? stopDemo() : startDemo()));
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

  // A flight state (.state) or else a panel configuration, as text.
  function loadText(contents, name) {
    if (/\.state$/i.test(name)) {
      call('tv_load_state', 'number', ['string', 'string'], [contents, name]);
    } else {
      call('tv_load_panel', 'number', ['string', 'string'], [contents, name]);
      syncLights();
    }
    showWarnings();
  }

  async function loadFiles(files) {
    call('tv_clear_warnings', null, [], []);
    for (const file of files) loadText(await file.text(), file.name);
    $('file').value = '';
  }

  function syncLights() {
    $('lights').checked = Module._tv_token(TOKEN.panel_lights) !== 0;
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
      const placed = call('tv_init', 'number', ['string', 'string'],
                          ['/panels/default.cfg', '/panels/cruise.state']);
      syncLights();
      startAudio();
      hookPointer();
      hookToolbar();
      frame();
      showWarnings();
      $('status').textContent = placed ? '' : 'the panel holds no gauge';
      setInterval(frame, 1000 / FRAMES_PER_SECOND);
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
    setToken: (n, v) => Module._tv_set_token(n, v),
    setOutside,
    gaugeRect(name) {
      const r = call('tv_gauge_rect', 'string', ['string'], [name]);
      if (!r) return null;
      const [x, y, w, h, bw, bh] = r.split(' ').map(Number);
      const c = canvas.getBoundingClientRect();
      const sx = c.width / canvas.width;
      const sy = c.height / canvas.height;
      return { x: c.left + x * sx, y: c.top + y * sy, width: w * sx, height: h * sy,
               panel: { x, y, width: w, height: h }, background: { width: bw, height: bh } };
    },
    pixel(px, py) {
      const word = Module._tv_pixel(px, py) >>> 0;
      return [word & 255, (word >>> 8) & 255, (word >>> 16) & 255, word >>> 24];
    },
    frameTime: () => lastFrameMs,
    stateReport: (name) => call('tv_state_report', 'string', ['string'], [name]),
    warnings: () => call('tv_warnings', 'string', [], []),
    size: () => [Module._tv_width(), Module._tv_height()],
    // Draws a frame at once (tests need not wait for the clock).
    frame,
    loadText,
    tooltip: (px, py) => call('tv_tooltip', 'string', ['number', 'number'], [px, py]),
    setNight: (on) => { $('night').checked = on; Module._tv_set_night(on ? 1 : 0); },
    repeats: () => Module._tv_repeats(),
    lastPress: () => call('tv_last_press', 'string', [], []),
    soundDecoded: () => clickBuffer !== null,
    setFit: (on) => { $('fit').checked = on; document.body.classList.toggle('fit', on); },
    sounds: () => Module._tv_sounds(),
    saveHours,
    readFile: (path) => call('tv_read_file', 'string', ['string'], [path]),
    startDemo,
    stopDemo,
    // The demo flight's state at `seconds`, at once (and no demo running).
    demoAt(seconds) {
      demo = { start: performance.now(), done: new Set() };
      runDemo(seconds);
      stopDemo();
      frame();
    },
    demoSeconds: DEMO_SECONDS,
    setHotspots: (on) => { $('hotspots').checked = on; Module._tv_set_hotspots(on ? 1 : 0); },
    setEnglish: (on) => { $('language').value = on ? 'en' : 'fr'; Module._tv_set_english(on ? 1 : 0); },
  };
})();
