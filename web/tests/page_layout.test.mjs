// The page from the keyboard and on smaller screens: Tab reaches every control, each manual's
// keyboard then its pistons in rail order, with a visible focus frame; at 1280 x 720 and at a
// tablet's width nothing sticks out sideways and no piston covers another.

import assert from "node:assert/strict";
import { test } from "node:test";
import { exampleFile, openFile, openSite } from "./support.mjs";

test("Tab reaches every control in order with a visible focus frame", async (t) => {
  const { page } = await openSite(t);
  await openFile(page, exampleFile);
  await page.waitForSelector("#fraManual_2");
  await page.focus("#tbrMain_load");
  const reached = [];
  for (let press = 0; press < 200; ++press) {
    reached.push(await page.evaluate(() => document.activeElement?.id || document.activeElement?.dataset.piston || ""));
    await page.keyboard.press("Tab");
  }
  const toolbar = await page.$$eval("#tbrMain button", (buttons) => buttons.map((b) => b.id));
  assert.deepEqual(reached.slice(0, toolbar.length), toolbar);
  const consoleOrder = [0, 1, 2].flatMap((m) =>
    [`picKeyboard_${m}`, ...Array.from({ length: 20 }, (_, k) => `cmdPiston_${m * 20 + k}`)]);
  const start = reached.indexOf("picKeyboard_0");
  assert.deepEqual(reached.slice(start, start + consoleOrder.length), consoleOrder);
  for (const id of ["txtOverviewFilter", "59", "txtStatus"]) assert.ok(reached.includes(id), id);

  await page.focus("#cmdPiston_7");
  await page.keyboard.press("Shift+Tab");
  await page.keyboard.press("Tab");
  const outline = await page.$eval("#cmdPiston_7", (b) => getComputedStyle(b).outlineStyle + " " + getComputedStyle(b).outlineWidth);
  assert.equal(outline, "solid 3px");
});

test("the page fits 1280 x 720 and a tablet's width without hiding anything", async (t) => {
  const { page } = await openSite(t);
  await openFile(page, exampleFile);
  await page.waitForSelector("#fraManual_2");
  for (const [width, height] of [[1280, 720], [768, 1024], [600, 960]]) {
    await page.setViewportSize({ width, height });
    const layout = await page.evaluate(() => {
      const boxes = Array.from(document.querySelectorAll(".piston, #tbrMain button, .keyboard"), (e) => e.getBoundingClientRect());
      const pistons = Array.from(document.querySelectorAll(".piston"), (e) => e.getBoundingClientRect());
      const overlapping = pistons.some((a, i) => i % 20 > 0 && pistons[i - 1].right > a.left);
      return { scrollWidth: document.documentElement.scrollWidth, widest: Math.max(...boxes.map((b) => b.right)), overlapping };
    });
    assert.ok(layout.scrollWidth <= width, `${width}: the page is ${layout.scrollWidth} px wide`);
    assert.ok(layout.widest <= width, `${width}: a control ends at ${layout.widest} px`);
    assert.equal(layout.overlapping, false, `${width}: pistons overlap`);
  }
});
