// What browsers refuse when the page asks for MIDI, said plainly with what to do about it.

export type MidiRefusal = "insecure" | "unsupported" | "denied" | "failed";

const useAnother = "use Chrome, Edge or Opera on a Windows, Mac, Linux or ChromeOS computer, or the desktop program ZKTConfig";
const simulatorStays = "The ZKT simulator in the MIDI setup works in any browser.";

export function isFirefox(): boolean {
  return /\bFirefox\//.test(navigator.userAgent);
}

// Why the page cannot reach the organ, and what to do; the error is the browser's own, when it gave one.
export function refusalText(refusal: MidiRefusal, error = ""): string[] {
  switch (refusal) {
    case "insecure":
      return [
        "Browsers give MIDI only to pages served over https (or from this computer itself), and this page came over plain http.",
        "Open the page at its https address.",
      ];
    case "unsupported":
      return [
        "This browser cannot reach MIDI devices: it has no Web MIDI. Safari has none, and on iPhone and iPad no browser has it.",
        `To reach the organ, ${useAnother}. ${simulatorStays}`,
      ];
    case "denied":
      return isFirefox()
        ? [
            "Firefox did not let this page use MIDI devices. Firefox grants MIDI through a small add-on that it makes for this site itself (a \"site permission add-on\"); it installs nothing else.",
            "Reload the page and, when Firefox asks, choose \"Continue to Installation\" and then \"Add\". If Firefox no longer asks, open Add-ons and Themes (Ctrl+Shift+A), remove this site's add-on under Site Permissions, and reload.",
          ]
        : [
            "The browser did not let this page control MIDI devices, which it needs to read and write the ZKT (with system exclusive messages).",
            "Allow it: click the icon at the left of the address bar, set \"MIDI device control & reprogram\" (or \"MIDI devices\") to Allow, and reload the page.",
          ];
    case "failed":
      return [
        `The browser could not start its MIDI system${error === "" ? "" : ` (${error})`}.`,
        "Check that the MIDI interface is plugged in and its driver installed, then close the browser completely and open it again; " +
          `or ${useAnother}.`,
      ];
  }
}

export function inUseText(direction: "input" | "output", name: string): string[] {
  return [
    `The MIDI ${direction} "${name}" cannot be opened: another program is using it.`,
    "Close the program that holds it (a music program, the desktop ZKTConfig, or another browser tab with a MIDI page) and try again.",
  ];
}

export const noDevicesText =
  "No MIDI device is connected (or the browser sees none). Connect the MIDI interface your ZKT is wired to: the lists follow as soon as it is there.";

// Said before Firefox asks, so that its question about an add-on does not surprise.
export const firefoxAsksText =
  "Firefox is about to ask whether to add a \"site permission add-on\" for this page: it is how Firefox lets a page use MIDI devices. " +
  "Choose \"Continue to Installation\" and then \"Add\".";
