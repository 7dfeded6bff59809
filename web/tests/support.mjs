// What the page's tests share: the site served from a port of its own on localhost, Debian's
// Chromium driven by Playwright (never a downloaded browser), zktcli of the native build as
// the desktop's word, and a record of every request the page makes.

import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { chromium } from "playwright-core";

const site = process.env.SITE;
const zktcli = process.env.ZKTCLI;
export const examples = process.env.EXAMPLES;
if (!site || !zktcli || !examples) throw new Error("SITE, ZKTCLI and EXAMPLES must name the site, zktcli and the examples");

export const exampleFile = join(examples, "three-manuals.zkt");
export const scratch = mkdtempSync(join(tmpdir(), "zkt-page-"));

const contentTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".mjs": "text/javascript",
  ".css": "text/css",
  ".wasm": "application/wasm",
  ".zkt": "application/octet-stream",
};

function serve(root) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://localhost").pathname));
    const file = join(root, path.endsWith("/") ? `${path}index.html` : path);
    try {
      const body = readFileSync(file);
      response.writeHead(200, { "Content-Type": contentTypes[extname(file)] ?? "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// A page of the site in a fresh browser context, with everything it asks for recorded.
export async function openSite(t, { width = 1280, height = 720 } = {}) {
  const server = await serve(site);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
      "--disable-sync", "--no-first-run", "--disable-quic"],
  });
  const context = await browser.newContext({ viewport: { width, height }, acceptDownloads: true });
  const page = await context.newPage();
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
  return { page, origin, requests, errors };
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
