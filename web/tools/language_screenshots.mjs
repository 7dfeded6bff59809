// Pictures of the page in each language, to look at the layouts: the main screen at 1280 x 720
// and at a tablet's width, both editors, the MIDI setup, the write dialog and the console check.
// Taken in headless Chromium, the organ being the Web MIDI double cabled to the example's chain.
//   node tools/language_screenshots.mjs SITE_DIR OUT_DIR LANGUAGE...

import { readFileSync } from "node:fs";
import { join } from "node:path";
import { installMidiDouble } from "../tests/midi_double.mjs";
import { launchChromium, serveSite } from "../tests/site.mjs";

const [site, out, ...languages] = process.argv.slice(2);
if (!site || !out || languages.length === 0) {
  console.error("usage: node tools/language_screenshots.mjs SITE_DIR OUT_DIR LANGUAGE...");
  process.exit(2);
}

const { server, origin } = await serveSite(site);
const browser = await launchChromium();
const images = readFileSync(join(site, "examples/three-manuals.zkt"), "latin1").split("\r\n").filter((l) => l.length > 700);

for (const language of languages) {
  for (const [width, height] of [[1280, 720], [768, 1024]]) {
    const context = await browser.newContext({ viewport: { width, height } });
    const page = await context.newPage();
    await page.addInitScript((code) => localStorage.setItem("zktconfig.language", code), language);
    await page.addInitScript(installMidiDouble, { access: "granted", images, hardwareType: 17 });
    const shot = (name) => page.screenshot({ path: join(out, `web_${language}_${name}_${width}.png`) });
    await page.goto(`${origin}/?example`);
    await page.waitForSelector("#fraManual_0");
    await shot("main");
    await page.click("#cmdPiston_8");
    await page.selectOption("#cboFunction", { index: 6 });
    await shot("piston_editor");
    await page.keyboard.press("Escape");
    await page.click("#picKeyboard_0");
    await shot("keyboard_editor");
    await page.keyboard.press("Escape");
    await page.click("#tbrMain_midi");
    await page.waitForSelector("#frmMidiSetup");
    await page.selectOption("#ComboMidiIn", "ZKT USB MIDI");
    await page.selectOption("#ComboMidiOut", "ZKT USB MIDI");
    await shot("midi_setup");
    await page.click("#CmdOk");
    await page.click("#cmdPiston_30");
    await page.selectOption("#cboFunction", { index: 3 });
    await page.click("#cmdOK");
    await page.click("#tbrMain_write");
    await page.waitForSelector("#frmWrite", { timeout: 30_000 });
    await shot("write_dialog");
    await page.click("#frmWrite #cmdCancel");
    await page.waitForSelector("#tbrMain_loado:not([aria-disabled])");
    await page.click("#tbrMain_tools");
    await page.click("#mnuConsoleCheck");
    await page.waitForSelector("#frmConsoleCheck");
    await shot("console_check");
    await context.close();
  }
}

await browser.close();
server.close();
