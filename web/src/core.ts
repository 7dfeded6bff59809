// The core's module, built from the project's C++ with emscripten, and the shapes of what it
// answers. The page keeps no state of the organ's own: every answer comes from the Session.

import { sessionAnswer as answer } from "./answers";
import type {
  EditOutcome,
  InputRefused,
  KeyboardEditorView,
  KeyboardInput,
  KeyboardStateView,
  OrganView,
  PistonEditorView,
  PistonInput,
  RecoveredChanges,
  RecoveryWork,
  SessionAnswers,
  SetAside,
  UnsavedChangesQuestion,
} from "./generated/page_boundary";
import { DeviceLink, type MidiHost, type RawLink } from "./link_core";

// The shapes of the core's answers, as src/web/page_boundary.json declares them.
export type * from "./generated/page_boundary";

// The Session as embind exposes it; JSON texts are parsed by the wrappers below.
interface RawSession {
  organ(): string;
  open(fileName: string, contents: string, keepNames: boolean): string;
  texts(): string;
  pageTexts(): string;
  chooseLanguage(kept: string, browserLanguages: string): string;
  backupsCounted(count: number): string;
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

interface CoreModule {
  Session: new () => RawSession;
  DeviceLink: new (session: RawSession, host: MidiHost) => RawLink;
}

// An input the core does not know is a fault of the page's, not the user's.
function refusedIfUnknown<T>(answer: T | InputRefused): T {
  if (answer !== null && typeof answer === "object" && "error" in answer) throw new Error(answer.error);
  return answer;
}

export class Session {
  constructor(private readonly raw: RawSession) {}

  organ(): OrganView {
    return answer("organ", this.raw.organ());
  }
  texts(): SessionAnswers["texts"] {
    return answer("texts", this.raw.texts());
  }
  pageTexts(): SessionAnswers["pageTexts"] {
    return answer("pageTexts", this.raw.pageTexts());
  }
  // Sets the language kept in this browser, or where none is, the first shipped of the browser's.
  chooseLanguage(kept: string, browserLanguages: readonly string[]): SessionAnswers["chooseLanguage"] {
    return answer("chooseLanguage", this.raw.chooseLanguage(kept, JSON.stringify(browserLanguages)));
  }
  backupsCounted(count: number): string {
    return this.raw.backupsCounted(count);
  }
  unsavedChangesQuestion(what: SetAside, otherFile = ""): UnsavedChangesQuestion {
    return refusedIfUnknown(answer("unsavedChangesQuestion", this.raw.unsavedChangesQuestion(what, otherFile)));
  }
  // keepNames: a backup holds only images, and the names shown stay.
  open(fileName: string, contents: string, keepNames = false): SessionAnswers["open"] {
    return answer("open", this.raw.open(fileName, contents, keepNames));
  }
  save(fileName: string): SessionAnswers["save"] {
    return answer("save", this.raw.save(fileName));
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
    return answer("openPistonEditor", this.raw.openPistonEditor(pistonIndex));
  }
  choosePistonInput(input: PistonInput, row: number, value: number): PistonEditorView | null {
    return refusedIfUnknown(answer("choosePistonInput", this.raw.choosePistonInput(input, row, value)));
  }
  // The piston with the label typed, as one step.
  savePistonEditor(label: string): EditOutcome {
    return answer("savePistonEditor", this.raw.savePistonEditor(label));
  }
  setPistonLabel(pistonIndex: number, label: string): EditOutcome {
    return answer("setPistonLabel", this.raw.setPistonLabel(pistonIndex, label));
  }
  openKeyboardEditor(manualIndex: number): KeyboardEditorView | null {
    return answer("openKeyboardEditor", this.raw.openKeyboardEditor(manualIndex));
  }
  setKeyboardInput(input: KeyboardInput, row: number, value: number): KeyboardStateView | null {
    return refusedIfUnknown(answer("setKeyboardInput", this.raw.setKeyboardInput(input, row, value)));
  }
  // The inputs with the manual's name typed, as one step.
  saveKeyboardEditor(name: string): EditOutcome {
    return answer("saveKeyboardEditor", this.raw.saveKeyboardEditor(name));
  }
  closeEditors(): void {
    this.raw.closeEditors();
  }
  // What the copy of unsaved changes needs since the last call, by the core's schedule.
  recoveryWork(): RecoveryWork[] {
    return answer("recoveryWork", this.raw.recoveryWork());
  }
  recoveryTimerEnded(): RecoveryWork[] {
    return answer("recoveryTimerEnded", this.raw.recoveryTimerEnded());
  }
  // The tab is hidden or goes: what the timer has not kept yet is kept now.
  recoveryLeaving(): RecoveryWork[] {
    return answer("recoveryLeaving", this.raw.recoveryLeaving());
  }
  recoveryDiscarded(): RecoveryWork[] {
    return answer("recoveryDiscarded", this.raw.recoveryDiscarded());
  }
  // null where the text is no copy.
  readRecoveryCopy(copyText: string): RecoveredChanges | null {
    return answer("readRecoveryCopy", this.raw.readRecoveryCopy(copyText));
  }
  // time and date as the user's own settings write them; "" where the copy does not say.
  recoveryQuestion(changes: RecoveredChanges, time: string, date: string): SessionAnswers["recoveryQuestion"] {
    return answer("recoveryQuestion", this.raw.recoveryQuestion(changes.documentPath, changes.documentName, time, date));
  }
  // "Unsaved changes not kept for recovery: " and why.
  copyNotKeptText(reason: string): string {
    return this.raw.copyNotKeptText(reason);
  }
  // The copy's changes as unsaved changes to the document they belonged to.
  openRecovered(copyText: string): SessionAnswers["openRecovered"] {
    return answer("openRecovered", this.raw.openRecovered(copyText));
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
