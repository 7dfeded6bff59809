// Opening and saving in the page, in every engine: the example shows its manuals with every
// piston named as the desktop names it, saving gives back the desktop's bytes and exporting
// zktcli's JSON, damaged files give their messages and leave a working page, a dropped file
// opens, and nothing is asked of any origin but the page's own.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
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
