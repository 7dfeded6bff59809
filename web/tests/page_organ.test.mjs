// The page and the organ, in headless Chromium with the Web MIDI double (midi_double.mjs) as the
// browser's MIDI: a load through the MIDI setup, the safe write and its backup restored, a device
// unplugged during a write, what the browser refuses, a device another program holds, the
// connection test on the simulator, and the page opening again with no network.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import { exampleFile, expectedNames, openFile, openSite, pistonNames, savedBytes, writeScratch, zktcliExport, zktcliImport } from "./support.mjs";

const imageLines = (text) => text.split("\r\n").filter((line) => line.length > 700);
// The load reads the example's own file. The writes go to boards of an older type (17), which
// store an image as the desktop saves it, so that the example saved is what they hold.
const exampleText = readFileSync(exampleFile, "latin1");
const images = imageLines(exampleText);
const desktopSaved = zktcliImport(zktcliExport(exampleFile));
const chainImages = imageLines(desktopSaved.toString("latin1"));
const device = "ZKT USB MIDI";
const simulator = "ZKT simulator (3 manuals)";
const waitLong = { timeout: 60_000 };

// The example with manual 2's piston 11 sending another program, as the desktop saves it.
function editedExample() {
  const configuration = zktcliExport(exampleFile);
  configuration.manuals[1].pistons[10].programNumber = 22;
  return writeScratch("edited.zkt", zktcliImport(configuration));
}

async function chooseInSetup(page, input, output = input) {
  const setup = page.locator("#frmMidiSetup");
  await setup.waitFor();
  await setup.getByLabel("MIDI In:").selectOption(input);
  await setup.getByLabel("MIDI Out:").selectOption(output);
  await setup.getByRole("button", { name: "OK" }).click();
}

function statusShows(page, text) {
  return page.waitForFunction((wanted) => document.getElementById("txtStatus").innerText.includes(wanted), text, waitLong);
}

const hex = (line) => line.trim().split(" ").slice(0, 256).join(" ");

test("a load goes through the MIDI setup and the browser's MIDI, the monitor watching", async (t) => {
  const { page, errors } = await openSite(t, { midi: { access: "granted", images } });
  await page.click("#tbrMain_tools");
  await page.click("#mnuMidiMonitor");
  await page.getByRole("button", { name: "Load Current Settings from the ZKT" }).click();

  const setup = page.locator("#frmMidiSetup");
  await setup.waitFor();
  assert.match(await setup.innerText(), /Choose the MIDI input and output your ZKT is connected to\./);
  assert.deepEqual(await setup.locator("#ComboMidiIn option").allInnerTexts(), ["[Choose a MIDI in device]", device, simulator]);
  const ok = setup.getByRole("button", { name: "OK" });
  await setup.getByLabel("MIDI In:").selectOption(device);
  assert.equal(await ok.isDisabled(), true, "OK waits for both devices");
  await chooseInSetup(page, device);

  await statusShows(page, "ZKT Configuration data loaded!");
  const status = await page.locator("#txtStatus").innerText();
  assert.match(status, /Number of manuals detected = 3/);
  assert.match(status, /Requesting ZKT Program Data from Manual #3\.\.\. ok/);
  assert.deepEqual(await pistonNames(page), expectedNames(zktcliExport(exampleFile)));
  assert.equal(await page.title(), "Settings from the ZKT - ZKTConfig by Larkmoor");
  const monitor = await page.locator("#tblTraffic").innerText();
  assert.match(monitor, /received\t86\t← Program response, manual 3/);
  assert.match(monitor, /sent\t14\t→ Program request, manual 1/);
  assert.deepEqual(errors, []);
});

test("the safe write backs up, asks in the builder's words, writes only the change and reads it back", async (t) => {
  const { page, errors } = await openSite(t, { midi: { access: "granted", images: chainImages, hardwareType: 17 } });
  const edited = editedExample();
  await openFile(page, edited);
  await page.waitForSelector("#fraManual_0:not([hidden])");
  await page.getByRole("button", { name: "Write Program Data to ZKT" }).click();
  await chooseInSetup(page, device);

  const dialog = page.locator("#frmWrite");
  await dialog.waitFor(waitLong);
  assert.match(await page.locator("#txtStatus").innerText(), /Backup of what the ZKT held: \d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.zkt \(kept in this browser\)/);
  const plan = await dialog.locator("#txtPlan").innerText();
  assert.match(plan, /Manual 1 is unchanged and will not be written\./);
  assert.match(plan, /Manual 2 will be written \(1 of 4 chunks\): 1 setting changes:\n  Manual 2, piston 11: Program Change #21 on MIDI Channel 2 → Program Change #22 on MIDI Channel 2/);
  // Only the dialog's buttons are named while it is open: "Write" is its button alone.
  await page.getByRole("button", { name: "Write" }).click();
  await statusShows(page, "Verified: every manual in the chain matches the configuration.");

  const written = imageLines(readFileSync(edited, "latin1")).map(hex);
  assert.deepEqual(await page.evaluate(() => window.midiDouble.images()), written);
  assert.deepEqual(await page.evaluate(() => window.midiDouble.counts().stored), 1, "one 64-byte chunk");

  // The backup is what the chain held, byte for byte.
  await page.click("#tbrMain_tools");
  await page.click("#mnuBackups");
  const row = page.locator("#grdBackups tbody tr");
  await row.waitFor();
  assert.equal(await row.count(), 1);
  assert.equal(await row.locator("td").nth(1).innerText(), "3");
  assert.deepEqual(await savedBytes(page, "#grdBackups button:text('Download')"), desktopSaved);
  // Restored, it is the configuration, for a write to put back.
  await page.click("#grdBackups button:text('Restore')");
  await page.waitForFunction(() => /^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.zkt - /.test(document.title));
  assert.match(await page.locator("#cmdPiston_30").getAttribute("aria-label"), /Program Change #21 on MIDI Channel 2/);
  assert.deepEqual(errors, []);
});

test("a device unplugged during a write ends it, saying which and what was written", async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", images: chainImages, hardwareType: 17 } });
  await openFile(page, editedExample());
  await page.waitForSelector("#fraManual_0:not([hidden])");
  await page.getByRole("button", { name: "Write Program Data to ZKT" }).click();
  await chooseInSetup(page, device);
  const dialog = page.locator("#frmWrite");
  await dialog.waitFor(waitLong);
  await dialog.locator("#chkEveryManual").check();
  await dialog.getByRole("button", { name: "Write", exact: true }).click();

  await page.waitForFunction(() => window.midiDouble.counts().stored >= 5, null, waitLong);
  await page.evaluate(() => window.midiDouble.unplug());
  await statusShows(page, `The MIDI output "${device}" is gone (unplugged, switched off, or its program ended).`);
  const status = await page.locator("#txtStatus").innerText();
  assert.match(status, /anuals? [12 and]*1?[^;]* (was written|may be incomplete)/);
  assert.match(status, /manual 2 may be incomplete \(write (it|them) again\); manual 3 was not written\./);
  await page.waitForSelector("#tbrMain_write:not([aria-disabled])", waitLong);
  await page.click("#tbrMain_midi");
  assert.match(await page.locator("#lblMissing").innerText(), new RegExp(`The MIDI input you chose before, "${device}", is not connected\\.`));
});

test("what the browser refuses is said, with what to do; the simulator still works, and Cancel stops its load", async (t) => {
  const cases = [
    { access: "denied", says: /did not let this page control MIDI devices[\s\S]*set "MIDI device control & reprogram"/ },
    { access: "failed", says: /could not start its MIDI system \(InvalidStateError: Platform dependent initialization failed\.\)/ },
    { access: "absent", says: /has no Web MIDI\. Safari has none, and on iPhone and iPad no browser has it\.[\s\S]*use Chrome, Edge or Opera/ },
  ];
  for (const c of cases) {
    const { page, errors } = await openSite(t, { midi: { access: c.access, images } });
    await page.click("#tbrMain_midi");
    const setup = page.locator("#frmMidiSetup");
    await page.waitForFunction(() => document.getElementById("lblMidiRefusal")?.innerText !== "");
    assert.match(await setup.locator("#lblMidiRefusal").innerText(), c.says, c.access);
    assert.deepEqual(await setup.locator("#ComboMidiOut option").allInnerTexts(), ["[Choose a MIDI out device]", simulator], c.access);
    await setup.getByRole("button", { name: "Cancel" }).click();
    assert.deepEqual(errors, [], c.access);
  }

  // Without Web MIDI the simulator answers in real time, as the desktop's does; Cancel stops a load.
  const { page } = await openSite(t, { midi: { access: "absent", images } });
  const load = page.getByRole("button", { name: "Load Current Settings from the ZKT" });
  await load.click();
  await chooseInSetup(page, simulator);
  await statusShows(page, "Number of manuals detected = 3");
  await page.click("#cmdCancel");
  await statusShows(page, "Cancelled. Nothing was loaded; the configuration is as it was.");
  await page.waitForSelector("#tbrMain_loado:not([aria-disabled])");
  await load.click();
  await statusShows(page, "ZKT Configuration data loaded!");
  assert.equal(await page.locator("#manuals section.manual:not([hidden])").count(), 3);
});

test("a device another program holds is said before anything is sent", async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", inUse: true, images } });
  await page.getByRole("button", { name: "Load Current Settings from the ZKT" }).click();
  await chooseInSetup(page, device);
  const message = page.locator("#msgBox");
  await message.waitFor();
  assert.match(await message.innerText(), new RegExp(`The MIDI input "${device}" cannot be opened: another program is using it\\.`));
  assert.equal(await page.evaluate(() => window.midiDouble.counts().sent), 0);
  await page.click("#cmdMessageOK");
  assert.equal(await page.locator("#tbrMain_loado").getAttribute("aria-disabled"), null, "the page is free again");
});

test("the connection test on the simulator counts its MCUs and finds the loop sound", async (t) => {
  const { page } = await openSite(t, { midi: { access: "absent", images } });
  await page.click("#tbrMain_tools");
  await page.click("#mnuLinkCheck");
  await chooseInSetup(page, simulator);
  await page.click("#cmdStart");
  await page.waitForSelector("#lblVerdict.fine:not(:empty)", waitLong);
  assert.equal(await page.locator("#lblMcus").innerText(), "MCUs counted: 3");
  assert.equal(await page.locator("#tblResults tbody tr").count(), 10);
});

test("after one visit the page opens and works with no network", async (t) => {
  const { page, context, server, errors } = await openSite(t);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  const served = server.requestsServed;
  await page.reload();
  await page.waitForSelector("body[data-state=ready]");
  await page.click("#cmdExample");
  await page.waitForSelector("#fraManual_2:not([hidden])");
  assert.equal(server.requestsServed, served, "nothing was fetched from the site");
  assert.deepEqual(errors, []);
});
