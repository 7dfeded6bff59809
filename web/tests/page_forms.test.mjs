// The page's editors hold to the desktop's rules, in every engine: what the window refuses is
// refused in its words with the dialog left open and nothing stored, and each editor opens with
// the focus where the window's does.

import assert from "node:assert/strict";
import { test } from "node:test";
import { exampleFile, openExample, savedBytes, zktcliExport, zktcliImport } from "./support.mjs";

const focusedId = (page) => page.evaluate(() => document.activeElement?.id ?? "");

test("a fixed velocity of 0 is refused in the window's words, the dialog stays and nothing is stored", async (t) => {
  const { page } = await openExample(t);
  await page.click("#picKeyboard_0");
  await page.waitFor("#frmMIDIChannels");
  assert.equal(await focusedId(page), "txtManualName");
  await page.check("#chkChannel_0", true);
  await page.check("#chkVelocity_0", false);
  await page.select("#cboVelocity_0", "0");
  await page.click({ within: "#frmMIDIChannels", role: "button", name: "Save" });
  assert.equal(await page.text({ within: "#frmMIDIChannels", role: "alert" }),
    "Channel 1: a fixed velocity of 0 is read back by the organ as 127. Choose 1 to 127, or velocity sensing.");
  await page.waitFor("#frmMIDIChannels");
  await page.click({ within: "#frmMIDIChannels", role: "button", name: "Cancel" });
  await page.waitFor("#frmMIDIChannels", { state: "detached" });
  assert.deepEqual(await savedBytes(page), zktcliImport(zktcliExport(exampleFile)));
  assert.deepEqual(await page.errors(), []);
});

test("the piston editor opens on its function list, also when opened again", async (t) => {
  const { page } = await openExample(t);
  for (const piston of [4, 30]) {
    await page.click(`#cmdPiston_${piston}`);
    await page.waitFor("#frmPiston");
    assert.equal(await focusedId(page), "cboFunction");
    await page.focus("#txtLabel");
    await page.click({ within: "#frmPiston", role: "button", name: "Cancel" });
    await page.waitFor("#frmPiston", { state: "detached" });
  }
});
