// Editing in the page, in every engine: the piston editor from the keyboard with the desktop's
// labels, an edit saved as the desktop saves it, the Bank Select refusal, the keyboard editor,
// undo and redo, copy and paste, names and labels, and the print view.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import {
  exampleFile, expectedNames, openExample, openFile, openSite, pistonNames, savedBytes, shot, writeScratch, zktcliExport,
  zktcliImport,
} from "./support.mjs";

const inPiston = (role, name) => ({ within: "#frmPiston", role, name });
const inKeyboard = (role, name) => ({ within: "#frmMIDIChannels", role, name });

test("an edit made in the piston editor saves the desktop's bytes for the same edit", async (t) => {
  const { page } = await openExample(t);
  // Manual 2, piston 5, reached from the keyboard and opened with Enter.
  await page.focus("#cmdPiston_23");
  await page.press("Tab");
  await page.press("Enter");
  await page.waitFor("#frmPiston");
  assert.equal(await page.text("#lblPiston"), "Piston #5 on Manual #2");
  await page.select({ label: "What do you want this thumb piston to do?" }, "Program Change");
  await page.select(inPiston("combobox", "Which Program Change number?"), "12");
  await page.select({ within: "#frmPiston", label: "MIDI Channel" }, "3");
  await shot(page, "piston_editor");
  await page.click(inPiston("button", "Save"));
  await page.waitFor("#frmPiston", { state: "detached" });

  const exported = zktcliExport(exampleFile);
  const piston = exported.manuals[1].pistons[4];
  Object.assign(piston, { functionGroup: 7, functionType: 0, midiChannel: 3, programNumber: 12,
    description: "Program Change #12 on MIDI Channel 3" });
  assert.deepEqual(await pistonNames(page), expectedNames(exported));
  assert.equal(await page.title(), "three-manuals.zkt* - ZKTConfig by Larkmoor");
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));
  assert.deepEqual(await page.errors(), []);
});

test("Bank Select with no box checked is refused, saying why; Cancel changes nothing", async (t) => {
  const { page } = await openExample(t);
  const before = await pistonNames(page);
  await page.click("#cmdPiston_1");
  await page.select({ label: "What do you want this thumb piston to do?" }, "Bank Select");
  for (const row of [0, 1, 2]) await page.check(`#chkBankSel_${row}`, false);
  assert.equal(await page.isDisabled("#cboBankSel_0"), true);
  await page.click(inPiston("button", "Save"));
  assert.match(await page.text(inPiston("alert")), /This Bank Select sends nothing/);
  await page.click(inPiston("button", "Cancel"));
  await page.waitFor("#frmPiston", { state: "detached" });
  assert.deepEqual(await pistonNames(page), before);
});

test("undo and redo take back every edit and the open; copy and paste a piston and a manual", async (t) => {
  const { page } = await openExample(t);
  const opened = await pistonNames(page);
  const name = (index) => page.attribute(`#cmdPiston_${index}`, "aria-label");

  await page.focus("#cmdPiston_0");
  await page.press("Delete");
  assert.equal(await name(0), "Manual 1, piston 1: ");
  await page.focus("#cmdPiston_2");
  await page.press("Control+C");
  await page.focus("#cmdPiston_45");
  await page.press("Control+V");
  assert.equal((await name(45)).split(": ")[1], opened[2].split(": ")[1]);

  await page.click("#picKeyboard_0", { button: "right" });
  await page.click("#mnuManualCopy");
  await page.click("#picKeyboard_2", { button: "right" });
  await shot(page, "keyboard_menu");
  await page.click("#mnuManualPaste");
  const pasted = await pistonNames(page);
  assert.deepEqual(pasted.slice(40, 60).map((n) => n.split(": ")[1]), pasted.slice(0, 20).map((n) => n.split(": ")[1]));
  assert.equal(await page.attribute("#tbrMain_undo", "title"), "Undo Paste Manual 1 onto Manual 3");

  for (let step = 0; step < 3; ++step) await page.press("Control+Z");
  assert.deepEqual(await pistonNames(page), opened);
  assert.equal(await page.title(), "three-manuals.zkt - ZKTConfig by Larkmoor");
  await page.press("Control+Z"); // the open itself
  assert.equal(await page.count("#manuals section.manual:not([hidden])"), 0);
  for (let step = 0; step < 4; ++step) await page.press("Control+Shift+Z");
  assert.deepEqual(await pistonNames(page), pasted);
});

test("the keyboard editor stores its inputs; the print view holds every description", async (t) => {
  const { page } = await openExample(t);
  await page.click("#picKeyboard_1");
  assert.equal(await page.text("#lblMIDIChannels"), "Manual # 2");
  await page.check(inKeyboard("checkbox", "Channel 5"));
  await page.select(inKeyboard("combobox", "Channel 5 key offset"), "+12");
  await page.click(inKeyboard("tab", "General Settings"));
  await page.select(inKeyboard("combobox", "On which MIDI channel?"), "9");
  await shot(page, "keyboard_editor");
  await page.click(inKeyboard("button", "Save"));

  const exported = zktcliExport(exampleFile);
  const manual = exported.manuals[1];
  manual.keyboard.channels |= 1 << 4;
  manual.keyboard.archiveChannel = 9;
  manual.channels[4].channelTranspose = 48;
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));

  await page.click("#tbrMain_print");
  await page.waitFor("#chartPreview");
  const chart = await page.waitUntil(() => {
    const body = document.getElementById("chartPreview").contentDocument?.body;
    return body?.querySelector("h1") ? { text: body.innerText, headings: body.querySelectorAll("h1").length } : null;
  });
  await shot(page, "chart_preview");
  for (const description of new Set(exported.manuals.flatMap((m) => m.pistons.map((p) => p.description)))) {
    if (description !== "") assert.ok(chart.text.includes(description), description);
  }
  assert.equal(chart.headings, exported.numberOfManuals);
});

test("names and labels typed in the editors and the overview show on the panels and save as the desktop's", async (t) => {
  const { page } = await openExample(t);
  await page.click("#cmdPiston_24");
  await page.fill({ label: "Label:" }, "Full Organ");
  await page.click(inPiston("button", "Save"));
  await page.click("#picKeyboard_1");
  await page.fill({ label: "Name:" }, "  Swell ");
  await page.click(inKeyboard("button", "Save"));
  // A label still being typed when Ctrl+S is pressed is saved with the rest.
  await page.focus('#grdPistonOverview tr[data-piston="0"]');
  await page.press("F2");
  await page.type("é".repeat(45));
  const saved = await page.download(() => page.press("Control+S"));

  const exported = zktcliExport(exampleFile);
  exported.manuals[1].name = "Swell";
  exported.manuals[1].pistons[4].label = "Full Organ";
  exported.manuals[0].pistons[0].label = "é".repeat(40);
  assert.deepEqual(saved.bytes, zktcliImport(exported));
  assert.equal(await page.title(), "three-manuals.zkt - ZKTConfig by Larkmoor");
  assert.equal(await page.text("#lblKeyboard_1"), "Manual #2 \u2014 Swell");
  assert.equal(await page.attribute("#cmdPiston_24", "aria-label"),
    `Full Organ (Manual 2, piston 5): ${exported.manuals[1].pistons[4].description}`);
  await page.fill("#txtOverviewFilter", "full organ");
  assert.equal(await page.count("#grdPistonOverview tbody tr:not([hidden])"), 1);
  await page.focus("#cmdPiston_0");
  for (let step = 0; step < 3; ++step) await page.press("Control+Z");
  assert.equal(await page.text("#lblKeyboard_1"), "Manual #2");
  assert.deepEqual(await page.errors(), []);
});

test("a line break stored in a label shows as a space, stays while untouched, and gives way to typing", async (t) => {
  const { page } = await openSite(t);
  const exported = zktcliExport(exampleFile);
  exported.manuals[0].pistons[2].label = "Swell\nBox";
  const file = writeScratch("line-break.zkt", zktcliImport(exported));
  await openFile(page, file);
  await page.waitFor("#fraManual_0");
  const label = { label: "Label:" };

  await page.click("#cmdPiston_2");
  assert.equal(await page.value(label), "Swell Box");
  await page.click(inPiston("button", "Save"));
  assert.deepEqual(await savedBytes(page), readFileSync(file));

  await page.click("#cmdPiston_2");
  await page.focus(label);
  await page.press("End");
  await page.type("2");
  await page.click(inPiston("button", "Save"));
  exported.manuals[0].pistons[2].label = "Swell Box2";
  assert.deepEqual(await savedBytes(page), zktcliImport(exported));

  // Escape in the overview puts the label back and stores nothing.
  await page.focus('#grdPistonOverview tr[data-piston="2"]');
  await page.press("F2");
  await page.type(" and more");
  await page.press("Escape");
  assert.equal(await page.text('#grdPistonOverview tr[data-piston="2"] td.label'), "Swell Box2");
  assert.equal(await page.title(), "line-break.zkt - ZKTConfig by Larkmoor");
});
