// Plays the built site in headless Chromium as a user would: the scene (its
// pictures, text included, those of the native build), a click on a monkey,
// halt and run, recording and playback, the text window quitting, the
// manifest and installability, and TOVIK.SCR and the site kept across a reload
// without the network; then on a phone, by touch; then a program of one's own.
// Usage: node browser_test.js SITE_URL [NATIVE_FRAMES_DIR [PROGRAM_SITE_URL]]
// NATIVE_FRAMES_DIR holds frame_NNNNN.png of render_frames (seed 1, the
// page's drawing font file, unsubsetted).
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const [url, nativeFrames, programUrl] = process.argv.slice(2);
const STRIP = 20;                 // the menu strip above the client area
const ORIGIN = { x: 297, y: 245 };  // the game's (0, 0) in client pixels
// Seed 1 (the clock pinned at one second): monkey 4 comes to rest at (-181, -61).
const MONKEY = { x: -181, y: -61 };

function fail(text) { throw new Error(text); }

async function poll(what, check, limitMs = 60000) {
  const end = Date.now() + limitMs;
  for (;;) {
    const result = await check();
    if (result) return result;
    if (Date.now() > end) fail("timed out waiting for " + what);
    await new Promise((r) => setTimeout(r, 200));
  }
}

// Pixels of a canvas box in client coordinates of the window, as 0xRRGGBB.
function box(page, title, left, top, width, height) {
  return page.evaluate((title, left, top, width, height, strip) => {
    const canvas = document.querySelector(`canvas[aria-label="${title}"]`);
    if (!canvas) return [];  // not made yet
    const y0 = title === "TOVIK Graphics" ? top + strip : top;
    const d = canvas.getContext("2d").getImageData(left, y0, width, height).data;
    const out = [];
    for (let i = 0; i < d.length; i += 4) out.push((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]);
    return out;
  }, title, left, top, width, height, STRIP);
}
const graphics = (page, ...r) => box(page, "TOVIK Graphics", ...r);
const count = (pixels, colour) => pixels.filter((p) => p === colour).length;
const same = (a, b) => a.length === b.length && a.every((p, i) => p === b[i]);

async function ctrl(page, letter) {
  await page.keyboard.down("Control");
  await page.keyboard.press("Key" + letter);
  await page.keyboard.up("Control");
}

// A page of the site with the game's clock pinned: it seeds from the clock.
async function open(browser, viewport, where = url) {
  const page = await browser.newPage();
  page.on("pageerror", (e) => console.error("page error:", e.message));
  await page.evaluateOnNewDocument(() => {
    const start = performance.now();
    Date.now = () => 1000 + Math.floor((performance.now() - start) / 1e6);
  });
  await page.setViewport(viewport);
  await page.goto(where);
  return page;
}

// The night scene: navy sky, the crescent, the crawl's yellow text, then the
// olive panel after the crawl; returns the whole client area as the crawl
// shows and as the panel first shows.
async function scene(page) {
  await poll("the navy sky", async () => count(await graphics(page, 400, 0, 40, 10), 0x003399) > 300);
  await poll("the crescent", async () => count(await graphics(page, 520, 0, 70, 70), 0xffffff) > 50);
  let crawl;
  await poll("the crawl", async () => {
    crawl = await graphics(page, 0, 0, 595, 491);
    return count(crawl, 0xffff00) > 500;
  });
  await poll("the olive panel", async () => count(await graphics(page, 2, 0, 100, 50), 0x999933) > 100);
  return { crawl, panel: await graphics(page, 0, 0, 595, 491) };
}

// Waits until monkey 4 rests at its place; returns the pixels around it.
async function monkeyAtRest(page) {
  const cx = ORIGIN.x + MONKEY.x, cy = ORIGIN.y - MONKEY.y;
  const around = () => graphics(page, cx - 20, cy - 20, 41, 41);
  // At rest the body (brown, 21 x 25) covers the centre and stays still.
  const body = () => graphics(page, cx - 8, cy - 10, 17, 21);
  let before = await around();
  await poll("the monkey to come to rest", async () => {
    await new Promise((r) => setTimeout(r, 300));
    const now = await around();
    const centre = await body();
    const rested = same(now, before) && count(centre, 0x996633) === centre.length;
    before = now;
    return rested;
  });
  return { cx, cy, around, before };
}

// Each picture must be one of the native build's frames, pixel for pixel:
// the crawl's text and the panel's labels drawn from the page's cut font and
// the WebAssembly FreeType as from the whole font and the native one.
async function matchesNative(page, pictures) {
  const files = fs.readdirSync(nativeFrames).filter((f) => /^frame_\d+\.png$/.test(f)).sort();
  if (files.length === 0) fail("no native frames in " + nativeFrames);
  const frames = files.map((f) => fs.readFileSync(path.join(nativeFrames, f)).toString("base64"));
  const found = await page.evaluate(async (frames, pictures) => {
    const c = document.createElement("canvas");
    c.width = 595;
    c.height = 491;
    const g = c.getContext("2d");
    const hits = pictures.map(() => 0);
    for (let i = 0; i < frames.length; ++i) {
      const png = await fetch("data:image/png;base64," + frames[i]);
      const image = await createImageBitmap(await png.blob());
      g.drawImage(image, 0, 0);
      const d = g.getImageData(0, 0, 595, 491).data;
      pictures.forEach((p, k) => {
        if (hits[k]) return;
        for (let j = 0; j < p.length; ++j) {
          if (((d[4 * j] << 16) | (d[4 * j + 1] << 8) | d[4 * j + 2]) !== p[j]) return;
        }
        hits[k] = i + 1;
      });
    }
    return hits;
  }, frames, pictures);
  found.forEach((hit, k) => { if (!hit) fail(`picture ${k + 1} is no native frame`); });
}

async function desktop(browser) {
  const page = await open(browser, { width: 1300, height: 900 });
  try {
    const canvas = await poll("the graphics window", () => page.$('canvas[aria-label="TOVIK Graphics"]'));
    const { crawl, panel } = await scene(page);
    if (nativeFrames) await matchesNative(page, [crawl, panel]);

    // The page says what it is, and is an application.
    const client = await page.createCDPSession();
    const installable = await client.send("Page.getInstallabilityErrors");
    if (installable.installabilityErrors.length) {
      fail("not installable: " + JSON.stringify(installable.installabilityErrors));
    }
    const { url: manifestUrl } = await client.send("Page.getAppManifest");
    const manifest = await (await fetch(manifestUrl)).json();
    const sizes = manifest.icons.map((i) => i.sizes).join(" ");
    if (manifest.name !== "TOVIK" || !manifest.short_name || manifest.display !== "standalone" ||
        manifest.theme_color !== "#003399" || sizes !== "192x192 512x512") {
      fail("manifest: " + JSON.stringify(manifest));
    }

    // A click on a monkey's centre blows it up, recorded with a key.
    const { cx, cy, around, before } = await monkeyAtRest(page);
    const at = await canvas.boundingBox();
    await ctrl(page, "R");
    await page.mouse.click(at.x + cx, at.y + STRIP + cy);
    await poll("the explosion", async () => !same(await around(), before), 10000);
    await page.keyboard.press("KeyX");
    await ctrl(page, "R");
    const script = await poll("TOVIK.SCR", () => page.evaluate(() => {
      const text = window.tovik.readScript();
      return text && text.includes("TOVIK_KBD") ? text : null;
    }));
    const events = script.split("\n").filter((l) => l && !l.startsWith("TOVIK_PERIODIC("));
    if (events.join(" ") !== `TOVIK_MOUSE(${MONKEY.x}, ${MONKEY.y}); TOVIK_KBD(120);`) {
      fail("TOVIK.SCR holds " + JSON.stringify(script));
    }

    // Halted, the picture stands still; running, it moves again.
    const sky = () => graphics(page, 0, 0, 595, 200);
    await ctrl(page, "H");
    await halted(page, sky);
    await ctrl(page, "A");
    const stood = await sky();
    await poll("the animation to run again", async () => !same(stood, await sky()), 10000);

    // Logging fills the text window with the drawing calls.
    const ink = async () => {
      const size = await page.evaluate(() => {
        const c = document.querySelector('canvas[aria-label="TOVIK Text"]');
        return [c.width, c.height];
      });
      return (await box(page, "TOVIK Text", 0, 0, size[0], size[1])).filter((p) => p !== 0xffffff).length;
    };
    const quiet = await ink();
    await ctrl(page, "L");
    await poll("the text window to fill", async () => (await ink()) > quiet + 3000);

    // Playback reads the script and leaves it as it was.
    await ctrl(page, "P");
    await poll("the playback to go on", async () => !same(stood, await sky()), 10000);
    if ((await page.evaluate(() => window.tovik.readScript())) !== script) fail("playback changed TOVIK.SCR");

    await ctrl(page, "Q");
    await poll("the end of the game", () => page.evaluate(() =>
      window.tovik.state === "ended" && document.getElementById("ended").style.display === "block"));
    if (process.env.TOVIK_SCREENSHOT) await page.screenshot({ path: process.env.TOVIK_SCREENSHOT });

    // The site and the recording outlive the page, and the network.
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.setOfflineMode(true);
    await page.reload();
    const kept = await poll("the program after a reload", () => page.evaluate(() =>
      window.tovik.state === "running" ? String(window.tovik.readScript()) : null));
    if (kept !== script) fail("after a reload TOVIK.SCR holds " + JSON.stringify(kept));
    await poll("the navy sky offline",
               async () => count(await graphics(page, 400, 0, 40, 10), 0x003399) > 300);
  } catch (e) {
    if (process.env.TOVIK_SCREENSHOT) await page.screenshot({ path: process.env.TOVIK_SCREENSHOT });
    throw e;
  } finally {
    await page.close();
  }
}

async function halted(page, sky) {
  await poll("the halt", async () => {
    const a = await sky();
    await new Promise((r) => setTimeout(r, 1000));
    return same(a, await sky());
  }, 10000);
  await poll("the status to say so",
             () => page.$eval("#status", (s) => s.textContent.startsWith("Halted")));
}

// A phone upright, by touch: the game fills the width, nothing spills over,
// a tap is a click at the pixel under the finger, and the Run menu works.
async function phone(browser) {
  const page = await open(browser, { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true,
                                     hasTouch: true });
  try {
    await scene(page);
    const layout = await page.evaluate(() => {
      const graphics = document.querySelector('canvas[aria-label="TOVIK Graphics"]');
      const canvas = graphics.getBoundingClientRect();
      const rights = [...document.body.querySelectorAll("*")].map((e) => e.getBoundingClientRect().right);
      const widest = Math.max(...rights);
      return { fill: canvas.width / innerWidth, widest, scroll: document.documentElement.scrollWidth,
               width: innerWidth, shortcuts: document.getElementById("shortcuts").open };
    });
    if (layout.fill < 0.95 || layout.widest > layout.width || layout.scroll > layout.width ||
        layout.shortcuts) {
      fail("phone layout: " + JSON.stringify(layout));
    }
    const canvas = await page.$('canvas[aria-label="TOVIK Graphics"]');
    const box = await canvas.boundingBox();
    // The middle of picture pixel (x, y), menu strip included, on the screen.
    const tap = (x, y) => page.touchscreen.tap(box.x + (x + 0.5) * box.width / 595,
                                               box.y + (y + 0.5) * box.height / 511);
    const { cx, cy, around, before } = await monkeyAtRest(page);
    await tap(cx, STRIP + cy);
    await poll("the explosion by touch", async () => !same(await around(), before), 10000);

    await tap(15, 10);  // "Run"
    await tap(40, STRIP + 2 + 22 + 11);  // its second item, "Halt animation"
    await halted(page, () => graphics(page, 0, 0, 595, 200));

    // Two fingers at once are one click, the first finger's.
    const at = (x, y) => ({ x: box.x + (x + 0.5) * box.width / 595,
                            y: box.y + (STRIP + y + 0.5) * box.height / 511 });
    const touch = await page.createCDPSession();
    await ctrl(page, "R");
    await touch.send("Input.dispatchTouchEvent", { type: "touchStart",
      touchPoints: [{ ...at(ORIGIN.x + 100, ORIGIN.y - 150), id: 1 }] });
    await touch.send("Input.dispatchTouchEvent", { type: "touchStart",
      touchPoints: [{ ...at(ORIGIN.x + 100, ORIGIN.y - 150), id: 1 },
                    { ...at(ORIGIN.x - 200, ORIGIN.y - 100), id: 2 }] });
    await touch.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await page.keyboard.press("KeyX");
    await ctrl(page, "R");
    const clicks = await poll("the two-finger recording", () => page.evaluate(() => {
      const text = window.tovik.readScript();
      return text && text.includes("TOVIK_KBD") ? text.match(/TOVIK_MOUSE\(.*?\);/g) : null;
    }));
    if (clicks.join(" ") !== "TOVIK_MOUSE(100, 150);") fail("two fingers gave " + clicks.join(" "));
  } catch (e) {
    if (process.env.TOVIK_SCREENSHOT) await page.screenshot({ path: process.env.TOVIK_SCREENSHOT });
    throw e;
  } finally {
    await page.close();
  }
}

// A program of one's own draws its first picture.
async function program(browser) {
  const page = await open(browser, { width: 1300, height: 900 }, programUrl);
  await poll("the program's first picture", () => page.evaluate(() => window.tovik.firstPicture > 0));
  await page.close();
}

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tovik-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    userDataDir: profile,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  try {
    await desktop(browser);
    await phone(browser);
    if (programUrl) await program(browser);
    console.log("browser test passed");
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error("browser test failed:", e.message);
  process.exit(1);
});
