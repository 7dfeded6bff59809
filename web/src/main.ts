// Start-up: the core's module is loaded, then the page is built around its session. With
// ?example the example organ opens straight away (for a first look, and for measuring). Once
// ready, the page asks to be kept for use offline.

import { App } from "./app";
import { loadCore } from "./core";

function keepForOffline(): void {
  if (!("serviceWorker" in navigator)) return;
  // Not kept (a private window, a browser that refuses): the page still works online.
  navigator.serviceWorker.register("sw.js").catch(() => {});
}

async function start(): Promise<void> {
  try {
    const app = new App(await loadCore());
    // Changes recovered are not set aside for the example.
    const asked = await app.offerRecovery();
    if (!asked && new URLSearchParams(location.search).has("example")) await app.openExample();
    // How long the page took from the start of its loading until it was ready to use.
    document.body.dataset["readyAfterMs"] = String(Math.round(performance.now()));
    document.body.dataset["state"] = "ready";
    keepForOffline();
  } catch (error) {
    document.body.dataset["state"] = "failed";
    const status = document.getElementById("txtStatus");
    if (status !== null)
      status.textContent = `The page could not start: ${error instanceof Error ? error.message : String(error)}. ` +
        "It needs a browser with WebAssembly (any current Chrome, Edge, Firefox or Safari).";
  }
}

void start();
