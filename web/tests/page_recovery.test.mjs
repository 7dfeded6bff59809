// The copy of unsaved changes, in every engine: a tab closed after an edit (agreeing to leave)
// offers the edit back at the next visit, Recover gives back exactly the edited bytes and Discard
// leaves nothing; a save and an undo back to the saved state take the copy away; an open tab's
// copy is never offered; entries that are no copy are neither offered nor in the way; and a
// browser that refuses to keep the copy is told of once.

import assert from "node:assert/strict";
import { test } from "node:test";
import { exampleFile, openFile, openSite, savedBytes, shot, zktcliImport } from "./support.mjs";

const modified = "three-manuals.zkt* - ZKTConfig by Larkmoor";

// What the page's storage holds: [{ key, value }]. Entries may be of any kind.
function storedCopies(page) {
  return page.evaluate(() => new Promise((resolve, reject) => {
    const request = indexedDB.open("zktconfig-unsaved-changes", 1);
    request.onupgradeneeded = () => request.result.createObjectStore("copies");
    request.onerror = () => reject(request.error);
    request.onsuccess = () => {
      const transaction = request.result.transaction("copies");
      const keys = transaction.objectStore("copies").getAllKeys();
      const values = transaction.objectStore("copies").getAll();
      transaction.oncomplete = () => {
        request.result.close();
        resolve(keys.result.map((key, i) => ({ key, value: values.result[i] })));
      };
    };
  }));
}

// Waits until the storage holds count entries, and gives them.
async function copiesCounted(page, count) {
  const end = Date.now() + 10_000;
  for (;;) {
    const copies = await storedCopies(page);
    if (copies.length === count) return copies;
    if (Date.now() > end) throw new Error(`${page.engine}: ${copies.length} entries stored, not ${count}`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

async function visit(page, origin) {
  await page.goto(`${origin}/`);
  await page.waitFor("body[data-state=ready]", { state: "attached" });
}

// A tab of its own with the example open and a label typed for Manual 2, piston 5; resolves
// with the configuration as the desktop would save it, once the tab has kept its copy.
async function editInNewTab(page, origin) {
  const tab = await page.newTab();
  await visit(tab, origin);
  await openFile(tab, exampleFile);
  await tab.waitFor("#fraManual_0");
  await tab.click("#cmdPiston_24");
  await tab.fill({ label: "Label:" }, "Full Organ");
  await tab.click({ within: "#frmPiston", role: "button", name: "Save" });
  assert.equal(await tab.title(), modified);
  const json = await tab.download(() => tab.click("#tbrMain_json"));
  return { tab, expected: zktcliImport(JSON.parse(json.bytes.toString("utf8"))) };
}

test("a tab closed after an edit offers it back: Recover gives the edited bytes, Discard leaves nothing", async (t) => {
  const { page, origin } = await openSite(t);
  const first = await editInNewTab(page, origin);
  await copiesCounted(first.tab, 1);
  await first.tab.closeTab();

  await visit(page, origin);
  await page.waitFor("#msgRecoverChanges");
  assert.equal(await page.text("#msgRecoverChanges h2"), "Recover Unsaved Changes");
  assert.match(await page.text("#msgRecoverChanges .question"),
    /^ZKTConfig ended without saving the changes to three-manuals\.zkt\. They were kept at \S.* on \S.*\.$/);
  assert.match(await page.text("#msgRecoverChanges"), /Recover opens them as unsaved changes; Discard deletes them\./);
  assert.equal(await page.evaluate(() => document.activeElement?.id), "cmdRecover");
  await shot(page, "recovery_question");
  await page.click({ within: "#msgRecoverChanges", role: "button", name: "Recover" });
  await page.waitFor("#fraManual_0");
  assert.equal(await page.title(), modified);
  assert.deepEqual(await savedBytes(page), first.expected);
  await copiesCounted(page, 0);

  const second = await editInNewTab(page, origin);
  await copiesCounted(second.tab, 1);
  await second.tab.closeTab();
  await visit(page, origin);
  await page.click({ within: "#msgRecoverChanges", role: "button", name: "Discard" });
  await copiesCounted(page, 0);
  assert.equal(await page.title(), "ZKTConfig by Larkmoor");
  await visit(page, origin);
  assert.equal(await page.count("#msgRecoverChanges"), 0);
  assert.deepEqual(await page.errors(), []);
});

test("a save or an undo to the saved state takes the copy away, and an open tab's copy is never offered", async (t) => {
  const { page, origin } = await openSite(t);
  const { tab } = await editInNewTab(page, origin);
  await copiesCounted(tab, 1);
  await tab.press("Control+Z");
  await copiesCounted(tab, 0);
  await tab.press("Control+Y");
  await copiesCounted(tab, 1);
  await savedBytes(tab);
  await copiesCounted(tab, 0);
  await tab.click("#cmdPiston_3");
  await tab.fill({ label: "Label:" }, "Tutti");
  await tab.click({ within: "#frmPiston", role: "button", name: "Save" });
  const [open] = await copiesCounted(tab, 1);

  // Another program's entries and damaged ones, which no open tab holds.
  await tab.evaluate(() => new Promise((resolve) => {
    const request = indexedDB.open("zktconfig-unsaved-changes", 1);
    request.onsuccess = () => {
      const transaction = request.result.transaction("copies", "readwrite");
      const store = transaction.objectStore("copies");
      store.put("{\"configuration\": 7}", "gone");
      store.put("not a copy", "alien");
      store.put({ theme: "dark" }, 42);
      transaction.oncomplete = () => resolve(request.result.close());
    };
  }));
  await visit(page, origin);
  assert.equal(await page.count("#msgRecoverChanges"), 0);
  assert.deepEqual(await storedCopies(page), [open], "the open tab's copy stays, the rest is gone");

  // Storage that refuses every copy is said once, and the page goes on.
  await openFile(page, exampleFile);
  await page.waitFor("#fraManual_0");
  await page.evaluate(() => {
    IDBObjectStore.prototype.put = () => {
      throw new DOMException("The quota has been exceeded.", "QuotaExceededError");
    };
  });
  for (const piston of [0, 1]) {
    await page.focus(`#cmdPiston_${piston}`);
    await page.press("Delete");
    await page.waitUntil(() => document.querySelectorAll("#txtStatus p.warning").length > 0, null, { timeout: 5000 });
  }
  await new Promise((resolve) => setTimeout(resolve, 2500));
  assert.deepEqual(await page.texts("#txtStatus p.warning"),
    ["Unsaved changes not kept for recovery: The quota has been exceeded."]);
  assert.equal(await page.title(), modified);
  assert.deepEqual(await page.errors(), []);
});
