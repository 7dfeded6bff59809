// The core's link to the organ (DeviceLink) as the page calls it, and the shapes of what it
// answers. The page keeps no state of a transfer's own: it shows the events the link reports.

export interface WriteOptions {
  backup: boolean;
  onlyChanged: boolean;
  verify: boolean;
  verifyAll: boolean;
}

export type LinkEvent =
  | { type: "started"; kind: "load" | "write"; purpose: string }
  | { type: "caption"; text: string }
  | { type: "replace"; lines: string[] }
  | { type: "line"; text: string }
  | { type: "append"; text: string }
  | { type: "cancellable"; value: boolean }
  | { type: "finished"; result: "succeeded" | "failed" | "cancelled"; kind: string; purpose: string; cause: string; reason: string }
  | { type: "closingDone" }
  | { type: "message"; text: string }
  | { type: "configurationLoaded" }
  | { type: "confirmWrite"; lines: string[]; options: WriteOptions }
  | { type: "readFailed"; reason: string }
  | { type: "backup"; name: string; takenAt: string; manuals: number; text: string }
  | { type: "writeFinished"; outcome: string; report: string[] };

// A device as the browser names it, and the label the link keeps the choice by.
export interface SetupDevice {
  name: string;
  label: string;
}

export interface SetupView {
  inputs: SetupDevice[];
  outputs: SetupDevice[];
  input: string;
  output: string;
  missing: string[];
}

export interface LinkCheckRow {
  length: number;
  sent: number;
  intact: number;
  corrupted: number;
  lost: number | null;
  roundTripMs: number | null;
}

export interface LinkCheckView {
  running: boolean;
  sent: number;
  planned: number;
  ports: string;
  rows: LinkCheckRow[];
  mcus: string;
  verdict: string;
  problem: boolean;
}

export interface TrafficEntry {
  sinceStartMs: number;
  sincePreviousMs: number;
  direction: "sent" | "received";
  length: number;
  meaning: string;
  line: string;
}

export interface TrafficBatch {
  entries: TrafficEntry[];
  notRecorded: number;
  capacity: number;
}

export interface LinkState {
  busy: boolean;
  devicesChosen: boolean;
  writing: boolean;
}

// What the link asks of the page's devices: open and send return why they failed, or "".
export interface MidiHost {
  open(isInput: boolean, device: number): string;
  close(isInput: boolean): void;
  send(bytes: Uint8Array): string;
}

export interface RawLink {
  setDevices(inputs: string[], outputs: string[]): void;
  received(bytes: ArrayLike<number>): void;
  setupView(): string;
  chooseDevices(input: string, output: string): void;
  chosenDevices(): string;
  startLoad(): boolean;
  writeStart(options: string): string;
  startWrite(options: string): boolean;
  confirmWrite(options: string): void;
  writeWithoutBackup(): void;
  cancel(): void;
  startLinkCheck(): boolean;
  stopLinkCheck(): void;
  linkCheckView(): string;
  watchTraffic(on: boolean): void;
  pauseTraffic(paused: boolean): void;
  restartTraffic(): void;
  takeTraffic(): string;
  tick(): number;
  simulationDue(): number;
  advanceSimulation(): void;
  takeEvents(): string;
  state(): string;
}

// What a write with these options begins with: refused (and why), the write dialog first, or the
// read of the chain.
export interface WriteStart {
  first: "refuse" | "ask" | "readFirst";
  refusal: string[];
}

export class DeviceLink {
  constructor(private readonly raw: RawLink) {}

  setDevices(inputs: string[], outputs: string[]): void {
    this.raw.setDevices(inputs, outputs);
  }
  received(bytes: ArrayLike<number>): void {
    this.raw.received(bytes);
  }
  setupView(): SetupView {
    return JSON.parse(this.raw.setupView()) as SetupView;
  }
  chooseDevices(input: string, output: string): void {
    this.raw.chooseDevices(input, output);
  }
  chosenDevices(): { input: number; output: number } {
    return JSON.parse(this.raw.chosenDevices()) as { input: number; output: number };
  }
  startLoad(): boolean {
    return this.raw.startLoad();
  }
  writeStart(options: WriteOptions): WriteStart {
    return JSON.parse(this.raw.writeStart(JSON.stringify(options))) as WriteStart;
  }
  startWrite(options: WriteOptions): boolean {
    return this.raw.startWrite(JSON.stringify(options));
  }
  confirmWrite(options: WriteOptions): void {
    this.raw.confirmWrite(JSON.stringify(options));
  }
  writeWithoutBackup(): void {
    this.raw.writeWithoutBackup();
  }
  cancel(): void {
    this.raw.cancel();
  }
  startLinkCheck(): boolean {
    return this.raw.startLinkCheck();
  }
  stopLinkCheck(): void {
    this.raw.stopLinkCheck();
  }
  linkCheckView(): LinkCheckView {
    return JSON.parse(this.raw.linkCheckView()) as LinkCheckView;
  }
  watchTraffic(on: boolean): void {
    this.raw.watchTraffic(on);
  }
  pauseTraffic(paused: boolean): void {
    this.raw.pauseTraffic(paused);
  }
  restartTraffic(): void {
    this.raw.restartTraffic();
  }
  takeTraffic(): TrafficBatch {
    return JSON.parse(this.raw.takeTraffic()) as TrafficBatch;
  }
  // Runs the 100 ms tick; returns the milliseconds until it wants to run again.
  tick(): number {
    return this.raw.tick();
  }
  // Milliseconds until the simulated chain has something to do; null when nothing is pending.
  simulationDue(): number | null {
    const due = this.raw.simulationDue();
    return due < 0 ? null : due;
  }
  advanceSimulation(): void {
    this.raw.advanceSimulation();
  }
  takeEvents(): LinkEvent[] {
    return JSON.parse(this.raw.takeEvents()) as LinkEvent[];
  }
  state(): LinkState {
    return JSON.parse(this.raw.state()) as LinkState;
  }
}
