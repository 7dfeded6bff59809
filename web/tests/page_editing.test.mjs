// Editing in the page: the piston editor from the keyboard with the desktop's labels, an edit
// saved as the desktop saves it, the Bank Select refusal, the keyboard editor, undo and redo,
// copy and paste, and the print view.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import {
  exampleFile, expectedNames, openFile, openSite, pistonNames, savedBytes, writeScratch, zktcliExport, zktcliImport,
} from "./support.mjs";

async function openExample(t) {
  const site = await openSite(t);
  await openFile(site.page, exampleFile);
  await site.page.waitForSelector("#fraManual_0:not([hidden])");
  return site;
}

test("an edit made in the piston editor saves the desktop's bytes for the same edit", async (t) => {
  const { page, errors } = await openExample(t);
  // Manual 2, piston 5, reached from the keyboard and opened with Enter.
  await page.focus("#cmdPiston_23");
  await page.keyboard.press("Tab");
  await page.keyboard.press("Enter");
  const editor = page.locator("#frmPiston");
  await editor.waitFor();
  assert.equal(await page.locator("#lblPiston").innerText(), "Piston #5 on Manual #2");
  await page.getByLabel("What do you want this thumb piston to do?").selectOption({ label: "Program Change" });
  await editor.getByRole("combobox", { name: "Which Program Change number?" }).selectOption({ label: "12" });
  await editor.getByLabel("MIDI Channel").selectOption({ label: "3" });
  await editor.getByRole("button", { name: "Save" }).click();
  await editor.waitFor({ state: "detached" });

  const exported = zktcliExport(exampleFile);
  const piston = exported.manuals[1].pistons[4];
  Object.assign(piston, { functionGroup: 7, functionType: 0, midiChannel: 3, programNumber: 12,
    description: "Program Change #12 on MIDI Channel 3" });
  assert.deepEqual(await pistonNames(page), expectedNames(exported));
  assert.equal(await page.title(), "three-manuals.zkt* - ZKTConfig by Larkmoor");
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));
  assert.deepEqual(errors, []);
});

test("Bank Select with no box checked is refused, saying why; Cancel changes nothing", async (t) => {
  const { page } = await openExample(t);
  const before = await pistonNames(page);
  await page.click("#cmdPiston_1");
  const editor = page.locator("#frmPiston");
  await editor.getByLabel("What do you want this thumb piston to do?").selectOption({ label: "Bank Select" });
  for (const row of [0, 1, 2]) await editor.locator(`#chkBankSel_${row}`).uncheck();
  assert.equal(await editor.locator("#cboBankSel_0").isDisabled(), true);
  await editor.getByRole("button", { name: "Save" }).click();
  assert.match(await editor.getByRole("alert").innerText(), /This Bank Select sends nothing/);
  await editor.getByRole("button", { name: "Cancel" }).click();
  await editor.waitFor({ state: "detached" });
  assert.deepEqual(await pistonNames(page), before);
});

test("undo and redo take back every edit and the open; copy and paste a piston and a manual", async (t) => {
  const { page } = await openExample(t);
  const opened = await pistonNames(page);
  const name = (index) => page.locator(`#cmdPiston_${index}`).getAttribute("aria-label");

  await page.focus("#cmdPiston_0");
  await page.keyboard.press("Delete");
  assert.equal(await name(0), "Manual 1, piston 1: ");
  await page.focus("#cmdPiston_2");
  await page.keyboard.press("Control+C");
  await page.focus("#cmdPiston_45");
  await page.keyboard.press("Control+V");
  assert.equal((await name(45)).split(": ")[1], opened[2].split(": ")[1]);

  await page.click("#picKeyboard_0", { button: "right" });
  await page.click("#mnuManualCopy");
  await page.click("#picKeyboard_2", { button: "right" });
  await page.click("#mnuManualPaste");
  const pasted = await pistonNames(page);
  assert.deepEqual(pasted.slice(40, 60).map((n) => n.split(": ")[1]), pasted.slice(0, 20).map((n) => n.split(": ")[1]));
  assert.match(await page.locator("#tbrMain_undo").getAttribute("title"), /^Undo Paste Manual 1 onto Manual 3$/);

  for (let step = 0; step < 3; ++step) await page.keyboard.press("Control+Z");
  assert.deepEqual(await pistonNames(page), opened);
  assert.equal(await page.title(), "three-manuals.zkt - ZKTConfig by Larkmoor");
  await page.keyboard.press("Control+Z"); // the open itself
  assert.equal(await page.locator("#manuals section.manual:not([hidden])").count(), 0);
  for (let step = 0; step < 4; ++step) await page.keyboard.press("Control+Shift+Z");
  assert.deepEqual(await pistonNames(page), pasted);
});

test("the keyboard editor stores its inputs; the print view holds every description", async (t) => {
  const { page } = await openExample(t);
  await page.click("#picKeyboard_1");
  const editor = page.locator("#frmMIDIChannels");
  assert.equal(await page.locator("#lblMIDIChannels").innerText(), "Manual # 2");
  await editor.getByRole("checkbox", { name: "Channel 5", exact: true }).check();
  await editor.getByRole("combobox", { name: "Channel 5 key offset" }).selectOption({ label: "+12" });
  await editor.getByRole("tab", { name: "General Settings" }).click();
  await editor.getByRole("combobox", { name: "On which MIDI channel?" }).selectOption({ label: "9" });
  await editor.getByRole("button", { name: "Save" }).click();

  const exported = zktcliExport(exampleFile);
  const manual = exported.manuals[1];
  manual.keyboard.channels |= 1 << 4;
  manual.keyboard.archiveChannel = 9;
  manual.channels[4].channelTranspose = 48;
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));

  await page.click("#tbrMain_print");
  const chart = page.frameLocator("#chartPreview");
  const text = await chart.locator("body").innerText();
  for (const description of new Set(exported.manuals.flatMap((m) => m.pistons.map((p) => p.description)))) {
    if (description !== "") assert.ok(text.includes(description), description);
  }
  assert.equal(await chart.locator("h1").count(), exported.numberOfManuals);
});

test("names and labels typed in the editors and the overview show on the panels and save as the desktop's", async (t) => {
  const { page, errors } = await openExample(t);
  await page.click("#cmdPiston_24");
  await page.getByLabel("Label:").fill("Full Organ");
  await page.locator("#frmPiston").getByRole("button", { name: "Save" }).click();
  await page.click("#picKeyboard_1");
  await page.getByLabel("Name:").fill("  Swell ");
  await page.locator("#frmMIDIChannels").getByRole("button", { name: "Save" }).click();
  // A label still being typed when Ctrl+S is pressed is saved with the rest.
  await page.focus('#grdPistonOverview tr[data-piston="0"]');
  await page.keyboard.press("F2");
  await page.keyboard.type("é".repeat(45));
  const [download] = await Promise.all([page.waitForEvent("download"), page.keyboard.press("Control+S")]);

  const exported = zktcliExport(exampleFile);
  exported.manuals[1].name = "Swell";
  exported.manuals[1].pistons[4].label = "Full Organ";
  exported.manuals[0].pistons[0].label = "é".repeat(40);
  assert.deepEqual(readFileSync(await download.path()), zktcliImport(exported));
  assert.equal(await page.title(), "three-manuals.zkt - ZKTConfig by Larkmoor");
  assert.equal(await page.locator("#lblKeyboard_1").innerText(), "Manual #2 \u2014 Swell");
  assert.equal(await page.locator("#cmdPiston_24").getAttribute("aria-label"),
    `Full Organ (Manual 2, piston 5): ${exported.manuals[1].pistons[4].description}`);
  await page.fill("#txtOverviewFilter", "full organ");
  assert.equal(await page.locator("#grdPistonOverview tbody tr:not([hidden])").count(), 1);
  await page.focus("#cmdPiston_0");
  for (let step = 0; step < 3; ++step) await page.keyboard.press("Control+Z");
  assert.equal(await page.locator("#lblKeyboard_1").innerText(), "Manual #2");
  assert.deepEqual(errors, []);
});

test("a line break stored in a label shows as a space, stays while untouched, and gives way to typing", async (t) => {
  const { page } = await openSite(t);
  const exported = zktcliExport(exampleFile);
  exported.manuals[0].pistons[2].label = "Swell\nBox";
  const file = writeScratch("line-break.zkt", zktcliImport(exported));
  await openFile(page, file);
  await page.waitForSelector("#fraManual_0:not([hidden])");
  const label = () => page.getByLabel("Label:");

  await page.click("#cmdPiston_2");
  assert.equal(await label().inputValue(), "Swell Box");
  await page.locator("#frmPiston").getByRole("button", { name: "Save" }).click();
  assert.deepEqual(await savedBytes(page), readFileSync(file));

  await page.click("#cmdPiston_2");
  await label().press("End");
  await label().pressSequentially("2");
  await page.locator("#frmPiston").getByRole("button", { name: "Save" }).click();
  exported.manuals[0].pistons[2].label = "Swell Box2";
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));

  // Escape in the overview puts the label back and stores nothing.
  await page.focus('#grdPistonOverview tr[data-piston="2"]');
  await page.keyboard.press("F2");
  await page.keyboard.type(" and more");
  await page.keyboard.press("Escape");
  assert.equal(await page.locator('#grdPistonOverview tr[data-piston="2"] td.label').innerText(), "Swell Box2");
  assert.equal(await page.title(), "line-break.zkt - ZKTConfig by Larkmoor");
});
