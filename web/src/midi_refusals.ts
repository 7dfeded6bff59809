// What browsers refuse when the page asks for MIDI, said plainly with what to do about it, in
// the core's words.

import { filled, words } from "./page_texts";

export type MidiRefusal = "insecure" | "unsupported" | "denied" | "failed";

export function isFirefox(): boolean {
  return /\bFirefox\//.test(navigator.userAgent);
}

// Why the page cannot reach the organ, and what to do; the error is the browser's own, when it gave one.
export function refusalText(refusal: MidiRefusal, error = ""): string[] {
  const texts = words().refusals;
  switch (refusal) {
    case "insecure":
      return texts.insecure;
    case "unsupported":
      return texts.unsupported;
    case "denied":
      return isFirefox() ? texts.deniedFirefox : texts.denied;
    case "failed":
      return [error === "" ? texts.failed : filled(texts.failedWith, error), texts.failedAdvice];
  }
}

export function inUseText(direction: "input" | "output", name: string): string[] {
  const texts = words().refusals;
  return [filled(direction === "input" ? texts.inputInUse : texts.outputInUse, name), texts.inUseAdvice];
}
