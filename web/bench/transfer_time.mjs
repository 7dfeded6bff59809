// The page's load and safe write against its simulated chain, side by side with zktcli doing the
// same against the same simulated chain, both in real time (zktcli --real-time): the example
// organ of three manuals loaded, and the example with one piston changed written (backup, the
// changed chunk only, read-back). Each is timed from the command to the last line of its report;
// the page's write leaves out the time its write dialog waits for the user. Each transfer has a
// fresh page, as each zktcli a fresh process: the pause before a manual's first program request
// counts from the end of the transfer before, so a second transfer would start faster.
//   node bench/transfer_time.mjs SITE_DIR ZKTCLI EXAMPLES_DIR [RUNS]

import { execFileSync, spawn } from "node:child_process";
import { mkdtempSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { launchChromium, serveSite } from "../tests/site.mjs";
import { watchPage } from "./page_marks.mjs";

const [site, zktcli, examples, runsText = "3"] = process.argv.slice(2);
if (!site || !zktcli || !examples) {
  console.error("usage: node bench/transfer_time.mjs SITE_DIR ZKTCLI EXAMPLES_DIR [RUNS]");
  process.exit(2);
}
const loaded = "ZKT Configuration data loaded!";
const verified = "Verified: every manual in the chain matches the configuration.";
const simulator = "ZKT simulator (3 manuals)";

const scratch = mkdtempSync(join(tmpdir(), "zkt-bench-"));
const configuration = JSON.parse(execFileSync(zktcli, ["export", join(examples, "three-manuals.zkt")], { encoding: "utf8" }));
configuration.manuals[1].pistons[10].programNumber = 22;
writeFileSync(join(scratch, "edited.json"), JSON.stringify(configuration));
const edited = join(scratch, "edited.zkt");
execFileSync(zktcli, ["import", join(scratch, "edited.json"), "-o", edited]);

// Milliseconds from the start of zktcli until it prints the line.
function zktcliTime(args, line) {
  return new Promise((resolve, reject) => {
    const start = performance.now();
    let output = "";
    let seen = null;
    // Backups go to the scratch folder, not the home of whoever measures.
    const child = spawn(zktcli, args, { env: { ...process.env, XDG_DATA_HOME: scratch } });
    child.stderr.on("data", (data) => {
      output += data;
      if (seen === null && output.includes(line)) seen = performance.now() - start;
    });
    child.on("close", (code) => (code === 0 && seen !== null ? resolve(seen) : reject(new Error(`zktcli ${args.join(" ")}: ${code}\n${output}`))));
  });
}

// A fresh page with the simulator chosen as MIDI input and output.
async function freshPage(browser, origin) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await context.newPage();
  await page.addInitScript((name) => localStorage.setItem("zktconfig.midiDevices", JSON.stringify({ input: name, output: name })), simulator);
  await page.goto(`${origin}/`);
  await page.waitForSelector("body[data-state=ready]");
  await page.evaluate(watchPage);
  return { context, page };
}

async function pageLoad(browser, origin) {
  const { context, page } = await freshPage(browser, origin);
  await page.evaluate(() => window.benchStart("tbrMain_loado"));
  await page.waitForFunction((line) => window.benchMarks[line] !== undefined, loaded, { timeout: 60_000 });
  const load = await page.evaluate((line) => window.benchMarks[line] - window.benchMarks.start, loaded);
  await context.close();
  return load;
}

async function pageWrite(browser, origin) {
  const { context, page } = await freshPage(browser, origin);
  await page.setInputFiles("#fileOpen", edited);
  await page.waitForFunction(() => document.title.startsWith("edited.zkt"));
  await page.evaluate(() => window.benchStart("tbrMain_write"));
  await page.waitForSelector("#frmWrite", { timeout: 60_000 });
  const answered = await page.evaluate(() => performance.now());
  await page.click("#cmdWrite");
  await page.waitForFunction((line) => window.benchMarks[line] !== undefined, verified, { timeout: 60_000 });
  const marks = await page.evaluate(() => window.benchMarks);
  await context.close();
  return (marks.dialog - marks.start) + (marks[verified] - answered);
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const { server, origin } = await serveSite(site);
const browser = await launchChromium();
const results = { pageLoad: [], cliLoad: [], pageWrite: [], cliWrite: [] };
for (let run = 0; run < Number(runsText); ++run) {
  results.cliLoad.push(await zktcliTime(["load", "--simulate", "3", "--real-time", "-o", join(scratch, "loaded.zkt")], loaded));
  results.cliWrite.push(await zktcliTime(["write", edited, "--simulate", "3", "--real-time"], verified));
  results.pageLoad.push(await pageLoad(browser, origin));
  results.pageWrite.push(await pageWrite(browser, origin));
}
await browser.close();
server.close();

const seconds = (values) => `${(median(values) / 1000).toFixed(2)} s (${values.map((v) => (v / 1000).toFixed(2)).join(", ")})`;
console.log(`load of 3 manuals:           page ${seconds(results.pageLoad)}   zktcli ${seconds(results.cliLoad)}`);
console.log(`safe write, 1 piston changed: page ${seconds(results.pageWrite)}   zktcli ${seconds(results.cliWrite)}`);
