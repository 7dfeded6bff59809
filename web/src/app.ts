// The main window of the page: toolbar, start choice, manual panels, Piston Overview and
// status area, and the commands that join them to the core's session.

import type { Backup } from "./backup_store";
import type { Core, DocumentTexts, OrganView, Session, SetAside } from "./core";
import { previewChart } from "./chart_preview";
import { showContextMenu } from "./context_menu";
import { download, FileTooLarge, readConfigurationFile, withExtension } from "./files";
import { editKeyboard } from "./keyboard_editor";
import { ManualPanels } from "./manual_panels";
import { askToRecover, askToSaveChanges, showMessage } from "./modal";
import { offerLanguages, startLanguage } from "./language_choice";
import { OrganCommands } from "./organ_commands";
import { filled, takeWords, words } from "./page_texts";
import { editPiston } from "./piston_editor";
import { PistonOverview } from "./piston_overview";
import { StatusArea } from "./status_area";
import { type FoundCopy, UnsavedCopies } from "./unsaved_copies";

const unnamedFile = "configuration.zkt";
const exampleFile = "three-manuals.zkt";

function byId<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

function setAvailable(button: HTMLElement, available: boolean): void {
  if (available) button.removeAttribute("aria-disabled");
  else button.setAttribute("aria-disabled", "true");
}

function isAvailable(button: HTMLElement): boolean {
  return button.getAttribute("aria-disabled") !== "true";
}

export class App {
  private readonly status = new StatusArea();
  private readonly panels: ManualPanels;
  private readonly overview: PistonOverview;
  private readonly fileInput = byId<HTMLInputElement>("fileOpen");
  private readonly toolbar = {
    save: byId<HTMLButtonElement>("tbrMain_save"),
    undo: byId<HTMLButtonElement>("tbrMain_undo"),
    redo: byId<HTMLButtonElement>("tbrMain_redo"),
    print: byId<HTMLButtonElement>("tbrMain_print"),
    json: byId<HTMLButtonElement>("tbrMain_json"),
    open: byId<HTMLButtonElement>("tbrMain_load"),
    load: byId<HTMLButtonElement>("tbrMain_loado"),
    write: byId<HTMLButtonElement>("tbrMain_write"),
    midi: byId<HTMLButtonElement>("tbrMain_midi"),
  };
  private readonly session: Session;
  private texts: DocumentTexts;
  private readonly organCommands: OrganCommands;
  private readonly copies: UnsavedCopies;
  private organ: OrganView;
  // A configuration has been opened: the file commands work from then on, as on the desktop.
  private opened = false;
  // A transfer holds the link: the file and organ commands wait for it.
  private transferRunning = false;
  // A load for editing runs: the manuals shown are about to be replaced.
  private loading = false;

  constructor(core: Core) {
    this.session = core.session;
    const language = startLanguage(this.session);
    takeWords(this.session);
    this.texts = this.session.texts();
    showFixedTexts(this.texts);
    offerLanguages(this.session, language, () => this.languageChanged());
    this.copies = new UnsavedCopies(this.session, (text) => this.status.addLine(text, "warning"));
    this.organ = this.session.organ();
    this.panels = new ManualPanels(byId("manuals"), this.organ.railLeftTwips, {
      editPiston: (i) => this.editPiston(i),
      editKeyboard: (m) => editKeyboard(this.session, m, () => this.refresh()),
      pistonMenu: (i, x, y) => this.pistonMenu(i, x, y),
      keyboardMenu: (m, x, y) => this.keyboardMenu(m, x, y),
      pistonCommand: (command, i) => this.pistonCommand(command, i),
    });
    this.overview = new PistonOverview({
      editPiston: (i) => this.editPiston(i),
      setLabel: (i, label) => {
        const outcome = this.session.setPistonLabel(i, label);
        if (!outcome.saved) void showMessage(words().main.pistonLabel, [outcome.refusal]);
      },
      labelEdited: () => this.refresh(),
    });
    this.organCommands = new OrganCommands(core, this.status, {
      maySetAsideChanges: (what) => this.maySetAsideChanges(what),
      refresh: () => {
        this.loading = false;
        this.opened ||= this.session.organ().manuals > 0;
        this.refresh();
      },
      transferRunning: (running) => {
        this.transferRunning = running;
        this.refresh();
      },
      loadStarted: () => {
        this.loading = true;
        this.refresh();
      },
      openBackup: (backup) => void this.openBackup(backup),
    });
    this.connectCommands();
    this.refresh();
    this.status.report(words().main.status, [words().main.ready]);
  }

  // Every text drawn again in the language just chosen; what the status area said stays.
  private languageChanged(): void {
    takeWords(this.session);
    this.texts = this.session.texts();
    showFixedTexts(this.texts);
    this.refresh();
  }

  // Offers back the changes a tab that is no longer open kept but never saved; true when it asks.
  async offerRecovery(): Promise<boolean> {
    const found = await this.copies.start();
    if (found === null) return false;
    const keptAt = new Date(found.changes.keptAt);
    const known = found.changes.keptAt !== "" && !Number.isNaN(keptAt.getTime());
    const question = this.session.recoveryQuestion(found.changes,
      known ? keptAt.toLocaleTimeString(undefined, { timeStyle: "short" }) : "",
      known ? keptAt.toLocaleDateString(undefined, { dateStyle: "long" }) : "");
    void askToRecover(question).then((answer) => {
      if (answer === "recover") this.recover(found, question.title);
      else found.discard();
    });
    return true;
  }

  private recover(found: FoundCopy, title: string): void {
    const outcome = this.session.openRecovered(found.text);
    if (!outcome.ok) {
      // A copy that cannot be read now never will be.
      found.discard();
      void showMessage(title, [outcome.error]);
      return;
    }
    found.adopt();
    this.opened = true;
    this.refresh();
  }

  async openExample(): Promise<void> {
    let text: string;
    try {
      const response = await fetch(`examples/${exampleFile}`);
      if (!response.ok) throw new Error(filled(words().files.siteAnswered, response.status));
      text = await response.text();
    } catch (error) {
      const why = error instanceof Error ? error.message : String(error);
      await showMessage(this.texts.fileLoadError, [filled(words().files.exampleNotFetched, exampleFile, why)]);
      return;
    }
    this.openText(exampleFile, text);
  }

  private refresh(): void {
    this.overview.commitEdit();
    this.organ = this.session.organ();
    const organ = this.organ;
    this.panels.show(organ);
    this.overview.show(organ);
    const shown = this.opened && !this.loading;
    byId("start").hidden = shown;
    byId("manuals").hidden = !shown;
    byId("dockPistonOverview").hidden = !shown || organ.manuals === 0;
    byId("lblNoManuals").hidden = !shown || organ.manuals > 0;
    for (const button of [this.toolbar.print, this.toolbar.json]) setAvailable(button, this.opened);
    setAvailable(this.toolbar.save, this.opened && !this.transferRunning);
    setAvailable(this.toolbar.write, this.opened && !this.transferRunning);
    for (const button of [this.toolbar.open, this.toolbar.load, this.toolbar.midi, byId("lblLoad"), byId("lblWizard"), byId("cmdExample")])
      setAvailable(button, !this.transferRunning);
    this.showStep(this.toolbar.undo, organ.undoText, organ.undo);
    this.showStep(this.toolbar.redo, organ.redoText, organ.redo);
    document.title = organ.title;
    this.copies.follow(this.session.recoveryWork());
  }

  private showStep(button: HTMLButtonElement, text: string, step: string | null): void {
    setAvailable(button, step !== null);
    button.title = text;
  }

  private connectCommands(): void {
    const whenAvailable = (button: HTMLElement, run: () => void) =>
      button.addEventListener("click", () => {
        if (isAvailable(button)) run();
      });
    whenAvailable(this.toolbar.open, () => void this.chooseFile());
    whenAvailable(byId("lblLoad"), () => void this.chooseFile());
    whenAvailable(byId("cmdExample"), () => void this.withChangesSetAside("openingFile", () => this.openExample(), exampleFile));
    this.toolbar.save.addEventListener("click", () => this.saveCommand());
    this.toolbar.undo.addEventListener("click", () => this.step(() => this.session.undo()));
    this.toolbar.redo.addEventListener("click", () => this.step(() => this.session.redo()));
    this.toolbar.print.addEventListener("click", () => this.printChart());
    this.toolbar.json.addEventListener("click", () => this.exportJson());
    whenAvailable(this.toolbar.load, () => void this.organCommands.load());
    whenAvailable(byId("lblWizard"), () => void this.organCommands.load());
    whenAvailable(this.toolbar.write, () => void this.organCommands.write());
    whenAvailable(this.toolbar.midi, () => void this.organCommands.midiSetup());
    byId("tbrMain_tools").addEventListener("click", () => this.toolsMenu());
    this.fileInput.addEventListener("change", () => {
      const file = this.fileInput.files?.[0];
      this.fileInput.value = "";
      if (file !== undefined) void this.openFile(file);
    });
    document.addEventListener("keydown", (event) => this.shortcut(event));
    document.addEventListener("dragover", (event) => {
      if (event.dataTransfer?.types.includes("Files")) event.preventDefault();
    });
    document.addEventListener("drop", (event) => {
      const file = event.dataTransfer?.files[0];
      if (file === undefined) return;
      event.preventDefault();
      if (document.querySelector("dialog[open]") !== null || this.organCommands.isBusy()) return; // finish that first
      this.takeTypedLabel();
      if (!file.name.toLowerCase().endsWith(".zkt")) {
        this.status.report(words().files.openCaption, [filled(words().files.notZkt, file.name)]);
        return;
      }
      void this.withChangesSetAside("openingFile", () => this.openFile(file), file.name);
    });
    // Leaving during a write would cut a manual's program updates off half way.
    window.addEventListener("beforeunload", (event) => {
      if (!this.organ.clean || this.organCommands.isBusy()) event.preventDefault();
    });
  }

  private shortcut(event: KeyboardEvent): void {
    if (document.querySelector("dialog[open]") !== null || !(event.ctrlKey || event.metaKey) || event.altKey) return;
    const typing = event.target instanceof HTMLInputElement || event.target instanceof HTMLTextAreaElement;
    const key = event.key.toLowerCase();
    const commands: Record<string, (() => void) | undefined> = {
      o: () => void this.chooseFile(),
      s: () => this.saveCommand(),
      p: () => this.printChart(),
      z: typing ? undefined : () => this.step(() => (event.shiftKey ? this.session.redo() : this.session.undo())),
      y: typing ? undefined : () => this.step(() => this.session.redo()),
    };
    const command = commands[key];
    if (command === undefined) return;
    event.preventDefault();
    this.takeTypedLabel();
    command();
  }

  // A label still being typed in the overview is stored before a command reads the configuration.
  private takeTypedLabel(): void {
    if (this.overview.commitEdit()) this.refresh();
  }

  private step(take: () => void): void {
    take();
    this.refresh();
  }

  // Asks before unsaved changes are left behind; false when the user cancels.
  private async maySetAsideChanges(what: SetAside, otherFile = ""): Promise<boolean> {
    if (this.organ.clean) return true;
    const answer = await askToSaveChanges(this.session.unsavedChangesQuestion(what, otherFile));
    if (answer === "discard") this.copies.follow(this.session.recoveryDiscarded());
    return answer === "discard" || (answer === "save" && this.save());
  }

  // Runs next unless the user keeps the unsaved changes.
  private async withChangesSetAside(what: SetAside, next: () => void | Promise<void>, otherFile = ""): Promise<void> {
    if (await this.maySetAsideChanges(what, otherFile)) await next();
  }

  private chooseFile(): Promise<void> {
    if (this.organCommands.isBusy()) return Promise.resolve();
    return this.withChangesSetAside("openingAnother", () => this.fileInput.click());
  }

  private openBackup(backup: Backup): Promise<void> {
    return this.withChangesSetAside("openingBackup", () => this.openText(backup.name, backup.text, true));
  }

  private async openFile(file: File): Promise<void> {
    let text: string;
    try {
      text = await readConfigurationFile(file);
    } catch (error) {
      const reason = error instanceof FileTooLarge ? error.message : filled(words().files.cannotRead, file.name);
      await showMessage(this.texts.fileLoadError, [reason]);
      return;
    }
    this.openText(file.name, text);
  }

  private openText(fileName: string, text: string, keepNames = false): void {
    const outcome = this.session.open(fileName, text, keepNames);
    if (!outcome.ok) {
      this.status.report(this.texts.fileLoadError, [outcome.error]);
      void showMessage(this.texts.fileLoadError, [outcome.error]);
      return;
    }
    this.opened = true;
    this.refresh();
    this.status.report(outcome.caption, [outcome.heading], outcome.warnings);
  }

  private saveCommand(): void {
    if (isAvailable(this.toolbar.save)) this.save();
  }

  private save(): boolean {
    if (!this.opened) return false;
    const fileName = this.organ.fileName === "" ? unnamedFile : this.organ.fileName;
    const outcome = this.session.save(fileName);
    if (!outcome.ok) {
      void showMessage(this.texts.fileSaveError, [outcome.error]);
      return false;
    }
    download(fileName, outcome.text, "application/x-zktconfig");
    this.refresh();
    this.status.report(this.texts.savedTitle, [outcome.message]);
    return true;
  }

  private exportJson(): void {
    if (!isAvailable(this.toolbar.json)) return;
    const fileName = withExtension(this.organ.fileName === "" ? unnamedFile : this.organ.fileName, ".json");
    download(fileName, this.session.exportJson(), "application/json");
    this.status.report(words().files.exportCaption, [filled(words().files.exported, fileName)]);
  }

  private printChart(): void {
    if (isAvailable(this.toolbar.print)) previewChart(this.session, this.organ.fileName);
  }

  private editPiston(pistonIndex: number): void {
    editPiston(this.session, pistonIndex, () => this.refresh());
  }

  private pistonCommand(command: "copy" | "paste" | "clear", pistonIndex: number): void {
    this.session.pistonCommand(command, pistonIndex);
    this.refresh();
  }

  private pistonMenu(pistonIndex: number, x: number, y: number): void {
    const { menus } = this.texts;
    const anchor = byId(`cmdPiston_${pistonIndex}`);
    showContextMenu(anchor, x, y, [
      { id: "mnuPistonEdit", text: menus.edit, enabled: true, run: () => this.editPiston(pistonIndex) },
      "separator",
      { id: "mnuPistonCopy", text: menus.copyPiston, shortcut: "Ctrl+C", enabled: true, run: () => this.pistonCommand("copy", pistonIndex) },
      { id: "mnuPistonPaste", text: menus.pastePiston, shortcut: "Ctrl+V", enabled: this.organ.paste.piston,
        run: () => this.pistonCommand("paste", pistonIndex) },
      { id: "mnuPistonClear", text: menus.clearPiston, shortcut: "Delete", enabled: true,
        run: () => this.pistonCommand("clear", pistonIndex) },
    ]);
  }

  private toolsMenu(): void {
    const anchor = byId("tbrMain_tools");
    const box = anchor.getBoundingClientRect();
    const { menus } = words();
    showContextMenu(anchor, box.left, box.bottom, [
      { id: "mnuLinkCheck", text: menus.linkCheck, enabled: true, run: () => void this.organCommands.showLinkCheck() },
      { id: "mnuConsoleCheck", text: this.organCommands.consoleCheckTexts().menu, enabled: true,
        run: () => void this.organCommands.showConsoleCheck() },
      { id: "mnuMidiMonitor", text: menus.monitor, enabled: true, run: () => this.organCommands.showMonitor() },
      "separator",
      { id: "mnuBackups", text: menus.backups, enabled: true, run: () => this.organCommands.showBackups() },
    ]);
  }

  private keyboardMenu(manualIndex: number, x: number, y: number): void {
    const { menus } = this.texts;
    const run = (command: "copySettings" | "pasteSettings" | "copyManual" | "pasteManual") => () => {
      this.session.manualCommand(command, manualIndex);
      this.refresh();
    };
    showContextMenu(byId(`picKeyboard_${manualIndex}`), x, y, [
      { id: "mnuManualEdit", text: menus.edit, enabled: true,
        run: () => editKeyboard(this.session, manualIndex, () => this.refresh()) },
      "separator",
      { id: "mnuManualSettingsCopy", text: menus.copySettings, enabled: true, run: run("copySettings") },
      { id: "mnuManualSettingsPaste", text: menus.pasteSettings, enabled: this.organ.paste.settings, run: run("pasteSettings") },
      "separator",
      { id: "mnuManualCopy", text: menus.copyManual, enabled: true, run: run("copyManual") },
      { id: "mnuManualPaste", text: menus.pasteManual, enabled: this.organ.paste.manual, run: run("pasteManual") },
    ]);
  }
}

// The page's own texts that do not change stand in index.html only until the core's are there.
function showFixedTexts(texts: DocumentTexts): void {
  byId("lblInstructions").textContent = texts.instructions;
  byId("overviewTitle").textContent = texts.overview.title;
  const filter = byId<HTMLInputElement>("txtOverviewFilter");
  filter.placeholder = texts.overview.filterPlaceholder;
  filter.setAttribute("aria-label", texts.overview.filterName);
  byId("grdPistonOverview").setAttribute("aria-label", texts.overview.tableName);
  document.querySelectorAll("#grdPistonOverview thead th").forEach((th, i) => {
    th.textContent = texts.overview.columns[i] ?? "";
  });
}
