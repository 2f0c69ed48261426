// Plays the built site in headless Chromium as a user would: the scene, a
// click on a monkey, halt and run, recording and playback, the text window
// quitting, and TOVIK.SCR kept across a reload.  Usage: node browser_test.js SITE_URL
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const url = process.argv[2];
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

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tovik-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    userDataDir: profile,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  const page = await browser.newPage();
  try {
    page.on("pageerror", (e) => console.error("page error:", e.message));
    // The game seeds from the clock: pin it before the program starts.
    await page.evaluateOnNewDocument(() => {
      const start = performance.now();
      Date.now = () => 1000 + Math.floor((performance.now() - start) / 1e6);
    });
    await page.setViewport({ width: 1300, height: 900 });
    await page.goto(url);
    const canvas = await poll("the graphics window", () => page.$('canvas[aria-label="TOVIK Graphics"]'));

    // The night scene: navy sky, the crescent, then the olive panel after the crawl.
    await poll("the navy sky", async () => count(await graphics(page, 400, 0, 40, 10), 0x003399) > 300);
    await poll("the crescent", async () => count(await graphics(page, 520, 0, 70, 70), 0xffffff) > 50);
    await poll("the olive panel", async () => count(await graphics(page, 2, 0, 100, 50), 0x999933) > 100);

    // A click on a monkey's centre blows it up, recorded with a key.
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
    await poll("the halt", async () => {
      const a = await sky();
      await new Promise((r) => setTimeout(r, 1000));
      return same(a, await sky());
    }, 10000);
    await ctrl(page, "A");
    const halted = await sky();
    await poll("the animation to run again", async () => !same(halted, await sky()), 10000);

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
    await poll("the playback to go on", async () => !same(halted, await sky()), 10000);
    if ((await page.evaluate(() => window.tovik.readScript())) !== script) fail("playback changed TOVIK.SCR");

    await ctrl(page, "Q");
    await poll("the end of the game", () => page.evaluate(() =>
      window.tovik.state === "ended" && document.getElementById("ended").style.display === "block"));
    if (process.env.TOVIK_SCREENSHOT) await page.screenshot({ path: process.env.TOVIK_SCREENSHOT });

    // The recording outlives the page.
    await page.reload();
    const kept = await poll("the program after a reload", () => page.evaluate(() =>
      window.tovik.state === "running" ? String(window.tovik.readScript()) : null));
    if (kept !== script) fail("after a reload TOVIK.SCR holds " + JSON.stringify(kept));
    console.log("browser test passed");
  } catch (e) {
    if (process.env.TOVIK_SCREENSHOT) await page.screenshot({ path: process.env.TOVIK_SCREENSHOT });
    throw e;
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error("browser test failed:", e.message);
  process.exit(1);
});
