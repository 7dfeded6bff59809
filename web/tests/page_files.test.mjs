// Opening and saving in the page: the example shows its manuals with every piston named as the
// desktop names it, saving gives back the desktop's bytes, damaged files give their messages
// and leave a working page, a dropped file opens, and nothing is asked of any origin but the
// page's own.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import {
  exampleFile, expectedNames, openFile, openSite, pistonNames, savedBytes, writeScratch, zktcliExport, zktcliImport,
} from "./support.mjs";

const example = readFileSync(exampleFile, "latin1");
const lines = example.split("\r\n").filter((line) => line !== "");

test("the example opens with its manuals and every piston named with zktcli export's description", async (t) => {
  const { page, origin, requests, errors } = await openSite(t);
  await openFile(page, exampleFile);
  await page.waitForSelector("#fraManual_0:not([hidden])");
  const exported = zktcliExport(exampleFile);
  assert.equal(await page.locator("#manuals section.manual:not([hidden])").count(), exported.numberOfManuals);
  assert.deepEqual(await pistonNames(page), expectedNames(exported));
  assert.match(await page.locator("#txtStatus").innerText(), /Successfully opened file three-manuals\.zkt/);

  // Unchanged, the configuration saves as the desktop writes it.
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));
  assert.equal(await page.title(), "three-manuals.zkt - ZKTConfig by Larkmoor");

  // The export is zktcli's.
  const json = (await savedBytes(page, "#tbrMain_json")).toString("utf8");
  assert.deepEqual(JSON.parse(json), exported);

  const foreign = requests.filter((url) => !url.startsWith(`${origin}/`) && !/^(data|blob):/.test(url));
  assert.deepEqual(foreign, []);
  assert.deepEqual(errors, []);
});

test("damaged files give their messages and the page keeps working", async (t) => {
  const { page, errors } = await openSite(t);
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
      const message = page.locator("#msgBox");
      await message.waitFor();
      assert.equal(await message.locator("h2").innerText(), "File Load Error!", c.name);
      assert.match(await message.innerText(), c.error, c.name);
      await page.click("#cmdMessageOK");
    } else {
      await page.waitForFunction((name) => document.title.startsWith(name), c.name);
      shown = c.manuals;
      assert.match(await page.locator("#txtStatus").innerText(), new RegExp(c.message.replace(/[().]/g, "\\$&")), c.name);
    }
    // A failed open leaves what was shown before.
    assert.equal(await page.locator("#manuals section.manual:not([hidden])").count(), shown, c.name);
  }
  // A file dropped on the page opens as a chosen one does.
  await page.evaluate((text) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([text], "dropped.zkt"));
    document.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, example);
  await page.waitForFunction(() => document.title.startsWith("dropped.zkt"));
  assert.equal(await page.locator("#manuals section.manual").count(), lines.length);
  assert.deepEqual(errors, []);
});
