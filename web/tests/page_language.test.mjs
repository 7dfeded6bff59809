// The page in the organist's language: chosen in the header, every text drawn again at once in
// it, kept in the browser for the next visit; where nothing was chosen, the browser's languages
// decide.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { test } from "node:test";
import { engineTest, examples, openExample, openSite, shot } from "./support.mjs";

// The catalogue's translation of a text, read from the repository's po/ file.
function translation(language, english) {
  const catalogue = readFileSync(join(examples, "..", "po", `${language}.po`), "utf8");
  const quoted = JSON.stringify(english).slice(1, -1).replace(/[.*+?^${}()|[\]\\]/g, "\\$&");
  const found = new RegExp(`\\nmsgid "${quoted}"\\nmsgstr "(.+)"\\n`).exec(catalogue);
  assert.ok(found, `${language}.po has no translation of "${english}"`);
  return JSON.parse(`"${found[1]}"`);
}

const shownEnglish = ["Load Current Settings from the ZKT", "Write Program Data to ZKT", "Piston Overview", "Status"];

test("the language chosen is drawn at once everywhere and kept for the next visit", async (t) => {
  const { page } = await openExample(t);
  for (const [language, name] of [["de", "Deutsch"], ["nl", "Nederlands"], ["fr", "Français"]]) {
    await page.select("#cboLanguage", name);
    await page.waitUntil((code) => document.documentElement.lang === code, language);
    const shown = await page.texts("#tbrMain_loado, #tbrMain_write, #overviewTitle, #lblStatusCaption");
    assert.deepEqual(shown, shownEnglish.map((english) => translation(language, english)), language);
    await shot(page, `language_${language}`);
  }
  await page.reload();
  await page.waitFor("body[data-state=ready]", { state: "attached" });
  assert.equal(await page.text("#tbrMain_write"), translation("fr", "Write Program Data to ZKT"));
  assert.equal(await page.evaluate(() => document.getElementById("cboLanguage").value), "fr");
  await page.select("#cboLanguage", "English");
  assert.equal(await page.text("#tbrMain_write"), "Write Program Data to ZKT");
});

engineTest("a page opened for the first time follows the browser's languages", ["initScripts"], async (t) => {
  const { page } = await openSite(t, { languages: ["sv-SE", "nl-BE", "de"] });
  assert.equal(await page.evaluate(() => document.documentElement.lang), "nl");
  assert.equal(await page.text("#tbrMain_write"), translation("nl", "Write Program Data to ZKT"));
});
