// The page and the organ. Where the engine has Web MIDI, the Web MIDI double (midi_double.mjs)
// stands in for the browser's MIDI: a load through the MIDI setup with the monitor watching, the
// safe write and its backup restored, a device unplugged during a write, what the browser
// refuses, a device another program holds. In every engine: a browser without Web MIDI (WebKit
// has none; elsewhere the double takes it away) says so for Load, Write and the connection test
// and still has the simulator; the page opens again with no network.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import {
  chooseInSetup, engine, engineTest, exampleFile, expectedNames, openExample, openFile, openSite, pistonNames, savedBytes, shot,
  simulator, statusShows, waitLong, writeScratch, zktcliExport, zktcliImport,
} from "./support.mjs";

const imageLines = (text) => text.split("\r\n").filter((line) => line.length > 700);
// The load reads the example's own file. The writes go to boards of an older type (17), which
// store an image as the desktop saves it, so that the example saved is what they hold.
const images = imageLines(readFileSync(exampleFile, "latin1"));
const desktopSaved = zktcliImport(zktcliExport(exampleFile));
const chainImages = imageLines(desktopSaved.toString("latin1"));
const device = "ZKT USB MIDI";
const setupButton = (name) => ({ within: "#frmMidiSetup", role: "button", name });

// The example with manual 2's piston 11 sending another program, as the desktop saves it.
function editedExample() {
  const configuration = zktcliExport(exampleFile);
  configuration.manuals[1].pistons[10].programNumber = 22;
  return writeScratch("edited.zkt", zktcliImport(configuration));
}

const hex = (line) => line.trim().split(" ").slice(0, 256).join(" ");

engineTest("a load goes through the MIDI setup and the browser's MIDI, the monitor watching", ["initScripts"], async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", images } });
  await page.click("#tbrMain_tools");
  await page.click("#mnuMidiMonitor");
  await page.click({ role: "button", name: "Load Current Settings from the ZKT" });

  await page.waitFor("#frmMidiSetup");
  assert.match(await page.text("#frmMidiSetup"), /Choose the MIDI input and output your ZKT is connected to\./);
  assert.deepEqual(await page.texts("#ComboMidiIn option"), ["[Choose a MIDI in device]", device, simulator]);
  await page.select({ label: "MIDI In:" }, device);
  assert.equal(await page.isDisabled(setupButton("OK")), true, "OK waits for both devices");
  await chooseInSetup(page, device);

  await statusShows(page, "ZKT Configuration data loaded!");
  const status = await page.text("#txtStatus");
  assert.match(status, /Number of manuals detected = 3/);
  assert.match(status, /Requesting ZKT Program Data from Manual #3\.\.\. ok/);
  assert.deepEqual(await pistonNames(page), expectedNames(zktcliExport(exampleFile)));
  assert.equal(await page.title(), "Settings from the ZKT - ZKTConfig by Larkmoor");
  const monitor = await page.text("#tblTraffic");
  assert.match(monitor, /received\t86\t← Program response, manual 3/);
  assert.match(monitor, /sent\t14\t→ Program request, manual 1/);
  assert.deepEqual(await page.errors(), []);
});

engineTest("the safe write backs up, asks in the builder's words, writes only the change and reads it back", ["initScripts"], async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", images: chainImages, hardwareType: 17 } });
  const edited = editedExample();
  await openFile(page, edited);
  await page.waitFor("#fraManual_0");
  await page.click({ role: "button", name: "Write Program Data to ZKT" });
  await chooseInSetup(page, device);

  await page.waitFor("#frmWrite", waitLong);
  assert.match(await page.text("#txtStatus"), /Backup of what the ZKT held: \d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.zkt \(kept in this browser\)/);
  const plan = await page.text("#txtPlan");
  assert.match(plan, /Manual 1 is unchanged and will not be written\./);
  assert.match(plan, /Manual 2 will be written \(1 of 4 chunks\): 1 setting changes:\n  Manual 2, piston 11: Program Change #21 on MIDI Channel 2 → Program Change #22 on MIDI Channel 2/);
  await shot(page, "write_dialog");
  // Only the dialog's buttons are named while it is open: "Write" is its button alone.
  await page.click({ role: "button", name: "Write" });
  await statusShows(page, "Verified: every manual in the chain matches the configuration.");

  const written = imageLines(readFileSync(edited, "latin1")).map(hex);
  assert.deepEqual(await page.evaluate(() => window.midiDouble.images()), written);
  assert.equal(await page.evaluate(() => window.midiDouble.counts().stored), 1, "one 64-byte chunk");

  // The backup is what the chain held, byte for byte.
  await page.click("#tbrMain_tools");
  await page.click("#mnuBackups");
  await page.waitFor("#grdBackups tbody tr");
  assert.equal(await page.count("#grdBackups tbody tr"), 1);
  assert.equal(await page.text("#grdBackups tbody tr td:nth-child(2)"), "3");
  assert.deepEqual(await savedBytes(page, { within: "#grdBackups", role: "button", name: "Download" }), desktopSaved);
  // Restored, it is the configuration, for a write to put back.
  await page.click({ within: "#grdBackups", role: "button", name: "Restore" });
  await page.waitUntil(() => /^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.zkt - /.test(document.title));
  assert.match(await page.attribute("#cmdPiston_30", "aria-label"), /Program Change #21 on MIDI Channel 2/);
  assert.deepEqual(await page.errors(), []);
});

engineTest("a device unplugged during a write ends it, saying which and what was written", ["initScripts"], async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", images: chainImages, hardwareType: 17 } });
  await openFile(page, editedExample());
  await page.waitFor("#fraManual_0");
  await page.click({ role: "button", name: "Write Program Data to ZKT" });
  await chooseInSetup(page, device);
  await page.waitFor("#frmWrite", waitLong);
  await page.check("#chkEveryManual");
  await page.click({ within: "#frmWrite", role: "button", name: "Write" });

  await page.waitUntil(() => window.midiDouble.counts().stored >= 5, null, waitLong);
  await page.evaluate(() => window.midiDouble.unplug());
  await statusShows(page, `The MIDI output "${device}" is gone (unplugged, switched off, or its program ended).`);
  const status = await page.text("#txtStatus");
  assert.match(status, /anuals? [12 and]*1?[^;]* (was written|may be incomplete)/);
  assert.match(status, /manual 2 may be incomplete \(write (it|them) again\); manual 3 was not written\./);
  await page.waitFor("#tbrMain_write:not([aria-disabled])", waitLong);
  await page.click("#tbrMain_midi");
  assert.match(await page.text("#lblMissing"), new RegExp(`The MIDI input you chose before, "${device}", is not connected\\.`));
});

engineTest("what the browser refuses is said in the MIDI setup, with what to do", ["initScripts"], async (t) => {
  const cases = [
    { access: "denied", says: engine === "firefox" ? /Firefox did not let this page use MIDI devices[\s\S]*"Continue to Installation"/
      : /did not let this page control MIDI devices[\s\S]*set "MIDI device control & reprogram"/ },
    { access: "failed", says: /could not start its MIDI system \(InvalidStateError: Platform dependent initialization failed\.\)/ },
  ];
  for (const c of cases) {
    const { page } = await openSite(t, { midi: { access: c.access, images } });
    await page.click("#tbrMain_midi");
    await page.waitUntil(() => document.getElementById("lblMidiRefusal")?.innerText !== "");
    assert.match(await page.text("#lblMidiRefusal"), c.says, c.access);
    assert.deepEqual(await page.texts("#ComboMidiOut option"), ["[Choose a MIDI out device]", simulator], c.access);
    await page.click(setupButton("Cancel"));
    assert.deepEqual(await page.errors(), [], c.access);
  }
});

// WebKit (Safari's engine) has no Web MIDI of its own; in the others the double takes it away.
test("without Web MIDI, Load, Write and the connection test say so and what to do; the simulator still works", async (t) => {
  const { page } = await openExample(t, { midi: { access: "absent", images } });
  const commands = [
    ["Load", () => page.click("#tbrMain_loado")],
    ["Write", () => page.click("#tbrMain_write")],
    ["the connection test", async () => {
      await page.click("#tbrMain_tools");
      await page.click("#mnuLinkCheck");
    }],
  ];
  for (const [name, command] of commands) {
    await command();
    await page.waitFor("#frmMidiSetup");
    await page.waitUntil(() => document.getElementById("lblMidiRefusal")?.innerText !== "");
    assert.equal(await page.text("#lblPrompt"), "Choose the MIDI input and output your ZKT is connected to.", name);
    assert.match(await page.text("#lblMidiRefusal"),
      /This browser cannot reach MIDI devices: it has no Web MIDI\. Safari has none, and on iPhone and iPad no browser has it\.\n+To reach the organ, use Chrome, Edge or Opera on a Windows, Mac, Linux or ChromeOS computer, or the desktop program ZKTConfig\. The ZKT simulator in the MIDI setup works in any browser\./, name);
    assert.deepEqual(await page.texts("#ComboMidiIn option"), ["[Choose a MIDI in device]", simulator], name);
    if (name === "Load") await shot(page, "no_web_midi");
    await page.click(setupButton("Cancel"));
    await page.waitFor("#frmMidiSetup", { state: "detached" });
  }

  // The connection test on the simulator counts its MCUs and finds the loop sound.
  await commands[2][1]();
  await chooseInSetup(page, simulator);
  await page.click("#cmdStart");
  await page.waitFor("#lblVerdict.fine:not(:empty)", waitLong);
  assert.equal(await page.text("#lblMcus"), "MCUs counted: 3");
  assert.equal(await page.count("#tblResults tbody tr"), 10);
  await page.click({ within: "#frmLinkCheck", role: "button", name: "Close" });

  // The simulator answers in real time, as the desktop's does; Cancel stops a load.
  await page.click("#tbrMain_loado");
  await statusShows(page, "Number of manuals detected = 3");
  await page.click("#cmdCancel");
  await statusShows(page, "Cancelled. Nothing was loaded; the configuration is as it was.");
  await page.waitFor("#tbrMain_loado:not([aria-disabled])");
  await page.click("#tbrMain_loado");
  await statusShows(page, "ZKT Configuration data loaded!");
  assert.equal(await page.count("#manuals section.manual:not([hidden])"), 3);
  assert.deepEqual(await page.errors(), []);
});

engineTest("with the simulator chosen, a load asks nothing of the browser's MIDI", ["initScripts"], async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", images } });
  await page.evaluate((name) => localStorage.setItem("zktconfig.midiDevices", JSON.stringify({ input: name, output: name })), simulator);
  await page.reload();
  await page.waitFor("body[data-state=ready]", { state: "attached" });
  await page.click("#tbrMain_loado");
  await statusShows(page, "ZKT Configuration data loaded!");
  assert.equal(await page.evaluate(() => window.midiDouble.counts().asked), 0);
  assert.doesNotMatch(await page.text("#txtStatus"), /about to ask/);
});

engineTest("a device another program holds is said before anything is sent", ["initScripts"], async (t) => {
  const { page } = await openSite(t, { midi: { access: "granted", inUse: true, images } });
  await page.click({ role: "button", name: "Load Current Settings from the ZKT" });
  await chooseInSetup(page, device);
  await page.waitFor("#msgBox");
  assert.match(await page.text("#msgBox"), new RegExp(`The MIDI input "${device}" cannot be opened: another program is using it\\.`));
  assert.equal(await page.evaluate(() => window.midiDouble.counts().sent), 0);
  await page.click("#cmdMessageOK");
  assert.equal(await page.attribute("#tbrMain_loado", "aria-disabled"), null, "the page is free again");
});

test("after one visit the page opens and works with no network", async (t) => {
  const { page, server } = await openSite(t);
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  // The site's server gone is the network gone: every request to it fails.
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  await page.reload();
  await page.waitFor("body[data-state=ready]", { state: "attached" });
  await page.click("#cmdExample");
  await page.waitFor("#fraManual_2");
  assert.deepEqual(await page.errors(), []);
});
