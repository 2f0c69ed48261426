// The page around the program: a canvas per window, input kept as events
// until the program takes them, the waits, and TOVIK.SCR in IndexedDB.
"use strict";

(function () {
  const status = document.getElementById("status");
  // The status line: what the program is doing, then the last thing worth
  // saying (a problem, or what a button did), until another replaces it.
  let doing = "Loading TOVIK...", note = "", noteIsError = false;

  function showStatus() {
    status.textContent = note ? doing + " \u00b7 " + note : doing;
    status.className = noteIsError ? "error" : "";
  }

  function say(text, isError) {
    note = text;
    noteIsError = isError;
    showStatus();
  }

  function setDoing(text) {
    doing = text;
    showStatus();
  }

  const probe = document.createElement("canvas");
  if (typeof WebAssembly !== "object" || !probe.getContext || !probe.getContext("2d")) {
    doing = "Not started";
    say("TOVIK cannot run in this browser: it needs WebAssembly and the canvas element.", true);
    return;
  }

  const SAVE_DIR = "/save";
  const SCRIPT = SAVE_DIR + "/TOVIK.SCR";
  const KEY_DOWN = 1, KEY_UP = 2, MOUSE_DOWN = 3, MOUSE_UP = 4, MOUSE_MOVE = 5, BLUR = 6,
        LAYOUT = 7, REPORT = 8, TOUCH_DOWN = 9, TOUCH_MOVE = 10, TOUCH_UP = 11;

  const events = [];
  let wake = null;
  let resumedAt = 0;  // when the program last went on after a wait
  const windows = new Map();  // window handle -> { figure, canvas, context }
  let savedStamp = "none";
  let saving = false, saveAgain = false;

  // Ends the program's wait, for an event or because its time has come.
  function resume() {
    if (!wake) return;
    const go = wake;
    wake = null;
    resumedAt = performance.now();
    go();
  }

  function post(event) {
    events.push(event);
    resume();
  }

  // A failed save or load: on the page and, through the program, in its text window.
  function report(text) {
    say(text, true);
    post({ kind: REPORT, window: 0, text: text });
  }

  // --- TOVIK.SCR -------------------------------------------------------------

  function stamp() {
    try {
      const st = FS.stat(SCRIPT);
      return st.size + ":" + st.mtime.getTime();
    } catch (e) {
      return "none";
    }
  }

  function save(done) {
    if (saving) {
      saveAgain = true;
      return;
    }
    saving = true;
    FS.syncfs(false, function (error) {
      saving = false;
      if (error) report("Saving TOVIK.SCR in the browser failed: " + error);
      if (done) done(error);
      if (saveAgain) {
        saveAgain = false;
        save();
      }
    });
  }

  // Every line the program has written reaches IndexedDB as soon as it waits.
  // IndexedDB takes only files newer than what it holds, by the millisecond:
  // a line written in the millisecond of the last save would stay behind, so
  // each change is dated after the one before.
  let savedTime = 0;
  function saveIfChanged() {
    if (stamp() !== savedStamp) dateAndSave();
  }

  function dateAndSave(done) {
    if (stamp() !== "none") {
      savedTime = Math.max(Date.now(), savedTime + 1);
      FS.utime(SCRIPT, savedTime, savedTime);
    }
    savedStamp = stamp();
    save(done);
  }

  function readScript() {
    try {
      return FS.readFile(SCRIPT, { encoding: "utf8" });
    } catch (e) {
      return null;
    }
  }

  document.getElementById("download").addEventListener("click", function () {
    let bytes;
    try {
      bytes = FS.readFile(SCRIPT);
    } catch (e) {
      say("There is no TOVIK.SCR yet: record one with Ctrl+R.", true);
      return;
    }
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "text/plain" }));
    link.download = "TOVIK.SCR";
    link.click();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  });

  const loadFile = document.getElementById("load-file");
  document.getElementById("load").addEventListener("click", function () { loadFile.click(); });
  loadFile.addEventListener("change", function () {
    const file = loadFile.files[0];
    loadFile.value = "";
    if (!file) return;
    file.arrayBuffer().then(function (buffer) {
      // Written aside and renamed over, so that a recording in progress keeps
      // its own file instead of writing into the loaded one.
      FS.writeFile(SCRIPT + ".new", new Uint8Array(buffer));
      FS.rename(SCRIPT + ".new", SCRIPT);
      dateAndSave(function (error) {
        if (!error) say("Loaded " + file.name + " as TOVIK.SCR: play it back with Ctrl+P.", false);
      });
    }).catch(function (error) {
      report("Loading TOVIK.SCR failed: " + error);
    });
  });

  window.addEventListener("pagehide", saveIfChanged);

  // --- windows and input -----------------------------------------------------

  function point(canvas, event) {
    const r = canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - r.left) * canvas.width / r.width),
            Math.floor((event.clientY - r.top) * canvas.height / r.height)];
  }

  function modifiers(event) {
    return (event.ctrlKey ? 1 : 0) | (event.altKey ? 2 : 0) | (event.shiftKey ? 4 : 0) |
           (event.repeat ? 8 : 0);
  }

  function listen(handle, canvas) {
    canvas.addEventListener("keydown", function (event) {
      const text = Array.from(event.key);
      post({ kind: KEY_DOWN, window: handle, a: event.keyCode,
             b: text.length === 1 ? text[0].codePointAt(0) : 0, mods: modifiers(event) });
      // The program's keys are its own: no reload, print, find, history,
      // select-all, address bar or open.  Function keys other than F10 stay
      // the browser's.
      const fkey = event.keyCode >= 112 && event.keyCode <= 123 && event.keyCode !== 121;
      if (!fkey) event.preventDefault();
    });
    canvas.addEventListener("keyup", function (event) {
      post({ kind: KEY_UP, window: handle, a: event.keyCode, mods: modifiers(event) });
      event.preventDefault();
    });
    // Touches go to the program as fingers (the window system makes the
    // first the left button), the mouse and pens as buttons.
    function pointer(event, mouseKind, touchKind) {
      const p = point(canvas, event);
      if (event.pointerType === "touch") {
        post({ kind: touchKind, window: handle, a: p[0], b: p[1], c: event.pointerId });
      } else {
        post({ kind: mouseKind, window: handle, a: p[0], b: p[1], c: event.button });
      }
    }
    canvas.addEventListener("pointerdown", function (event) {
      event.preventDefault();
      canvas.focus({ preventScroll: true });
      canvas.setPointerCapture(event.pointerId);
      pointer(event, MOUSE_DOWN, TOUCH_DOWN);
    });
    canvas.addEventListener("pointerup", function (event) { pointer(event, MOUSE_UP, TOUCH_UP); });
    canvas.addEventListener("pointercancel", function (event) {
      if (event.pointerType === "touch") pointer(event, MOUSE_UP, TOUCH_UP);
    });
    canvas.addEventListener("pointermove", function (event) {
      pointer(event, MOUSE_MOVE, TOUCH_MOVE);
    });
    canvas.addEventListener("contextmenu", function (event) { event.preventDefault(); });
    canvas.addEventListener("blur", function () { post({ kind: BLUR, window: handle }); });
  }

  // The area the windows may take, in CSS pixels: the page's width, and the
  // window's height less the caption, so that the game fits lying down too.
  // The program chooses the scale and answers with placeCanvas.
  // The frame and caption are the page style's, read from a window's figure.
  let laidOut = "";
  function layOut() {
    const figure = document.querySelector("#windows figure");
    if (!figure) return;
    const body = getComputedStyle(document.body);
    const frame = parseFloat(getComputedStyle(figure).borderLeftWidth);
    // From the style, as the figure may be hidden still.
    const title = getComputedStyle(figure.querySelector("figcaption"));
    const caption = parseFloat(title.height) + parseFloat(title.paddingTop) +
                    parseFloat(title.paddingBottom);
    const width = document.documentElement.clientWidth - parseFloat(body.marginLeft) -
                  parseFloat(body.marginRight) - 2 * frame;
    const height = window.innerHeight - caption - 2 * frame - 8;
    const ratio = window.devicePixelRatio || 1;
    const area = [Math.floor(width * 100), Math.floor(height * 100), Math.round(ratio * 1000)];
    if (area.join() === laidOut) return;
    laidOut = area.join();
    post({ kind: LAYOUT, window: 0, a: area[0], b: area[1], c: area[2] });
  }
  window.addEventListener("resize", layOut);
  // A window moved to a screen of another density need not be resized.
  (function watchRatio() {
    window.matchMedia("(resolution: " + window.devicePixelRatio + "dppx)")
      .addEventListener("change", function () {
        layOut();
        watchRatio();
      }, { once: true });
  })();

  // The shortcuts are open where there is room for them (not on a phone).
  const roomy = window.matchMedia("(min-width: 641px) and (min-height: 641px)");
  document.getElementById("shortcuts").open = roomy.matches;

  const page = {
    createCanvas: function (handle, title, width, height) {
      const figure = document.createElement("figure");
      const caption = document.createElement("figcaption");
      caption.textContent = title;
      const canvas = document.createElement("canvas");
      canvas.width = width;
      canvas.height = height;
      canvas.tabIndex = 0;
      canvas.setAttribute("aria-label", title);
      canvas.dataset.window = handle;
      figure.append(caption, canvas);
      figure.hidden = true;
      document.getElementById("windows").append(figure);
      windows.set(handle, { figure: figure, canvas: canvas, context: canvas.getContext("2d") });
      listen(handle, canvas);
      // Laid out again once the program has the new window.
      laidOut = "";
      layOut();
    },
    placeCanvas: function (handle, width, height, shownWidth, shownHeight) {
      const canvas = windows.get(handle).canvas;
      if (canvas.width !== width || canvas.height !== height) {
        canvas.width = width;
        canvas.height = height;
      }
      canvas.style.width = shownWidth + "px";
      canvas.style.height = shownHeight + "px";
    },
    showState: function (animating, recording, playingBack) {
      if (playingBack) setDoing("Playing back TOVIK.SCR");
      else if (recording) setDoing((animating ? "Running" : "Halted") + ", recording TOVIK.SCR");
      else setDoing(animating ? "Running" : "Halted");
    },
    showCanvas: function (handle, show) {
      const w = windows.get(handle);
      w.figure.hidden = !show;
      if (show) w.canvas.focus({ preventScroll: true });
    },
    present: function (handle, bytes, width, height, top, count) {
      const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length);
      windows.get(handle).context.putImageData(new ImageData(pixels, width, height), 0, 0,
                                               0, top, width, count);
      if (!window.tovik.firstPicture) window.tovik.firstPicture = performance.now();
    },
    takeEvent: function () { return events.shift(); },
    // Until an event comes or `timeout` milliseconds have passed (-1: no limit).
    waitForEvent: function (timeout) {
      if (resumedAt) {
        const busy = window.tovik.busy;
        busy.push(performance.now() - resumedAt);
        if (busy.length > 400) busy.shift();
        resumedAt = 0;
      }
      saveIfChanged();
      if (events.length > 0) return Promise.resolve();
      return new Promise(function (resolve) {
        const timer = timeout >= 0 ? setTimeout(resume, timeout) : 0;
        wake = function () {
          clearTimeout(timer);
          resolve();
        };
      });
    },
    ended: function (code) {
      saveIfChanged();
      window.tovik.state = "ended";
      setDoing(code === 0 ? "Ended" : "Ended with code " + code);
      document.getElementById("ended").style.display = "block";
    },
  };

  document.getElementById("again").addEventListener("click", function () { location.reload(); });

  // What the browser test and the curious read: `busy` holds the milliseconds
  // the program took for each of its last wake-ups.
  window.tovik = { state: "loading", firstPicture: 0, busy: [], readScript: readScript };

  // The site kept for offline use (where the browser allows service workers:
  // https, or this machine).
  if ("serviceWorker" in navigator && window.isSecureContext) {
    navigator.serviceWorker.register("service-worker.js").catch(function (error) {
      say("The page is not kept for offline use: " + error.message, false);
    });
  }

  function fetchBytes(name) {
    return fetch(name).then(function (response) {
      if (!response.ok) throw new Error(name + ": " + response.status + " " + response.statusText);
      return response.arrayBuffer();
    });
  }

  // Fonts and the kept TOVIK.SCR first, then the program.
  function start() {
    FS.mkdir("/fonts");
    FS.mkdir(SAVE_DIR);
    FS.mount(IDBFS, {}, SAVE_DIR);
    const restored = new Promise(function (resolve) {
      FS.syncfs(true, function (error) {
        if (error) report("The kept TOVIK.SCR cannot be read from the browser: " + error);
        resolve();
      });
    });
    Promise.all([fetchBytes(tovikFonts.drawing), fetchBytes(tovikFonts.fixed), restored])
      .then(function (files) {
        FS.writeFile("/fonts/drawing.ttf", new Uint8Array(files[0]));
        FS.writeFile("/fonts/fixed.ttf", new Uint8Array(files[1]));
        savedStamp = stamp();
        if (savedStamp !== "none") savedTime = FS.stat(SCRIPT).mtime.getTime();
        FS.chdir(SAVE_DIR);
        window.tovik.state = "running";
        setDoing("Starting");
        Module.callMain([]);
      })
      .catch(function (error) {
        setDoing("Not started");
        say("A font did not load (" + error.message + ").", true);
      });
  }

  window.Module = {
    tovikPage: page,
    onRuntimeInitialized: start,
    print: function (text) { console.log(text); },
    printErr: function (text) { console.error(text); },
    onAbort: function (what) {
      setDoing("Stopped");
      say(String(what), true);
    },
  };

  const program = document.createElement("script");
  program.src = tovikProgram + ".js";
  program.onerror = function () {
    setDoing("Not started");
    say(program.src + " did not load.", true);
  };
  document.body.append(program);
})();
