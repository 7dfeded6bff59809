// The core's module, built from the project's C++ with emscripten, and the shapes of what it
// answers. The page keeps no state of the organ's own: every answer comes from the Session.

import { DeviceLink, type MidiHost, type RawLink } from "./link_core";

export interface ListView {
  items: string[];
  selected: number; // -1: the stored value has no entry in the list
}

export interface PistonView {
  assigned: boolean;
  label: string; // on one line; "" for none
  description: string;
  functionText: string;
  detail: string;
}

export interface OrganView {
  manuals: number;
  fileName: string;
  documentName: string;
  clean: boolean;
  title: string; // "organ.zkt* - ZKTConfig by Larkmoor"
  undo: string | null;
  redo: string | null;
  undoText: string; // "Undo Open organ.zkt", or "Undo" alone
  redoText: string;
  paste: { piston: boolean; settings: boolean; manual: boolean };
  railLeftTwips: number[];
  manualTitles: string[]; // "Manual #1 — Great"
  keyboardNames: string[]; // "Manual #1 — Great keyboard"
  longestName: number; // characters a manual's name or a piston's label may have
  pistons: PistonView[];
}

export interface BankRowView {
  caption: string;
  checked: boolean;
  enabled: boolean;
  values: ListView;
}

export interface PistonPanelView {
  prompt: string;
  typeShown: boolean;
  types: ListView;
  channelKind: "midi" | "num" | "hidden";
  channelCaption: string;
  channels: ListView;
  channelEnabled: boolean;
  values: ListView;
  bankRows: BankRowView[];
  allChannelsBox: boolean;
  allChannelsCaption: string;
  allChannels: boolean;
}

// A manual's name or a piston's label as its input shows it, with the input's words.
export interface NameInputView {
  caption: string;
  placeholder: string;
  accessibleName: string;
  longest: number;
  shown: string; // on one line
}

export interface PistonEditorView {
  texts: { title: string; functionQuestion: string; save: string; cancel: string; openOn: string };
  location: string;
  note: string;
  label: NameInputView;
  functions: ListView;
  panel: PistonPanelView | null;
  refusal: string; // why the last Save stored nothing; "" for none
}

export interface ChannelRowView {
  on: boolean;
  keyOffset: number;
  velocityOn: boolean;
  velocity: number;
  analogInput: number;
  controller: number;
  enabled: { keyOffset: boolean; velocityOn: boolean; velocity: boolean; controller: boolean };
}

export interface ChannelRowNames {
  channel: string;
  keyOffset: string;
  velocityOn: string;
  velocity: string;
  analogInput: string;
  controller: string;
}

export interface KeyboardTexts {
  title: string;
  pages: string[];
  channelPageHeading: string;
  columns: string[];
  velocityOn: string;
  velocityOnToolTip: string;
  rowNames: ChannelRowNames[];
  generalPageHeading: string;
  optionsFrame: string;
  archiveFrame: string;
  archiveInputQuestion: string;
  archiveChannelQuestion: string;
  save: string;
  cancel: string;
  openOn: string;
}

// The keyboard editor's inputs as they stand.
export interface KeyboardStateView {
  location: string;
  rows: ChannelRowView[];
  options: { caption: string; checked: boolean }[];
  archiveInput: number;
  archiveChannel: number;
  refusal: string;
}

// On opening, also what does not change while it is open.
export interface KeyboardEditorView extends KeyboardStateView {
  texts: KeyboardTexts;
  name: NameInputView;
  lists: {
    keyOffsets: string[];
    velocities: string[];
    analogInputs: string[];
    controllers: string[];
    archiveChannels: string[];
  };
}

export type PistonInput = "function" | "type" | "channel" | "value" | "all" | "bankCheck" | "bankValue";
export type KeyboardInput =
  | "on"
  | "keyOffset"
  | "velocityOn"
  | "velocity"
  | "analogInput"
  | "controller"
  | "option"
  | "archiveInput"
  | "archiveChannel";

// The Session as embind exposes it; JSON texts are parsed by the wrappers below.
interface RawSession {
  organ(): string;
  open(fileName: string, contents: string, keepNames: boolean): string;
  texts(): string;
  unsavedChangesQuestion(what: SetAside, otherFile: string): string;
  save(fileName: string): string;
  exportJson(): string;
  chartHtml(source: string, year: number, month: number, day: number): string;
  undo(): void;
  redo(): void;
  copyPiston(pistonIndex: number): void;
  pastePiston(pistonIndex: number): void;
  clearPiston(pistonIndex: number): void;
  copyManualSettings(manualIndex: number): void;
  pasteManualSettings(manualIndex: number): void;
  copyManual(manualIndex: number): void;
  pasteManual(manualIndex: number): void;
  openPistonEditor(pistonIndex: number): string;
  choosePistonInput(input: PistonInput, row: number, value: number): string;
  savePistonEditor(label: string): string;
  setPistonLabel(pistonIndex: number, label: string): string;
  openKeyboardEditor(manualIndex: number): string;
  setKeyboardInput(input: KeyboardInput, row: number, value: number): string;
  saveKeyboardEditor(name: string): string;
  closeEditors(): void;
  recoveryWork(): string;
  recoveryTimerEnded(): string;
  recoveryLeaving(): string;
  recoveryDiscarded(): string;
  readRecoveryCopy(copyText: string): string;
  recoveryQuestion(documentPath: string, documentName: string, time: string, date: string): string;
  copyNotKeptText(reason: string): string;
  openRecovered(copyText: string): string;
}

// An edit saved, or still open with why not.
export interface EditOutcome {
  saved: boolean;
  refusal: string;
}

interface CoreModule {
  Session: new () => RawSession;
  DeviceLink: new (session: RawSession, host: MidiHost) => RawLink;
}

// caption and heading: the status area's, "Loading Program Data from file: NAME" and
// "Successfully opened file NAME" (or less, where the file is damaged).
// The page's words that do not change, from the core.
export interface DocumentTexts {
  fileLoadError: string;
  fileSaveError: string;
  savedTitle: string;
  instructions: string;
  menus: {
    edit: string;
    copyPiston: string;
    pastePiston: string;
    clearPiston: string;
    copySettings: string;
    pasteSettings: string;
    copyManual: string;
    pasteManual: string;
  };
  overview: { title: string; filterPlaceholder: string; filterName: string; tableName: string; columns: string[] };
}

// What sets unsaved changes aside, for the question asked before.
export type SetAside = "openingAnother" | "openingBackup" | "openingFile" | "loadingFromOrgan" | "closing";
export interface UnsavedChangesQuestion {
  title: string;
  question: string; // "Save changes to organ.zkt before opening another configuration?"
  detail: string;
}

// What the page does about its copy of unsaved changes, in the order given.
export type RecoveryWork =
  | { do: "startTimer"; ms: number }
  | { do: "stopTimer" }
  | { do: "keep"; text: string }
  | { do: "remove" }
  | { do: "notKept"; error: string };
// A copy found in the browser's storage; keptAt in UTC, "2024-05-01T18:30:00Z", or "".
export interface RecoveredChanges {
  documentPath: string;
  documentName: string;
  keptAt: string;
}
export interface RecoveryQuestion {
  title: string; // "Recover Unsaved Changes"
  text: string; // naming the file and the time
  detail: string;
  recover: string;
  discard: string;
}

export type OpenOutcome =
  | { ok: true; caption: string; heading: string; warnings: string[] }
  | { ok: false; error: string };
// message: "Successfully saved to file: NAME"; error: what went wrong and the file's name.
export type SaveOutcome = { ok: true; text: string; message: string } | { ok: false; error: string };

// An input the core does not know is a fault of the page's, not the user's.
function refusedIfUnknown(answer: unknown): unknown {
  if (answer !== null && typeof answer === "object" && "error" in answer) throw new Error(String(answer.error));
  return answer;
}

export class Session {
  constructor(private readonly raw: RawSession) {}

  organ(): OrganView {
    return JSON.parse(this.raw.organ()) as OrganView;
  }
  texts(): DocumentTexts {
    return JSON.parse(this.raw.texts()) as DocumentTexts;
  }
  unsavedChangesQuestion(what: SetAside, otherFile = ""): UnsavedChangesQuestion {
    return JSON.parse(this.raw.unsavedChangesQuestion(what, otherFile)) as UnsavedChangesQuestion;
  }
  // keepNames: a backup holds only images, and the names shown stay.
  open(fileName: string, contents: string, keepNames = false): OpenOutcome {
    return JSON.parse(this.raw.open(fileName, contents, keepNames)) as OpenOutcome;
  }
  save(fileName: string): SaveOutcome {
    return JSON.parse(this.raw.save(fileName)) as SaveOutcome;
  }
  exportJson(): string {
    return this.raw.exportJson();
  }
  chartHtml(source: string, date: Date): string {
    return this.raw.chartHtml(source, date.getFullYear(), date.getMonth() + 1, date.getDate());
  }
  undo(): void {
    this.raw.undo();
  }
  redo(): void {
    this.raw.redo();
  }
  pistonCommand(command: "copy" | "paste" | "clear", pistonIndex: number): void {
    const run = { copy: this.raw.copyPiston, paste: this.raw.pastePiston, clear: this.raw.clearPiston }[command];
    run.call(this.raw, pistonIndex);
  }
  manualCommand(command: "copySettings" | "pasteSettings" | "copyManual" | "pasteManual", manualIndex: number): void {
    const run = {
      copySettings: this.raw.copyManualSettings,
      pasteSettings: this.raw.pasteManualSettings,
      copyManual: this.raw.copyManual,
      pasteManual: this.raw.pasteManual,
    }[command];
    run.call(this.raw, manualIndex);
  }
  openPistonEditor(pistonIndex: number): PistonEditorView | null {
    return JSON.parse(this.raw.openPistonEditor(pistonIndex)) as PistonEditorView | null;
  }
  choosePistonInput(input: PistonInput, row: number, value: number): PistonEditorView | null {
    return refusedIfUnknown(JSON.parse(this.raw.choosePistonInput(input, row, value))) as PistonEditorView | null;
  }
  // The piston with the label typed, as one step.
  savePistonEditor(label: string): EditOutcome {
    return JSON.parse(this.raw.savePistonEditor(label)) as EditOutcome;
  }
  setPistonLabel(pistonIndex: number, label: string): EditOutcome {
    return JSON.parse(this.raw.setPistonLabel(pistonIndex, label)) as EditOutcome;
  }
  openKeyboardEditor(manualIndex: number): KeyboardEditorView | null {
    return JSON.parse(this.raw.openKeyboardEditor(manualIndex)) as KeyboardEditorView | null;
  }
  setKeyboardInput(input: KeyboardInput, row: number, value: number): KeyboardStateView | null {
    return refusedIfUnknown(JSON.parse(this.raw.setKeyboardInput(input, row, value))) as KeyboardStateView | null;
  }
  // The inputs with the manual's name typed, as one step.
  saveKeyboardEditor(name: string): EditOutcome {
    return JSON.parse(this.raw.saveKeyboardEditor(name)) as EditOutcome;
  }
  closeEditors(): void {
    this.raw.closeEditors();
  }
  // What the copy of unsaved changes needs since the last call, by the core's schedule.
  recoveryWork(): RecoveryWork[] {
    return JSON.parse(this.raw.recoveryWork()) as RecoveryWork[];
  }
  recoveryTimerEnded(): RecoveryWork[] {
    return JSON.parse(this.raw.recoveryTimerEnded()) as RecoveryWork[];
  }
  // The tab is hidden or goes: what the timer has not kept yet is kept now.
  recoveryLeaving(): RecoveryWork[] {
    return JSON.parse(this.raw.recoveryLeaving()) as RecoveryWork[];
  }
  recoveryDiscarded(): RecoveryWork[] {
    return JSON.parse(this.raw.recoveryDiscarded()) as RecoveryWork[];
  }
  // null where the text is no copy.
  readRecoveryCopy(copyText: string): RecoveredChanges | null {
    return JSON.parse(this.raw.readRecoveryCopy(copyText)) as RecoveredChanges | null;
  }
  // time and date as the user's own settings write them; "" where the copy does not say.
  recoveryQuestion(changes: RecoveredChanges, time: string, date: string): RecoveryQuestion {
    return JSON.parse(this.raw.recoveryQuestion(changes.documentPath, changes.documentName, time, date)) as RecoveryQuestion;
  }
  // "Unsaved changes not kept for recovery: " and why.
  copyNotKeptText(reason: string): string {
    return this.raw.copyNotKeptText(reason);
  }
  // The copy's changes as unsaved changes to the document they belonged to.
  openRecovered(copyText: string): { ok: true } | { ok: false; error: string } {
    return JSON.parse(this.raw.openRecovered(copyText)) as { ok: true } | { ok: false; error: string };
  }
}

export interface Core {
  session: Session;
  // The link to the organ, on the session's configuration, over the page's devices.
  newLink(host: MidiHost): DeviceLink;
}

// The module lies beside the page's script; it is loaded once, at start.
export async function loadCore(): Promise<Core> {
  const moduleUrl = new URL("./zkt-core.mjs", import.meta.url).href;
  const { default: createCore } = (await import(moduleUrl)) as { default: () => Promise<CoreModule> };
  const core = await createCore();
  const raw = new core.Session();
  return { session: new Session(raw), newLink: (host) => new DeviceLink(new core.DeviceLink(raw, host)) };
}
