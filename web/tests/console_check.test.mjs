// Tools > Check the Console… on the simulated chain, in every engine (the simulator needs no Web
// MIDI): the MIDI setup first, the warnings, Start, the organ's own pistons skipped, keys clicked
// and a piston reached and pressed from the keyboard ticked off, Finish with the report naming the manuals,
// downloaded; at tablet size nothing of the dialog is out of reach.

import assert from "node:assert/strict";
import { test } from "node:test";
import { chooseInSetup, openExample, shot, simulator } from "./support.mjs";

const looks = (page, selectors) => page.evaluate((all) => all.map((s) => document.querySelector(s)?.dataset.look), selectors);

async function nameManual(page, manual, name) {
  await page.click(`#picKeyboard_${manual}`);
  await page.fill("#txtManualName", name);
  await page.click({ within: "#frmMIDIChannels", role: "button", name: "Save" });
  await page.waitFor("#frmMIDIChannels", { state: "detached" });
}

async function startCheck(page) {
  await page.click("#tbrMain_tools");
  await page.click({ role: "menuitem", name: "Check the Console\u2026" });
  await chooseInSetup(page, simulator);
  await page.waitFor("#frmConsoleCheck");
  assert.notEqual(await page.text("#lstWarnings"), "");
  await page.click({ within: "#frmConsoleCheck", role: "button", name: "Start Check" });
  await page.waitFor("#fraCheckManual_2");
  // The simulated chain knows no message of the organ's own pistons: the first is skipped, and the
  // rest with Skip All.
  await page.click("#cmdSkip");
  assert.equal(await page.isDisabled("#cmdSkip"), false);
  await page.click("#cmdSkipAll");
  assert.equal(await page.isDisabled("#cmdSkip"), true);
}

for (const [width, height] of [[1280, 720], [768, 1024]]) {
  test(`at ${width}×${height} keys and a piston played on the simulator are ticked off, and the report names the manuals`, async (t) => {
    const { page } = await openExample(t, { width, height, midi: { access: "absent" } });
    await nameManual(page, 0, "Great");
    await startCheck(page);
    assert.match(await page.text("#lblCheckInstructions"), /click a key or a piston here to play it/);

    const played = ["#cmdCheckKey_0_1", "#cmdCheckKey_1_13"];
    for (const key of played) await page.click(key);
    // From the keyboard: the rail is one stop of Tab, the arrow keys go along it.
    await page.focus("#cmdCheckPiston_0");
    for (let i = 0; i < 10; ++i) await page.press("ArrowRight");
    assert.equal(await page.evaluate(() => document.activeElement.id), "cmdCheckPiston_10");
    await page.press("Enter");
    await page.waitUntil(() => document.getElementById("cmdCheckPiston_10").dataset.look === "ticked");
    assert.deepEqual(await looks(page, [...played, "#cmdCheckKey_0_2"]), ["played", "played", "waiting"]);
    assert.equal(await page.text("#cmdCheckPiston_10"), "\u2713");
    assert.equal(await page.attribute("#cmdCheckKey_0_1", "aria-label"), "Manual 1 (Great), key 1 (C1)");
    // Every button of the dialog is in reach: the dialog scrolls and keeps its buttons in sight.
    const reachable = await page.evaluate(() => Array.from(document.querySelectorAll("#frmConsoleCheck .dialog-buttons button:not([hidden])"),
      (b) => { const r = b.getBoundingClientRect(); return r.right <= innerWidth && r.bottom <= innerHeight && r.width > 0; }));
    assert.ok(reachable.length > 0 && reachable.every(Boolean), JSON.stringify(reachable));
    await shot(page, `console_check_${width}`);

    await page.click({ within: "#frmConsoleCheck", role: "button", name: "Finish" });
    await page.waitFor("#frmReport");
    const report = await page.evaluate(() => document.getElementById("frmReport").srcdoc);
    for (const manual of ["Manual 1 (Great)", "Manual 2", "Manual 3"]) assert.ok(report.includes(manual), manual);
    // Two keys down and up and one press of the piston send 9 messages here: nothing came twice.
    assert.match(report, /\b9 messages taken from the console/);
    await page.waitUntil(() => document.getElementById("frmReport").contentDocument?.body?.innerText.includes("Manual 1 (Great)"));
    await shot(page, `console_check_report_${width}`);
    const saved = await page.download(() => page.click({ within: "#frmConsoleCheck", role: "button", name: "Download as HTML" }));
    assert.equal(saved.name, "three-manuals - console check.html");
    assert.equal(saved.bytes.toString("utf8"), report);

    await page.click({ within: "#frmConsoleCheck", role: "button", name: "Close" });
    await page.waitFor("#frmConsoleCheck", { state: "detached" });
    assert.deepEqual(await page.errors(), []);
  });
}
