// What the page's tests share: the site served from a port of its own on localhost, the engine
// named by ZKT_ENGINE (chromium, firefox or webkit; see browsers.mjs), one browser of it for each
// test file, zktcli of the native build as the desktop's word.

import { execFileSync } from "node:child_process";
import { mkdirSync, mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, test } from "node:test";
import { abilities, engineNames, launch } from "./browsers.mjs";
import { installMidiDouble } from "./midi_double.mjs";
import { serveSite } from "./site.mjs";

const site = process.env.SITE;
const zktcli = process.env.ZKTCLI;
export const examples = process.env.EXAMPLES;
if (!site || !zktcli || !examples) throw new Error("SITE, ZKTCLI and EXAMPLES must name the site, zktcli and the examples");
export const engine = process.env.ZKT_ENGINE ?? "chromium";
if (!engineNames.includes(engine)) throw new Error(`ZKT_ENGINE is "${engine}": one of ${engineNames.join(", ")}`);
export const can = abilities[engine];

export const exampleFile = join(examples, "three-manuals.zkt");
export const scratch = mkdtempSync(join(tmpdir(), "zkt-page-"));
export const waitLong = { timeout: 60_000 };

// A test that runs in the engines that have every ability it needs, and is skipped, saying why,
// in the others.
export function engineTest(name, needs, body) {
  const missing = needs.filter((ability) => !can[ability]);
  test(name, missing.length > 0 ? { skip: `${engine} lacks ${missing.join(", ")}` } : {}, body);
}

const browsers = new Map();
export function sharedBrowser(options = {}) {
  const key = JSON.stringify(options);
  if (!browsers.has(key)) browsers.set(key, launch(engine, options));
  return browsers.get(key);
}
after(async () => {
  for (const browser of browsers.values()) await (await browser).close();
});

// Where a test leaves what it saw (ZKT_SHOTS names a folder): a screenshot, for a person to look at.
export async function shot(page, name) {
  const folder = process.env.ZKT_SHOTS;
  if (!folder) return;
  mkdirSync(folder, { recursive: true });
  await page.screenshot(join(folder, `${engine}_${name}.png`));
}

// A page of the site in a fresh page of the file's browser, served from a port of its own (so
// nothing stored by another test is seen); with midi, the Web MIDI double (midi_double.mjs)
// installed with those options before the page loads; with languages, the browser's languages
// are those (most wanted first). browserOptions picks another browser (Firefox's preferences).
export async function openSite(t, { width = 1280, height = 720, midi, path = "/", browserOptions, languages } = {}) {
  const { server, origin } = await serveSite(site);
  const browser = await sharedBrowser(browserOptions);
  const page = await browser.newPage({ width, height });
  // An engine without Web MIDI needs no double to be without it.
  if (midi && (can.webMidi || midi.access !== "absent")) await page.initScript(installMidiDouble, midi);
  if (languages) await page.initScript(speakLanguages, languages);
  t.after(async () => {
    await page.close();
    server.closeAllConnections();
    server.close();
  });
  await page.goto(`${origin}${path}`);
  await page.waitFor("body[data-state=ready]", { state: "attached" });
  return { page, server, origin };
}

function speakLanguages(languages) {
  Object.defineProperty(Navigator.prototype, "languages", { get: () => languages });
  Object.defineProperty(Navigator.prototype, "language", { get: () => languages[0] });
}

export async function openExample(t, options) {
  const site = await openSite(t, options);
  await openFile(site.page, exampleFile);
  await site.page.waitFor("#fraManual_0");
  return site;
}

export function openFile(page, path) {
  return page.chooseFile("#fileOpen", path);
}

export function writeScratch(name, contents) {
  const path = join(scratch, name);
  writeFileSync(path, contents);
  return path;
}

export async function savedBytes(page, button = "#tbrMain_save") {
  return (await page.download(() => page.click(button))).bytes;
}

export function zktcliExport(zktPath) {
  return JSON.parse(execFileSync(zktcli, ["export", zktPath], { encoding: "utf8" }));
}

// What the desktop's own save writes for a configuration given as exported JSON.
export function zktcliImport(configuration) {
  const json = writeScratch("edited.json", JSON.stringify(configuration));
  const zkt = join(scratch, "edited.zkt");
  execFileSync(zktcli, ["import", json, "-o", zkt]);
  return readFileSync(zkt);
}

export function pistonNames(page) {
  return page.evaluate(() => Array.from(document.querySelectorAll("#manuals section:not([hidden]) .piston"),
    (b) => b.getAttribute("aria-label")));
}

export function expectedNames(exported) {
  return exported.manuals.flatMap((manual, m) =>
    manual.pistons.map((piston, k) => `Manual ${m + 1}, piston ${k + 1}: ${piston.description}`));
}

export function statusShows(page, text) {
  return page.waitUntil((wanted) => document.getElementById("txtStatus").innerText.includes(wanted), text,
    { ...waitLong, what: `"${text}" in the status area` });
}

// The MIDI setup answered with the devices chosen by their names.
export async function chooseInSetup(page, input, output = input) {
  await page.waitFor("#frmMidiSetup");
  await page.select({ label: "MIDI In:" }, input);
  await page.select({ label: "MIDI Out:" }, output);
  await page.click({ within: "#frmMidiSetup", role: "button", name: "OK" });
}

export const simulator = "ZKT simulator (3 manuals)";
