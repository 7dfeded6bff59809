// How soon the page is ready (core loaded, example shown) and how large the site is.
//   node bench/page_ready.mjs SITE_DIR [RUNS]
// Each run is a fresh browser context, so nothing comes from a cache.

import { readdirSync, readFileSync, statSync } from "node:fs";
import { join } from "node:path";
import { gzipSync } from "node:zlib";
import { launchChromium, serveSite } from "../tests/site.mjs";

const [site, runsText = "9"] = process.argv.slice(2);
if (!site) {
  console.error("usage: node bench/page_ready.mjs SITE_DIR [RUNS]");
  process.exit(2);
}

function files(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? files(path) : [path];
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const { server, origin } = await serveSite(site);
const browser = await launchChromium();
const times = [];
for (let run = 0; run < Number(runsText); ++run) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await context.newPage();
  await page.goto(`${origin}/?example`);
  await page.waitForSelector("body[data-state=ready]");
  times.push(Number(await page.getAttribute("body", "data-ready-after-ms")));
  await context.close();
}
await browser.close();
server.close();

const all = files(site);
const bytes = all.reduce((sum, path) => sum + statSync(path).size, 0);
const compressed = all.reduce((sum, path) => sum + gzipSync(readFileSync(path), { level: 9 }).length, 0);
console.log(`page ready: median ${median(times)} ms over ${times.length} runs (${Math.min(...times)}-${Math.max(...times)})`);
console.log(`site: ${all.length} files, ${(bytes / 1024).toFixed(0)} KiB, ${(compressed / 1024).toFixed(0)} KiB gzip-compressed`);
