// What the page's tests share: the site served from a port of its own on localhost, Debian's
// Chromium driven by Playwright (never a downloaded browser), zktcli of the native build as
// the desktop's word, and a record of every request the page makes.

import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { installMidiDouble } from "./midi_double.mjs";
import { launchChromium, serveSite } from "./site.mjs";

const site = process.env.SITE;
const zktcli = process.env.ZKTCLI;
export const examples = process.env.EXAMPLES;
if (!site || !zktcli || !examples) throw new Error("SITE, ZKTCLI and EXAMPLES must name the site, zktcli and the examples");

export const exampleFile = join(examples, "three-manuals.zkt");
export const scratch = mkdtempSync(join(tmpdir(), "zkt-page-"));

// A page of the site in a fresh browser context, with everything it asks for recorded; with
// midi, the Web MIDI double (midi_double.mjs) installed with those options before the page loads.
export async function openSite(t, { width = 1280, height = 720, midi } = {}) {
  const { server, origin } = await serveSite(site);
  const browser = await launchChromium();
  const context = await browser.newContext({ viewport: { width, height }, acceptDownloads: true });
  const page = await context.newPage();
  if (midi) await page.addInitScript(installMidiDouble, midi);
  const requests = [];
  const errors = [];
  context.on("request", (request) => requests.push(request.url()));
  page.on("pageerror", (error) => errors.push(error.message));
  t.after(async () => {
    await browser.close();
    server.close();
  });
  await page.goto(`${origin}/`);
  await page.waitForSelector("body[data-state=ready]");
  return { page, context, server, origin, requests, errors };
}

export async function openFile(page, path) {
  await page.setInputFiles("#fileOpen", path);
}

export function writeScratch(name, contents) {
  const path = join(scratch, name);
  writeFileSync(path, contents);
  return path;
}

export async function savedBytes(page, button = "#tbrMain_save") {
  const [download] = await Promise.all([page.waitForEvent("download"), page.click(button)]);
  return readFileSync(await download.path());
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

export async function pistonNames(page) {
  return page.$$eval("#manuals section:not([hidden]) .piston", (buttons) => buttons.map((b) => b.getAttribute("aria-label")));
}

export function expectedNames(exported) {
  return exported.manuals.flatMap((manual, m) =>
    manual.pistons.map((piston, k) => `Manual ${m + 1}, piston ${k + 1}: ${piston.description}`));
}
