// Figures for the page in each engine: how soon it is ready (from the start of navigation until
// the example organ is shown, ?example; the browser's own start not counted), and a load and a
// safe write from the simulator in a tab left in front against one sent to the background at
// once (Chromium and Firefox; WebKit has no Web MIDI, and its driver has one window). The
// background runs let the browser slow the page's timers as it does for its users.
//   xvfb-run -a node bench/engines.mjs SITE_DIR ZKTCLI EXAMPLES_DIR [RUNS]
// (WebKitGTK needs a display; xvfb-run gives it one.)

import { execFileSync } from "node:child_process";
import { mkdtempSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { engineNames, launch } from "../tests/browsers.mjs";
import { serveSite } from "../tests/site.mjs";
import { watchPage } from "./page_marks.mjs";

const [site, zktcli, examples, runsText = "5"] = process.argv.slice(2);
if (!site || !zktcli || !examples) {
  console.error("usage: xvfb-run -a node bench/engines.mjs SITE_DIR ZKTCLI EXAMPLES_DIR [RUNS]");
  process.exit(2);
}
const runs = Number(runsText);
const loaded = "ZKT Configuration data loaded!";
const verified = "Verified: every manual in the chain matches the configuration.";
const simulator = "ZKT simulator (3 manuals)";

const scratch = mkdtempSync(join(tmpdir(), "zkt-bench-"));
const configuration = JSON.parse(execFileSync(zktcli, ["export", join(examples, "three-manuals.zkt")], { encoding: "utf8" }));
configuration.manuals[1].pistons[10].programNumber = 22;
writeFileSync(join(scratch, "edited.json"), JSON.stringify(configuration));
const edited = join(scratch, "edited.zkt");
execFileSync(zktcli, ["import", join(scratch, "edited.json"), "-o", edited]);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const spread = (values, unit, scale = 1, digits = 0) =>
  `median ${(median(values) / scale).toFixed(digits)} ${unit} (${values.length} runs, ` +
  `${(Math.min(...values) / scale).toFixed(digits)}-${(Math.max(...values) / scale).toFixed(digits)})`;

// Each run serves the site on a new port: a new origin, with nothing cached or kept for it.
async function freshSite() {
  const served = await serveSite(site);
  return { ...served, close: () => {
    served.server.closeAllConnections();
    served.server.close();
  } };
}

async function pageReady(engine) {
  const browser = await launch(engine);
  const times = [];
  for (let run = 0; run < runs; ++run) {
    const { origin, close } = await freshSite();
    const page = await browser.newPage();
    await page.goto(`${origin}/?example`);
    await page.waitFor("body[data-state=ready]", { state: "attached" });
    times.push(Number(await page.attribute("body", "data-ready-after-ms")));
    await page.close();
    close();
  }
  await browser.close();
  return times;
}

// Sends the page to the background behind a tab of its own site, and says whether it is hidden.
async function hide(page, origin) {
  const front = await page.newTab();
  await front.goto(`${origin}/`);
  await front.bringToFront();
  await page.waitUntil(() => document.visibilityState === "hidden", null, { what: "the page hidden" });
  return front;
}

async function transfer(browser, kind, background) {
  const { origin, close } = await freshSite();
  const page = await browser.newPage();
  await page.initScript((name) => localStorage.setItem("zktconfig.midiDevices", JSON.stringify({ input: name, output: name })), simulator);
  await page.goto(`${origin}/`);
  await page.waitFor("body[data-state=ready]", { state: "attached" });
  await page.evaluate(watchPage);
  const until = (line) => page.waitUntil((line) => window.benchMarks[line] !== undefined, line, { timeout: 120_000, what: line });
  let front = null;
  let elapsed;
  if (kind === "load") {
    await page.evaluate(() => window.benchStart("tbrMain_loado"));
    if (background) front = await hide(page, origin);
    await until(loaded);
    elapsed = await page.evaluate((line) => window.benchMarks[line] - window.benchMarks.start, loaded);
  } else {
    await page.chooseFile("#fileOpen", edited);
    await page.waitUntil(() => document.title.startsWith("edited.zkt"));
    await page.evaluate(() => window.benchStart("tbrMain_write"));
    if (background) front = await hide(page, origin);
    await until("dialog");
    // The user comes back to answer the dialog, and leaves again.
    if (front !== null) {
      await front.close();
      await page.bringToFront();
    }
    const answered = await page.evaluate(() => performance.now());
    await page.click("#cmdWrite");
    if (background) front = await hide(page, origin);
    await until(verified);
    const marks = await page.evaluate(() => window.benchMarks);
    elapsed = (marks.dialog - marks.start) + (marks[verified] - answered);
  }
  if (front !== null) await front.close();
  await page.close();
  close();
  return elapsed;
}

const lines = [];
for (const engine of engineNames) {
  lines.push(`page ready, ${engine}: ${spread(await pageReady(engine), "ms")}`);
  console.log(lines.at(-1));
}
for (const engine of ["chromium", "firefox"]) {
  const browser = await launch(engine, { asBrowsed: true });
  for (const kind of ["load", "write"]) {
    for (const background of [false, true]) {
      const times = [];
      for (let run = 0; run < runs; ++run) times.push(await transfer(browser, kind, background));
      lines.push(`${kind === "load" ? "load of 3 manuals" : "safe write, 1 piston changed"}, ${engine}, ` +
        `${background ? "background tab" : "tab in front"}: ${spread(times, "s", 1000, 2)}`);
      console.log(lines.at(-1));
    }
  }
  await browser.close();
}
