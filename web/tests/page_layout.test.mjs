// The page from the keyboard and on smaller screens, in every engine: Tab reaches every control,
// each manual's keyboard then its pistons in rail order, with a visible focus frame; at
// 1280 x 720 and at a tablet's width nothing sticks out sideways and no piston covers another.

import assert from "node:assert/strict";
import { test } from "node:test";
import { openExample, shot } from "./support.mjs";

test("Tab reaches every control in order with a visible focus frame", async (t) => {
  const { page } = await openExample(t);
  // The frame first: Firefox lets Tab run on out of the page, and a page focused again by a
  // script shows no frame there.
  await page.focus("#cmdPiston_7");
  await page.press("Shift+Tab");
  await page.press("Tab");
  const outline = await page.waitUntil(() => {
    const piston = document.getElementById("cmdPiston_7");
    const style = getComputedStyle(piston);
    return document.activeElement === piston && `${style.outlineStyle} ${style.outlineWidth}`;
  });
  assert.equal(outline, "solid 3px");
  await shot(page, "focus");
  await page.focus("#tbrMain_load");
  const reached = [];
  for (let press = 0; press < 200; ++press) {
    reached.push(await page.evaluate(() => document.activeElement?.id || document.activeElement?.dataset.piston || ""));
    await page.press("Tab");
  }
  const toolbar = await page.evaluate(() => Array.from(document.querySelectorAll("#tbrMain button"), (b) => b.id));
  assert.deepEqual(reached.slice(0, toolbar.length), toolbar);
  const consoleOrder = [0, 1, 2].flatMap((m) =>
    [`picKeyboard_${m}`, ...Array.from({ length: 20 }, (_, k) => `cmdPiston_${m * 20 + k}`)]);
  const start = reached.indexOf("picKeyboard_0");
  assert.deepEqual(reached.slice(start, start + consoleOrder.length), consoleOrder);
  for (const id of ["txtOverviewFilter", "59", "txtStatus"]) assert.ok(reached.includes(id), id);
});

test("the page fits 1280 x 720 and a tablet's width without hiding anything, in every language", async (t) => {
  const { page } = await openExample(t);
  const sizes = [[1280, 720], [768, 1024], [600, 960]];
  for (const [language, width, height] of ["Deutsch", "Nederlands", "Français", "English"].flatMap((language) =>
    sizes.map(([width, height]) => [language, width, height]))) {
    await page.select("#cboLanguage", language);
    await page.setViewport(width, height);
    const layout = await page.evaluate(() => {
      const boxes = Array.from(document.querySelectorAll(".piston, #tbrMain button, #cboLanguage, .keyboard"),
        (e) => e.getBoundingClientRect());
      const pistons = Array.from(document.querySelectorAll(".piston"), (e) => e.getBoundingClientRect());
      const overlapping = pistons.some((a, i) => i % 20 > 0 && pistons[i - 1].right > a.left);
      return { width: innerWidth, scrollWidth: document.documentElement.scrollWidth,
        widest: Math.max(...boxes.map((b) => b.right)), overlapping };
    });
    const where = `${language}, ${width}`;
    assert.ok(Math.abs(layout.width - width) <= 20, `the viewport is ${layout.width} px wide, not ${width}`);
    assert.ok(layout.scrollWidth <= layout.width, `${where}: the page is ${layout.scrollWidth} px wide`);
    assert.ok(layout.widest <= layout.width, `${where}: a control ends at ${layout.widest} px`);
    assert.equal(layout.overlapping, false, `${where}: pistons overlap`);
    await shot(page, `layout_${language}_${width}x${height}`);
  }
});
