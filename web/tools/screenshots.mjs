// The README's pictures of the page, taken in headless Chromium.
//   node tools/screenshots.mjs SITE_DIR OUT_DIR

import { readFileSync } from "node:fs";
import { join } from "node:path";
import { installMidiDouble } from "../tests/midi_double.mjs";
import { launchChromium, serveSite } from "../tests/site.mjs";

const [site, out] = process.argv.slice(2);
if (!site || !out) {
  console.error("usage: node tools/screenshots.mjs SITE_DIR OUT_DIR");
  process.exit(2);
}

const { server, origin } = await serveSite(site);
const browser = await launchChromium();
const page = await browser.newPage({ viewport: { width: 1280, height: 720 } });
const shot = (name) => page.screenshot({ path: join(out, `${name}.png`) });

await page.goto(`${origin}/`);
await page.waitForSelector("body[data-state=ready]");
await shot("web_start");

await page.goto(`${origin}/?example`);
await page.waitForSelector("body[data-state=ready]");
await page.focus("#cmdPiston_22");
await shot("web_main_1280x720");


await page.click("#cmdPiston_8");
await page.getByLabel("What do you want this thumb piston to do?").selectOption({ label: "Bank Select" });
await shot("web_piston_editor_bank_select");
await page.keyboard.press("Escape");

await page.click("#picKeyboard_0");
await shot("web_keyboard_editor");
await page.keyboard.press("Escape");

await page.click("#tbrMain_print");
await page.waitForTimeout(300);
await shot("web_chart_preview");
await page.keyboard.press("Escape");

await page.setViewportSize({ width: 768, height: 1024 });
await page.click("#cmdPiston_3", { button: "right" });
await shot("web_tablet_768x1024");

// The console's names, at 1280 x 720 again: the manuals named in their editor, pistons labelled
// in the overview.
await page.keyboard.press("Escape");
await page.setViewportSize({ width: 1280, height: 720 });
for (const [m, name] of [[0, "Great"], [1, "Swell"], [2, "Pedal"]]) {
  await page.click(`#picKeyboard_${m}`);
  await page.getByLabel("Name:").fill(name);
  await page.locator("#frmMIDIChannels").getByRole("button", { name: "Save" }).click();
}
for (const [pistonIndex, label] of [[1, "General 1"], [2, "General 2"], [3, "Full Organ"]]) {
  await page.focus(`#grdPistonOverview tr[data-piston="${pistonIndex}"]`);
  await page.keyboard.press("F2");
  await page.keyboard.type(label);
  await page.keyboard.press("Enter");
}
await page.click("#cmdPiston_3");
await shot("web_names");
await page.keyboard.press("Escape");

// The organ, through the Web MIDI double standing in for an interface cabled to the chain.
const images = readFileSync(join(site, "examples/three-manuals.zkt"), "latin1").split("\r\n").filter((l) => l.length > 700);
const organPage = async (access) => {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const opened = await context.newPage();
  await opened.addInitScript(installMidiDouble, { access, images, hardwareType: 17 });
  await opened.goto(`${origin}/`);
  await opened.waitForSelector("body[data-state=ready]");
  return opened;
};
const chooseDevices = async (on, name) => {
  await on.getByLabel("MIDI In:").selectOption(name);
  await on.getByLabel("MIDI Out:").selectOption(name);
  await on.click("#CmdOk");
};
const organ = await organPage("granted");
const organShot = (name) => organ.screenshot({ path: join(out, `${name}.png`) });
await organ.click("#tbrMain_loado");
await organ.waitForSelector("#frmMidiSetup");
await organ.getByLabel("MIDI In:").selectOption("ZKT USB MIDI");
await organShot("web_midi_setup");
await chooseDevices(organ, "ZKT USB MIDI");
await organ.waitForFunction(() => document.getElementById("txtStatus").innerText.includes("Manual #2"));
await organShot("web_status_during_load");
await organ.waitForFunction(() => document.getElementById("txtStatus").innerText.includes("loaded!"));
await organ.click("#cmdPiston_30");
await organ.getByLabel("What do you want this thumb piston to do?").selectOption({ index: 3 });
await organ.click("#cmdOK");
await organ.click("#tbrMain_write");
await organ.waitForSelector("#frmWrite", { timeout: 30_000 });
await organShot("web_write_dialog");
await organ.click("#frmWrite #cmdCancel");
await organ.waitForSelector("#tbrMain_loado:not([aria-disabled])");
await organ.click("#tbrMain_tools");
await organ.click("#mnuMidiMonitor");
await organ.click("#tbrMain_tools");
await organ.click("#mnuLinkCheck");
await organ.waitForSelector("#frmLinkCheck");
await organ.click("#cmdStart");
await organ.waitForSelector("#lblVerdict:not(:empty)", { timeout: 30_000 });
await organShot("web_link_check");

const refused = await organPage("absent");
await refused.click("#tbrMain_midi");
await refused.waitForSelector("#lblMidiRefusal p");
await refused.screenshot({ path: join(out, "web_no_web_midi.png") });

await browser.close();
server.close();
