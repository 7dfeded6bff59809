// The README's pictures of the page, taken in headless Chromium.
//   node tools/screenshots.mjs SITE_DIR OUT_DIR

import { join } from "node:path";
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

await browser.close();
server.close();
