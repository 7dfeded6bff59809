// The page over a browser's own Web MIDI, not the double: Firefox's test ports (its Control
// output hands every SysEx starting F0 00 back to its Control input unchanged, a loop with no
// MCU in it). The MIDI setup lists them, the connection test finds no MCU counting the tag, a
// load says that no MCU answered, a port that will not open is said before anything is sent; and
// with the permission refused the page says what Firefox wants.

import assert from "node:assert/strict";
import { firefoxMidiTestPorts } from "./browsers.mjs";
import { chooseInSetup, engineTest, openSite, shot, simulator, statusShows, waitLong } from "./support.mjs";

const loopIn = "Test Control MIDI Device Input Port";
const loopOut = "Test Control MIDI Device Output Port";
const closedOut = "Always Closed MIDI Device Output Port";
const withPorts = { prefs: firefoxMidiTestPorts };

engineTest("the browser's own test ports: listed, no MCU in the loop, a load that no MCU answers", ["midiTestPorts"], async (t) => {
  const { page } = await openSite(t, { browserOptions: withPorts });
  await page.click("#tbrMain_tools");
  await page.click("#mnuLinkCheck");
  await page.waitFor("#frmMidiSetup");
  await page.waitUntil(() => document.querySelectorAll("#ComboMidiOut option").length > 2);
  assert.deepEqual(await page.texts("#ComboMidiIn option"), ["[Choose a MIDI in device]", loopIn, simulator]);
  assert.deepEqual(await page.texts("#ComboMidiOut option"),
    ["[Choose a MIDI out device]", loopOut, closedOut, "Test State MIDI Device Output Port", simulator]);
  await shot(page, "firefox_midi_setup");
  await chooseInSetup(page, loopIn, loopOut);
  await page.click("#cmdStart");
  await page.waitFor("#lblVerdict.problem:not(:empty)", waitLong);
  assert.match(await page.text("#lblVerdict"), /^Messages come back, but no MCU counts the tag: the MCUs are off or bypassed\. /);
  await shot(page, "firefox_link_check");
  await page.click({ within: "#frmLinkCheck", role: "button", name: "Close" });

  // The tag comes back with the count it went out with: no MCU, and the load says so (again every
  // two seconds, as on the desktop, until the count is right or it is cancelled).
  await page.click("#tbrMain_loado");
  await statusShows(page, "Invalid number of manuals detected!");
  await page.click("#cmdCancel");
  await statusShows(page, "Cancelled. Nothing was loaded; the configuration is as it was.");
  assert.equal(await page.count("#manuals section.manual:not([hidden])"), 0);
  assert.deepEqual(await page.errors(), []);
});

engineTest("a port the browser will not open is said before anything is sent", ["midiTestPorts"], async (t) => {
  const { page } = await openSite(t, { browserOptions: withPorts });
  await page.click("#tbrMain_loado");
  await chooseInSetup(page, loopIn, closedOut);
  await page.waitFor("#msgBox");
  assert.match(await page.text("#msgBox"), new RegExp(`The MIDI output "${closedOut}" cannot be opened: another program is using it\\.`));
  await page.click("#cmdMessageOK");
  assert.equal(await page.attribute("#tbrMain_loado", "aria-disabled"), null, "the page is free again");
});

engineTest("with the permission refused, the page says how Firefox grants it", ["midiTestPorts"], async (t) => {
  const { page } = await openSite(t, { browserOptions: { prefs: { "midi.prompt.testing": true } } });
  await page.click("#tbrMain_midi");
  await page.waitUntil(() => document.getElementById("lblMidiRefusal")?.innerText !== "");
  assert.match(await page.text("#lblMidiRefusal"),
    /^Firefox did not let this page use MIDI devices\. Firefox grants MIDI through a small add-on that it makes for this site itself/);
  assert.deepEqual(await page.texts("#ComboMidiOut option"), ["[Choose a MIDI out device]", simulator]);
});
