// The page's tests and measurements drive three engines through this one small interface:
// Debian's Chromium through Playwright, Debian's Firefox ESR through Puppeteer over WebDriver
// BiDi, and Debian's WebKitGTK MiniBrowser through its WebKitWebDriver with Selenium (under a
// virtual X server: it has no headless mode). No browser is ever downloaded.
//
// Each engine only launches, opens a page, navigates, runs a function in the page, clicks,
// presses keys, types, sizes the viewport and takes a screenshot; everything else (waiting,
// finding controls by their accessible names, choosing in lists, files in and out) is done in
// the page itself, the same way in every engine.

import { readFileSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { basename } from "node:path";

export const engineNames = ["chromium", "firefox", "webkit"];

// What an engine can be asked beyond the common ground. initScripts: a script of the test's own
// runs before the page's (the Web MIDI double needs it). webMidi: the engine has Web MIDI.
// midiTestPorts: the engine's own Web MIDI has test ports (firefoxMidiTestPorts).
export const abilities = {
  chromium: { initScripts: true, webMidi: true, midiTestPorts: false },
  firefox: { initScripts: true, webMidi: true, midiTestPorts: true },
  webkit: { initScripts: false, webMidi: false, midiTestPorts: false },
};

const chromiumArgs = ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
  "--disable-sync", "--no-first-run", "--disable-quic"];
const miniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";

// Without these Firefox fetches its vendor's add-on lists, safe-browsing data and the like.
const firefoxQuiet = {
  "app.update.enabled": false,
  "browser.safebrowsing.malware.enabled": false,
  "browser.safebrowsing.phishing.enabled": false,
  "extensions.getAddons.cache.enabled": false,
  "network.captive-portal-service.enabled": false,
  "network.connectivity-service.enabled": false,
  "datareporting.policy.dataSubmissionEnabled": false,
};

// Firefox's own Web MIDI test ports, granted without a question.
export const firefoxMidiTestPorts = {
  "midi.testing": true, "midi.prompt.testing": true, "media.navigator.permission.disabled": true,
};

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once("error", reject);
    probe.listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// Playwright's key names ("Control+Shift+Z", "F2") as each engine wants them.
function splitKeys(combo) {
  const parts = combo.split("+");
  const key = parts.pop() || "+";
  return { modifiers: parts, key: key.length === 1 ? key.toLowerCase() : key };
}

// Playwright (and Puppeteer, unless told) keeps every page's timers at full pace and every page
// shown. asBrowsed has Chromium treat a page in the background as it does for its users: through
// Puppeteer without those switches, its pages tabs of one window.
const keptAwake = ["--disable-background-timer-throttling", "--disable-backgrounding-occluded-windows",
  "--disable-renderer-backgrounding"];
async function launchChromium({ asBrowsed = false } = {}) {
  if (asBrowsed) {
    const { default: puppeteer } = await import("puppeteer-core");
    const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: chromiumArgs,
      ignoreDefaultArgs: keptAwake });
    return {
      async newPage({ width, height }) {
        const page = await browser.newPage();
        await page.setViewport({ width, height });
        return wrapPuppeteer(page, browser, { width, height }, () => page.close());
      },
      close: () => browser.close(),
    };
  }
  const { chromium } = await import("playwright-core");
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: chromiumArgs });
  return {
    async newPage({ width, height }) {
      const context = await browser.newContext({ viewport: { width, height } });
      const page = await context.newPage();
      return wrapPlaywright(page, context);
    },
    close: () => browser.close(),
  };
}

// Closes a tab as its user does, saying yes to the page's "leave this page?" question if it asks
// (Playwright and Puppeteer call the same for it).
async function closeAsked(page) {
  page.on("dialog", (dialog) => void dialog.accept().catch(() => {}));
  const closed = new Promise((resolve) => page.once("close", resolve));
  await page.close({ runBeforeUnload: true });
  await closed;
}

function wrapPlaywright(page, context) {
  return {
    page,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    click: (selector, button) => page.click(selector, { button }),
    press: (combo) => page.keyboard.press(combo),
    type: (text) => page.keyboard.type(text),
    setViewport: (width, height) => page.setViewportSize({ width, height }),
    screenshot: async (path) => void (await page.screenshot({ path })),
    initScript: (fn, arg) => page.addInitScript(fn, arg),
    onError: (report) => page.on("pageerror", (error) => report(error.message)),
    bringToFront: () => page.bringToFront(),
    newTab: async () => wrapPlaywright(await context.newPage(), context),
    closeTab: () => closeAsked(page),
    close: () => context.close(),
  };
}

async function launchFirefox({ prefs = {} } = {}) {
  const { default: puppeteer } = await import("puppeteer-core");
  const browser = await puppeteer.launch({
    browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true,
    extraPrefsFirefox: { ...firefoxQuiet, ...prefs },
  });
  return {
    async newPage({ width, height }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height });
      return wrapPuppeteer(page, context, { width, height });
    },
    close: () => browser.close(),
  };
}

function wrapPuppeteer(page, context, viewport, close = () => context.close()) {
  return {
    page,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    click: (selector, button) => page.click(selector, { button }),
    async press(combo) {
      const { modifiers, key } = splitKeys(combo);
      for (const modifier of modifiers) await page.keyboard.down(modifier);
      await page.keyboard.press(key);
      for (const modifier of modifiers.reverse()) await page.keyboard.up(modifier);
    },
    type: (text) => page.keyboard.type(text),
    setViewport: (width, height) => page.setViewport({ width, height }),
    screenshot: async (path) => void (await page.screenshot({ path })),
    initScript: (fn, arg) => page.evaluateOnNewDocument(fn, arg),
    onError: (report) => page.on("pageerror", (error) => report(error.message)),
    bringToFront: () => page.bringToFront(),
    async newTab() {
      const tab = await context.newPage();
      await tab.setViewport(viewport);
      return wrapPuppeteer(tab, context, viewport, () => tab.close());
    },
    closeTab: () => closeAsked(page),
    close,
  };
}

// WebKitWebDriver drives one MiniBrowser window; a new page is that window at another address
// (each test serves the site on a port of its own, so nothing stored carries over).
async function launchWebkit() {
  const { Builder, By, Key } = await import("selenium-webdriver");
  const { default: remote } = await import("selenium-webdriver/remote/index.js");
  const port = await freePort();
  // The hostname keeps it on the loopback; without it the driver tries another address first.
  const service = new remote.DriverService("/usr/bin/WebKitWebDriver", {
    hostname: "127.0.0.1", port, args: [`--port=${port}`, "--host=127.0.0.1"],
  });
  const driver = await new Builder().usingServer(await service.start()).withCapabilities({
    browserName: "MiniBrowser",
    "webkitgtk:browserOptions": { binary: miniBrowser, args: ["--automation"] },
  }).build();
  const keys = { Control: Key.CONTROL, Shift: Key.SHIFT, Alt: Key.ALT, Tab: Key.TAB, Enter: Key.ENTER, Delete: Key.DELETE,
    Escape: Key.ESCAPE, End: Key.END, Home: Key.HOME, F2: Key.F2, ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP,
    ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT, Space: " " };
  const element = (selector) => driver.findElement(By.css(selector));
  const evaluate = (fn, arg) => driver.executeScript(`return (${fn}).apply(null, arguments)`, arg);
  // WebKit may still be handing clicks and keys to the page when the driver answers: the next
  // frame has them.
  const settled = () => evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0))));
  // The window's size includes its frame, and it changes some time after the driver answers:
  // sized, waited for, measured, and sized again by the difference.
  const setViewport = async (width, height) => {
    const inner = () => evaluate(() => [innerWidth, innerHeight]);
    let frame = [0, 0];
    for (let attempt = 0; attempt < 4; ++attempt) {
      const before = await inner();
      if (before[0] === width && before[1] === height) return;
      const rect = { width: width + frame[0], height: height + frame[1] };
      await driver.manage().window().setRect(rect);
      let now = before;
      for (let wait = 0; wait < 20 && now[0] === before[0] && now[1] === before[1]; ++wait) {
        await new Promise((resolve) => setTimeout(resolve, 50));
        now = await inner();
      }
      if (now[0] === width && now[1] === height) return;
      const actual = await driver.manage().window().getRect();
      frame = [actual.width - now[0], actual.height - now[1]];
    }
  };
  // The driver works in one tab at a time: each tab's calls first make it the driver's.
  let current = await driver.getWindowHandle();
  const tabOn = (handle, closeTab) => {
    const methods = tabMethods(closeTab);
    const tab = {};
    for (const [name, method] of Object.entries(methods)) {
      tab[name] = async (...args) => {
        if (current !== handle) await driver.switchTo().window(handle);
        current = handle;
        return method(...args);
      };
    }
    return tab;
  };
  const closeCurrent = async () => {
    await driver.close();
    current = null;
  };
  const tabMethods = (closeTab) => ({
    goto: (url) => driver.get(url),
    reload: () => driver.navigate().refresh(),
    evaluate,
    async click(selector, button) {
      if (button === "right") await driver.actions().contextClick(await element(selector)).perform();
      else await (await element(selector)).click();
      await settled();
    },
    async press(combo) {
      const { modifiers, key } = splitKeys(combo);
      let actions = driver.actions();
      for (const modifier of modifiers) actions = actions.keyDown(keys[modifier]);
      actions = actions.keyDown(keys[key] ?? key).keyUp(keys[key] ?? key);
      for (const modifier of modifiers.reverse()) actions = actions.keyUp(keys[modifier]);
      await actions.perform();
      // Its driver can keep a modifier down after the key-ups (measured after Control+Shift+Z),
      // so that what is typed next goes nowhere: every key is let go.
      await driver.actions().clear();
      await settled();
    },
    // Its driver loses characters beyond ASCII now and then (no key for them under the virtual
    // X server): those are put in as an input method would.
    async type(text) {
      for (const run of text.match(/[\x20-\x7e]+|[^\x20-\x7e]+/g) ?? []) {
        if (/^[\x20-\x7e]/.test(run)) await driver.actions().sendKeys(run).perform();
        else await evaluate((run) => document.execCommand("insertText", false, run), run);
      }
      await settled();
    },
    setViewport,
    screenshot: async (path) => writeFileSync(path, Buffer.from(await driver.takeScreenshot(), "base64")),
    initScript: () => {
      throw new Error("WebKitWebDriver runs no script before the page's own");
    },
    // Errors are caught in the page itself (see Page.goto).
    onError: () => {},
    bringToFront: async () => {},
    // A window of its own: MiniBrowser runs no animation frame in a tab behind another, and the
    // driver waits for one after every click.
    async newTab() {
      await driver.switchTo().newWindow("window");
      current = await driver.getWindowHandle();
      return tabOn(current, closeCurrent);
    },
    // The first tab stays for the next test's page.
    close: closeTab,
    closeTab,
  });
  const first = tabOn(current, async () => {});
  return {
    async newPage({ width, height }) {
      await first.setViewport(width, height);
      return first;
    },
    async close() {
      await driver.quit();
      await service.kill();
    },
  };
}

const launchers = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebkit };

export async function launch(engine, options = {}) {
  if (!launchers[engine]) throw new Error(`unknown engine "${engine}": one of ${engineNames.join(", ")}`);
  const browser = await launchers[engine](options);
  return {
    engine,
    async newPage({ width = 1280, height = 720 } = {}) {
      return new Page(engine, await browser.newPage({ width, height }));
    },
    close: () => browser.close(),
  };
}

// --- What runs in the page -------------------------------------------------------------------

// Finds the elements a target names: a CSS selector, or { role, name } / { label } as a user
// (and a screen reader) knows them, optionally { within: selector }. Only what is shown and not
// covered by a modal dialog counts for role and label, as for a person.
function locate(target) {
  const squash = (text) => (text ?? "").replace(/\s+/g, " ").trim();
  const textOf = (ids) => ids.split(/\s+/).map((id) => document.getElementById(id)?.textContent ?? "").join(" ");
  const accessibleName = (el) => {
    if (el.hasAttribute("aria-labelledby")) return squash(textOf(el.getAttribute("aria-labelledby")));
    if (el.hasAttribute("aria-label")) return squash(el.getAttribute("aria-label"));
    if (el.labels?.length) return squash(Array.from(el.labels, (label) => label.textContent).join(" "));
    return squash(el.textContent);
  };
  const roleOf = (el) => {
    const explicit = el.getAttribute("role");
    if (explicit) return explicit;
    const tag = el.tagName.toLowerCase();
    if (tag === "button") return "button";
    if (tag === "select") return "combobox";
    if (tag === "input") return { checkbox: "checkbox", radio: "radio", button: "button", submit: "button" }[el.type] ?? "textbox";
    if (tag === "textarea") return "textbox";
    return "";
  };
  const reachable = (el) => el.getClientRects().length > 0 && el.closest("[aria-hidden=true], [inert]") === null;
  if (typeof target === "string") return Array.from(document.querySelectorAll(target));
  const scope = target.within ? document.querySelector(target.within) : document;
  if (scope === null) return [];
  const candidates = Array.from(scope.querySelectorAll(target.css ?? "button, select, input, textarea, [role]")).filter(reachable);
  if (target.label !== undefined) {
    return candidates.filter((el) => {
      const names = [el.getAttribute("aria-labelledby") && textOf(el.getAttribute("aria-labelledby")),
        el.getAttribute("aria-label"), ...Array.from(el.labels ?? [], (label) => label.textContent)];
      return names.some((name) => name && squash(name) === target.label);
    });
  }
  return candidates.filter((el) => roleOf(el) === target.role && (target.name === undefined || accessibleName(el) === target.name));
}

// Marks the one element a target names so that the engine can reach it by a plain selector.
function mark(target, locate) {
  const found = locate(target);
  const strict = typeof target !== "string";
  if (found.length === 0 || (strict && found.length > 1)) return found.length;
  document.querySelectorAll("[data-driver-target]").forEach((el) => el.removeAttribute("data-driver-target"));
  found[0].setAttribute("data-driver-target", "");
  return -1;
}

// The page's policy allows no eval in the page, so the finder goes along in the function's own
// source, made here.
function withLocate(fn) {
  return new Function("arg", `return (${fn})(arg, ${locate});`);
}

function describeTarget(target) {
  return typeof target === "string" ? target : JSON.stringify(target);
}

// Blobs handed to an <a download> are kept instead of saved, so that a test reads what the page
// gives the browser to save, in any engine.
function catchDownloads() {
  window.driverDownloads = [];
  if (window.driverDownloadsCaught) return;
  window.driverDownloadsCaught = true;
  const blobs = new Map();
  const createObjectURL = URL.createObjectURL;
  URL.createObjectURL = (object) => {
    const url = createObjectURL.call(URL, object);
    blobs.set(url, object);
    return url;
  };
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function () {
    const blob = blobs.get(this.href);
    if (!this.download || blob === undefined) return click.call(this);
    const name = this.download;
    window.driverDownloads.push(blob.arrayBuffer().then((buffer) => {
      const bytes = new Uint8Array(buffer);
      let text = "";
      for (let at = 0; at < bytes.length; at += 0x8000) text += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
      return { name, base64: btoa(text) };
    }));
  };
}

function watchErrors() {
  if (window.driverErrors) return;
  window.driverErrors = [];
  window.addEventListener("error", (event) => window.driverErrors.push(event.message));
  window.addEventListener("unhandledrejection", (event) => window.driverErrors.push(String(event.reason?.message ?? event.reason)));
}

export class Page {
  constructor(engine, tab) {
    this.engine = engine;
    this.tab = tab;
    this.pageErrors = [];
    tab.onError((message) => this.pageErrors.push(message));
  }

  async goto(url) {
    await this.tab.goto(url);
    if (!abilities[this.engine].initScripts) await this.tab.evaluate(watchErrors);
  }

  async reload() {
    await this.tab.reload();
    if (!abilities[this.engine].initScripts) await this.tab.evaluate(watchErrors);
  }

  evaluate(fn, arg) {
    return this.tab.evaluate(fn, arg === undefined ? null : arg);
  }

  initScript(fn, arg) {
    return this.tab.initScript(fn, arg);
  }

  // Polls until fn(arg) in the page gives something truthy, and returns it.
  async waitUntil(fn, arg, { timeout = 15_000, what = String(fn) } = {}) {
    const end = performance.now() + timeout;
    for (;;) {
      const value = await this.evaluate(fn, arg);
      if (value) return value;
      if (performance.now() > end) throw new Error(`waited ${timeout} ms in ${this.engine} for ${what}`);
      await new Promise((resolve) => setTimeout(resolve, 40));
    }
  }

  // Waits until the target is there (state "visible", the default, or "attached") or gone ("detached").
  async waitFor(target, { state = "visible", timeout } = {}) {
    const end = performance.now() + (timeout ?? 15_000);
    const present = withLocate(({ target, state }, locate) => {
      const found = locate(target);
      if (state === "detached") return found.length === 0;
      if (state === "attached") return found.length > 0;
      return found.some((el) => el.getClientRects().length > 0);
    });
    while (!(await this.tab.evaluate(present, { target, state }))) {
      if (performance.now() > end) throw new Error(`waited in ${this.engine} for ${describeTarget(target)} ${state}`);
      await new Promise((resolve) => setTimeout(resolve, 40));
    }
  }

  // The selector of the one element the target names, once there is one.
  async resolve(target, timeout = 15_000) {
    let count = 0;
    const end = performance.now() + timeout;
    const marked = withLocate(mark);
    for (;;) {
      count = await this.tab.evaluate(marked, target);
      if (count === -1) return "[data-driver-target]";
      if (performance.now() > end) break;
      await new Promise((resolve) => setTimeout(resolve, 40));
    }
    throw new Error(count === 0 ? `${this.engine}: nothing matches ${describeTarget(target)}`
      : `${this.engine}: ${count} elements match ${describeTarget(target)}`);
  }

  async click(target, { button = "left" } = {}) {
    await this.tab.click(await this.resolve(target), button);
  }

  async focus(target) {
    const selector = await this.resolve(target);
    await this.evaluate((s) => document.querySelector(s).focus(), selector);
  }

  press(combo) {
    return this.tab.press(combo);
  }

  type(text) {
    return this.tab.type(text);
  }

  // Replaces a text box's contents, as pasting would.
  async fill(target, text) {
    const selector = await this.resolve(target);
    await this.evaluate(({ selector, text }) => {
      const box = document.querySelector(selector);
      box.focus();
      box.value = text;
      box.dispatchEvent(new Event("input", { bubbles: true }));
      box.dispatchEvent(new Event("change", { bubbles: true }));
    }, { selector, text });
  }

  // Chooses the option shown as label in a list.
  async select(target, label) {
    const selector = await this.resolve(target);
    const chosen = await this.evaluate(({ selector, label }) => {
      const list = document.querySelector(selector);
      const option = Array.from(list.options).find((o) => o.textContent.trim() === label);
      if (option === undefined) return false;
      list.value = option.value;
      list.dispatchEvent(new Event("input", { bubbles: true }));
      list.dispatchEvent(new Event("change", { bubbles: true }));
      return true;
    }, { selector, label });
    if (!chosen) throw new Error(`${this.engine}: ${describeTarget(target)} offers no "${label}"`);
  }

  async check(target, on = true) {
    const selector = await this.resolve(target);
    if ((await this.evaluate((s) => document.querySelector(s).checked, selector)) !== on) await this.tab.click(selector, "left");
  }

  async text(target) {
    const selector = await this.resolve(target);
    return this.evaluate((s) => document.querySelector(s).innerText, selector);
  }

  async texts(selector) {
    return this.evaluate((s) => Array.from(document.querySelectorAll(s), (el) => el.innerText), selector);
  }

  async attribute(target, name) {
    const selector = await this.resolve(target);
    return this.evaluate(({ selector, name }) => document.querySelector(selector).getAttribute(name), { selector, name });
  }

  async value(target) {
    const selector = await this.resolve(target);
    return this.evaluate((s) => document.querySelector(s).value, selector);
  }

  async isDisabled(target) {
    const selector = await this.resolve(target);
    return this.evaluate((s) => document.querySelector(s).disabled, selector);
  }

  count(selector) {
    return this.evaluate((s) => document.querySelectorAll(s).length, selector);
  }

  title() {
    return this.evaluate(() => document.title);
  }

  // Gives a file input a file from disk, as choosing it in the browser's dialog does.
  async chooseFile(target, path) {
    const selector = await this.resolve(target);
    await this.evaluate(({ selector, name, base64 }) => {
      const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const transfer = new DataTransfer();
      transfer.items.add(new File([bytes], name));
      const input = document.querySelector(selector);
      input.files = transfer.files;
      input.dispatchEvent(new Event("change", { bubbles: true }));
    }, { selector, name: basename(path), base64: readFileSync(path).toString("base64") });
  }

  // What the page hands the browser to save while action runs: { name, bytes }.
  async download(action) {
    await this.evaluate(catchDownloads);
    await action();
    await this.waitUntil(() => window.driverDownloads.length > 0, null, { what: "a download" });
    const { name, base64 } = await this.evaluate(() => window.driverDownloads[0]);
    return { name, bytes: Buffer.from(base64, "base64") };
  }

  setViewport(width, height) {
    return this.tab.setViewport(width, height);
  }

  screenshot(path) {
    return this.tab.screenshot(path);
  }

  async errors() {
    const caught = abilities[this.engine].initScripts ? [] : await this.evaluate(() => window.driverErrors ?? []);
    return [...this.pageErrors, ...caught];
  }

  // Every address the page has fetched since it was loaded.
  fetched() {
    return this.evaluate(() => performance.getEntriesByType("resource").map((entry) => entry.name));
  }

  bringToFront() {
    return this.tab.bringToFront();
  }

  async newTab() {
    return new Page(this.engine, await this.tab.newTab());
  }

  // Closes this tab alone, as its user would, agreeing to leave where the page asks.
  closeTab() {
    return this.tab.closeTab();
  }

  close() {
    return this.tab.close();
  }
}
