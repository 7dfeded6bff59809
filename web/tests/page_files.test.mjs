// Opening and saving in the page, in every engine: the example shows its manuals with every
// piston named as the desktop names it, saving gives back the desktop's bytes and exporting
// zktcli's JSON, damaged files give their messages and leave a working page, a dropped file
// opens, nothing is asked of any origin but the page's own, and its security policy lets it
// connect nowhere else, not even to another port of this computer.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { test } from "node:test";
import {
  exampleFile, expectedNames, openExample, openFile, openSite, pistonNames, savedBytes, shot, writeScratch, zktcliExport,
  zktcliImport,
} from "./support.mjs";

const example = readFileSync(exampleFile, "latin1");
const lines = example.split("\r\n").filter((line) => line !== "");

test("the example opens with its manuals and every piston named with zktcli export's description", async (t) => {
  const { page, origin } = await openExample(t);
  const exported = zktcliExport(exampleFile);
  assert.equal(await page.count("#manuals section.manual:not([hidden])"), exported.numberOfManuals);
  assert.deepEqual(await pistonNames(page), expectedNames(exported));
  assert.match(await page.text("#txtStatus"), /Successfully opened file three-manuals\.zkt/);
  await shot(page, "example");

  // Unchanged, the configuration saves as the desktop writes it.
  const saved = await page.download(() => page.click("#tbrMain_save"));
  assert.equal(saved.name, "three-manuals.zkt");
  assert.deepEqual(saved.bytes, zktcliImport(exported));
  assert.equal(await page.title(), "three-manuals.zkt - ZKTConfig by Larkmoor");

  // The export is zktcli's.
  const json = await page.download(() => page.click("#tbrMain_json"));
  assert.equal(json.name, "three-manuals.json");
  assert.deepEqual(JSON.parse(json.bytes.toString("utf8")), exported);

  const foreign = (await page.fetched()).filter((url) => !url.startsWith(`${origin}/`) && !/^(data|blob):/.test(url));
  assert.deepEqual(foreign, []);
  assert.deepEqual(await page.errors(), []);
});

test("damaged files give their messages and the page keeps working", async (t) => {
  const { page } = await openSite(t);
  const cases = [
    { name: "cut-short.zkt", contents: `${lines[0]}\r\n${lines[1].slice(0, 412)}\r\n${lines[2]}\r\n`, manuals: 2,
      message: "Line 2 is cut short (412 of 780 characters): manual 2 was not read." },
    { name: "empty.zkt", contents: "", manuals: 0, message: "The file holds no configuration: no line in it is a manual's image." },
    { name: "six.zkt", contents: `${[...lines, ...lines].join("\r\n")}\r\n`, manuals: 5,
      message: "Only the first five manuals were read." },
    { name: "not-hex.zkt", contents: `${lines[0]}\r\n${"zz ".repeat(260)}\r\n`, manuals: 0, error: /not-hex\.zkt, line 2: / },
    { name: "binary.zkt", contents: Buffer.from(Array.from({ length: 3000 }, (_, i) => (i * 7919) % 256)), manuals: 0,
      message: "The file holds no configuration: no line in it is a manual's image." },
    { name: "huge.zkt", contents: "0".repeat(2 * 1024 * 1024), manuals: 0, error: /huge\.zkt: .* far more than/ },
  ];
  let shown = 0;
  for (const c of cases) {
    await openFile(page, writeScratch(c.name, c.contents));
    if (c.error) {
      await page.waitFor("#msgBox");
      assert.equal(await page.text("#msgBox h2"), "File Load Error!", c.name);
      assert.match(await page.text("#msgBox"), c.error, c.name);
      await page.click("#cmdMessageOK");
      await page.waitFor("#msgBox", { state: "detached" });
    } else {
      await page.waitUntil((name) => document.title.startsWith(name), c.name);
      shown = c.manuals;
      assert.ok((await page.text("#txtStatus")).includes(c.message), c.name);
    }
    // A failed open leaves what was shown before.
    assert.equal(await page.count("#manuals section.manual:not([hidden])"), shown, c.name);
  }
  // A file dropped on the page opens as a chosen one does.
  await page.evaluate((text) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([text], "dropped.zkt"));
    document.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, example);
  await page.waitUntil(() => document.title.startsWith("dropped.zkt"));
  assert.equal(await page.count("#manuals section.manual"), lines.length);
  assert.deepEqual(await page.errors(), []);
});

// The sources each directive may name: the page's own origin, none, and the page's own data:
// images; anything else (a host, a port, a scheme) would let the page reach beyond itself.
const allowedSources = {
  "default-src": ["'none'"], "script-src": ["'self'", "'wasm-unsafe-eval'"], "worker-src": ["'self'"],
  "manifest-src": ["'self'"], "style-src": ["'self'", "'unsafe-inline'"], "img-src": ["'self'", "data:"],
  "connect-src": ["'self'"], "frame-src": ["'self'"], "base-uri": ["'none'"], "form-action": ["'none'"],
};

test("the security policy lets the page connect to its own origin and nowhere else", async (t) => {
  const { page } = await openSite(t);
  const policy = await page.evaluate(() => document.querySelector('meta[http-equiv="Content-Security-Policy"]').content);
  const directives = Object.fromEntries(policy.split(";").map((d) => d.trim().split(/\s+/)).filter((d) => d[0] !== "")
    .map(([name, ...sources]) => [name, sources]));
  assert.deepEqual(directives, allowedSources);

  // Another server on this computer, which must hear nothing from the page.
  const heard = [];
  const other = createServer((request, response) => {
    heard.push(request.url);
    response.writeHead(200, { "Access-Control-Allow-Origin": "*" });
    response.end("reached");
  });
  other.on("upgrade", (request, socket) => {
    heard.push(`upgrade ${request.url}`);
    socket.destroy();
  });
  await new Promise((resolve) => other.listen(0, "127.0.0.1", resolve));
  t.after(() => other.close());
  const port = other.address().port;

  const tried = await page.evaluate(async (port) => {
    const violations = [];
    document.addEventListener("securitypolicyviolation", (event) => violations.push(event.effectiveDirective));
    const attempts = [];
    for (const host of ["127.0.0.1", "localhost"]) {
      const http = `http://${host}:${port}`;
      attempts.push(fetch(`${http}/fetch`).then(() => "reached", () => "refused"));
      attempts.push(new Promise((resolve) => {
        const request = new XMLHttpRequest();
        request.onload = () => resolve("reached");
        request.onerror = () => resolve("refused");
        try {
          request.open("GET", `${http}/xhr`);
          request.send();
        } catch {
          resolve("refused");
        }
      }));
      attempts.push(new Promise((resolve) => {
        try {
          const socket = new WebSocket(`ws://${host}:${port}/socket`);
          socket.onopen = () => resolve("reached");
          socket.onerror = () => resolve("refused");
        } catch {
          resolve("refused");
        }
      }));
      attempts.push(new Promise((resolve) => {
        try {
          const source = new EventSource(`${http}/events`);
          source.onopen = () => resolve("reached");
          source.onerror = () => {
            source.close();
            resolve("refused");
          };
        } catch {
          resolve("refused");
        }
      }));
      try {
        navigator.sendBeacon(`${http}/beacon`, "x");
      } catch {
        // Refused at once.
      }
    }
    const outcomes = await Promise.all(attempts);
    await new Promise((resolve) => setTimeout(resolve, 300));
    return { outcomes, violations };
  }, port);
  assert.deepEqual(heard, []);
  assert.deepEqual(new Set(tried.outcomes), new Set(["refused"]));
  assert.ok(tried.violations.length >= tried.outcomes.length, `${tried.violations.length} violations reported`);
  assert.deepEqual(new Set(tried.violations), new Set(["connect-src"]));
});
