// The core's link to the organ (DeviceLink) as the page calls it, and the shapes of what it
// answers. The page keeps no state of a transfer's own: it shows the events the link reports.

import { linkAnswer as answer } from "./answers";
import type {
  ConsoleAction,
  ConsoleCheckReport,
  ConsoleCheckTexts,
  ConsoleCheckView,
  LinkAnswers,
  LinkCheckTexts,
  LinkCheckView,
  LinkEvent,
  LinkState,
  SetupView,
  TrafficBatch,
  WriteOptions,
  WriteStart,
} from "./generated/page_boundary";

export type {
  ConsoleAction,
  ConsoleCheckKey,
  ConsoleCheckManual,
  ConsoleCheckPiston,
  ConsoleCheckReport,
  ConsoleCheckTexts,
  ConsoleCheckView,
  LinkCheckRow,
  LinkCheckTexts,
  LinkCheckView,
  LinkEvent,
  LinkState,
  SetupDevice,
  SetupView,
  TrafficBatch,
  TrafficEntry,
  WriteOptions,
  WriteStart,
} from "./generated/page_boundary";

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
  linkCheckTexts(): string;
  watchTraffic(on: boolean): void;
  pauseTraffic(paused: boolean): void;
  restartTraffic(): void;
  takeTraffic(): string;
  monitorCount(shown: number, dropped: number, capacity: number, paused: boolean, notRecorded: number): string;
  consoleCheckTexts(): string;
  startConsoleCheck(year: number, month: number, day: number, hour: number, minute: number): boolean;
  skipAskedPiston(): void;
  skipAllAskedPistons(): void;
  playConsole(action: ConsoleAction, manual: number, number: number): string;
  finishConsoleCheck(): string;
  stopConsoleCheck(): void;
  consoleCheckView(): string;
  tick(): number;
  simulationDue(): number;
  advanceSimulation(): void;
  takeEvents(): string;
  state(): string;
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
    return answer("setupView", this.raw.setupView());
  }
  chooseDevices(input: string, output: string): void {
    this.raw.chooseDevices(input, output);
  }
  chosenDevices(): LinkAnswers["chosenDevices"] {
    return answer("chosenDevices", this.raw.chosenDevices());
  }
  startLoad(): boolean {
    return this.raw.startLoad();
  }
  writeStart(options: WriteOptions): WriteStart {
    return answer("writeStart", this.raw.writeStart(JSON.stringify(options)));
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
    return answer("linkCheckView", this.raw.linkCheckView());
  }
  linkCheckTexts(): LinkCheckTexts {
    return answer("linkCheckTexts", this.raw.linkCheckTexts());
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
    return answer("takeTraffic", this.raw.takeTraffic());
  }
  // The monitor's count of messages, in the core's words.
  monitorCount(shown: number, dropped: number, capacity: number, paused: boolean, notRecorded: number): string {
    return this.raw.monitorCount(shown, dropped, capacity, paused, notRecorded);
  }
  consoleCheckTexts(): ConsoleCheckTexts {
    return answer("consoleCheckTexts", this.raw.consoleCheckTexts());
  }
  // Begun now, in the computer's local time; false when refused, the view saying why.
  startConsoleCheck(now: Date): boolean {
    return this.raw.startConsoleCheck(now.getFullYear(), now.getMonth() + 1, now.getDate(), now.getHours(), now.getMinutes());
  }
  skipAskedPiston(): void {
    this.raw.skipAskedPiston();
  }
  // None of the organ's own pistons left is asked for: they stay "not checked".
  skipAllAskedPistons(): void {
    this.raw.skipAllAskedPistons();
  }
  // A key or piston the console has not is a fault of the page's, thrown as one.
  playConsole(action: ConsoleAction, manual: number, number: number): void {
    const played = answer("playConsole", this.raw.playConsole(action, manual, number));
    if ("error" in played) throw new Error(played.error);
  }
  finishConsoleCheck(): ConsoleCheckReport | null {
    return answer("finishConsoleCheck", this.raw.finishConsoleCheck());
  }
  stopConsoleCheck(): void {
    this.raw.stopConsoleCheck();
  }
  consoleCheckView(): ConsoleCheckView {
    return answer("consoleCheckView", this.raw.consoleCheckView());
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
    return answer("takeEvents", this.raw.takeEvents());
  }
  state(): LinkState {
    return answer("state", this.raw.state());
  }
}
