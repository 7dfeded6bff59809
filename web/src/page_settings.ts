// What the page remembers between visits, as the desktop's settings file does: the MIDI devices
// chosen (by name) and the write dialog's options. A browser that keeps nothing (a private
// window, storage switched off) simply starts afresh each time.

import type { WriteOptions } from "./link_core";

const devicesKey = "zktconfig.midiDevices";
const writeOptionsKey = "zktconfig.writeOptions";

export interface ChosenDevices {
  input: string;
  output: string;
}

export const defaultWriteOptions: WriteOptions = { backup: true, onlyChanged: true, verify: true, verifyAll: false };

function read<T extends object>(key: string, fallback: T): T {
  try {
    const stored = JSON.parse(localStorage.getItem(key) ?? "null") as unknown;
    if (stored === null || typeof stored !== "object") return fallback;
    // Only what has the expected kind of value is taken; the rest keeps its default.
    const result = { ...fallback } as Record<string, unknown>;
    for (const [name, value] of Object.entries(stored as Record<string, unknown>)) {
      if (name in fallback && typeof value === typeof (fallback as Record<string, unknown>)[name]) result[name] = value;
    }
    return result as T;
  } catch {
    return fallback;
  }
}

function keep(key: string, value: object): void {
  try {
    localStorage.setItem(key, JSON.stringify(value));
  } catch {
    // Nothing is kept; the page works on.
  }
}

export function chosenDevices(): ChosenDevices {
  return read(devicesKey, { input: "", output: "" });
}

export function keepChosenDevices(devices: ChosenDevices): void {
  keep(devicesKey, devices);
}

export function writeOptions(): WriteOptions {
  return read(writeOptionsKey, defaultWriteOptions);
}

export function keepWriteOptions(options: WriteOptions): void {
  keep(writeOptionsKey, options);
}
