// The browser's MIDI devices through the standard Web MIDI API: access asked for once, with
// system exclusive messages; the devices connected, kept up to date by statechange; and the
// opening, closing and sending the core's link asks for. Whatever arrives on the open input
// goes to the link as it comes: whole, in pieces or several messages at once.

import type { MidiHost } from "./link_core";
import { inUseText, type MidiRefusal, refusalText } from "./midi_refusals";
import { filled, words } from "./page_texts";

export type MidiAccessState =
  | { kind: "notAsked" }
  | { kind: "ready" }
  | { kind: "refused"; refusal: MidiRefusal; error: string };

function connected(port: MIDIPort): boolean {
  return port.state !== "disconnected";
}

function nameOf(port: MIDIPort): string {
  return port.name ?? port.id;
}

// Some doubles and older browsers have no open() or close(); the handler and send() open a
// port by themselves.
async function openPort(port: MIDIPort): Promise<void> {
  if (typeof port.open === "function") await port.open();
}

function closePort(port: MIDIPort): void {
  if (typeof port.close === "function") Promise.resolve(port.close()).catch(() => {});
}

function describe(error: unknown): string {
  return error instanceof Error ? `${error.name}: ${error.message}` : String(error);
}

export class BrowserMidi implements MidiHost {
  private access: MIDIAccess | null = null;
  private state: MidiAccessState = { kind: "notAsked" };
  private asking: Promise<MidiAccessState> | null = null;
  private inputs: MIDIInput[] = [];
  private outputs: MIDIOutput[] = [];
  private listening: MIDIInput | null = null;
  private sending: MIDIOutput | null = null;
  // The ports opened since the last release.
  private readonly opened = new Set<MIDIPort>();

  constructor(
    private readonly devicesChanged: (inputs: string[], outputs: string[]) => void,
    private readonly arrived: (bytes: ArrayLike<number>) => void,
  ) {}

  accessState(): MidiAccessState {
    return this.state;
  }

  hasDevices(): boolean {
    return this.inputs.length + this.outputs.length > 0;
  }

  // How many of the link's devices are the browser's: those after them are the simulator's.
  deviceCounts(): { inputs: number; outputs: number } {
    return { inputs: this.inputs.length, outputs: this.outputs.length };
  }

  // What the browser refused, in words; empty once access is granted or before it is asked.
  refusal(): string[] {
    return this.state.kind === "refused" ? refusalText(this.state.refusal, this.state.error) : [];
  }

  // Asks the browser (which may ask the user) once access is needed; a refusal is asked again
  // next time, so that a permission given meanwhile counts.
  // Once granted, the devices are listed afresh each time: not every implementation tells
  // when one comes or goes.
  requestAccess(): Promise<MidiAccessState> {
    if (this.state.kind === "ready") {
      this.listDevices();
      return Promise.resolve(this.state);
    }
    this.asking ??= this.ask().finally(() => (this.asking = null));
    return this.asking;
  }

  // At start, only where the permission was given before: asking would otherwise surprise.
  async requestAccessIfGranted(): Promise<void> {
    try {
      const status = await navigator.permissions.query({ name: "midi", sysex: true } as PermissionDescriptor);
      if (status.state === "granted") await this.requestAccess();
    } catch {
      // A browser that cannot tell is asked when the MIDI is first needed.
    }
  }

  private async ask(): Promise<MidiAccessState> {
    if (!window.isSecureContext) return (this.state = { kind: "refused", refusal: "insecure", error: "" });
    if (typeof navigator.requestMIDIAccess !== "function")
      return (this.state = { kind: "refused", refusal: "unsupported", error: "" });
    try {
      const access = await navigator.requestMIDIAccess({ sysex: true });
      this.access = access;
      access.onstatechange = () => this.listDevices();
      this.state = { kind: "ready" };
      this.listDevices();
    } catch (error) {
      const name = error instanceof Error ? error.name : "";
      const refusal: MidiRefusal = name === "SecurityError" || name === "NotAllowedError" ? "denied" : "failed";
      this.state = { kind: "refused", refusal, error: describe(error) };
    }
    return this.state;
  }

  private listDevices(): void {
    if (this.access === null) return;
    // forEach is what every implementation of the maps has.
    const inputs: MIDIInput[] = [];
    const outputs: MIDIOutput[] = [];
    this.access.inputs.forEach((port) => inputs.push(port));
    this.access.outputs.forEach((port) => outputs.push(port));
    this.inputs = inputs.filter(connected);
    this.outputs = outputs.filter(connected);
    this.devicesChanged(this.inputs.map(nameOf), this.outputs.map(nameOf));
  }

  // Never throws: the core calls this in the middle of its work.
  open(isInput: boolean, device: number): string {
    const port = isInput ? this.inputs[device] : this.outputs[device];
    const texts = words().ports;
    if (port === undefined) return filled(isInput ? texts.noInput : texts.noOutput, device);
    try {
      this.attach(isInput, port);
    } catch (error) {
      return filled(isInput ? texts.inputNotOpened : texts.outputNotOpened, nameOf(port), describe(error));
    }
    return "";
  }

  private attach(isInput: boolean, port: MIDIPort): void {
    if (isInput) {
      this.close(true);
      const input = port as MIDIInput;
      // Setting the handler opens the input, as the standard has it.
      input.onmidimessage = (event) => {
        if (event.data !== null) this.arrived(event.data);
      };
      this.listening = input;
    } else {
      this.sending = port as MIDIOutput;
    }
    this.opened.add(port);
    // A device another program holds was found by claim() before any transfer began.
    openPort(port).catch(() => {});
  }

  close(isInput: boolean): void {
    if (!isInput) {
      this.sending = null;
      return;
    }
    const input = this.listening;
    this.listening = null;
    try {
      if (input !== null) input.onmidimessage = null;
    } catch {
      // Whatever the input still delivers is dropped by the core while it is closed.
    }
  }

  send(bytes: Uint8Array): string {
    const output = this.sending;
    if (output === null) return words().ports.outputNotOpen;
    try {
      // A copy: the bytes passed in belong to the core and change after the call.
      output.send(Uint8Array.from(bytes));
      return "";
    } catch (error) {
      // Unplugged: the message goes nowhere, as down a pulled cable; the device leaving the
      // lists tells the link it is gone.
      if (!connected(output)) return "";
      return filled(words().ports.notSent, nameOf(output), describe(error));
    }
  }

  // Opens the chosen devices (positions in the lists; those beyond the browser's are the
  // simulator's) before a transfer, so that one another program holds is said before anything
  // is sent. Returns what went wrong, or an empty list.
  async claim(input: number, output: number): Promise<string[]> {
    const wanted: [MIDIPort | undefined, "input" | "output"][] = [[this.inputs[input], "input"], [this.outputs[output], "output"]];
    for (const [port, direction] of wanted) {
      if (port === undefined) continue;
      try {
        await openPort(port);
        this.opened.add(port);
      } catch {
        return inUseText(direction, nameOf(port));
      }
    }
    return [];
  }

  // Lets the devices go while nothing runs, so that other programs can use them meanwhile.
  release(): void {
    for (const port of this.opened) {
      if (port !== this.listening) closePort(port);
    }
    this.opened.clear();
  }
}
