// Start-up: the core's module is loaded, then the page is built around its session. With
// ?example the example organ opens straight away (for a first look, and for measuring).

import { App } from "./app";
import { loadSession } from "./core";

async function start(): Promise<void> {
  try {
    const app = new App(await loadSession());
    if (new URLSearchParams(location.search).has("example")) await app.openExample();
    // How long the page took from the start of its loading until it was ready to use.
    document.body.dataset["readyAfterMs"] = String(Math.round(performance.now()));
    document.body.dataset["state"] = "ready";
  } catch (error) {
    document.body.dataset["state"] = "failed";
    const status = document.getElementById("txtStatus");
    if (status !== null)
      status.textContent = `The page could not start: ${error instanceof Error ? error.message : String(error)}. ` +
        "It needs a browser with WebAssembly (any current Chrome, Edge, Firefox or Safari).";
  }
}

void start();
