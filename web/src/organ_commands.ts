// The commands that reach the organ: "Load Current Settings from the ZKT", "Write Program Data
// to ZKT" (the safe write, with its dialog and its backup), Cancel, the MIDI setup, the
// connection test, the console check, the MIDI monitor and the backups. The core's link does the
// work; this shows its events in the status area and asks the user what the link asks.

import { type Backup, keepBackup } from "./backup_store";
import { BrowserMidi } from "./browser_midi";
import { showBackups } from "./backups_dialog";
import { ConsoleCheckDialog } from "./console_check_dialog";
import type { Core, Session, SetAside } from "./core";
import { download } from "./files";
import { LinkCheckDialog } from "./link_check_dialog";
import type { ConsoleCheckTexts, DeviceLink, LinkEvent, WriteOptions } from "./link_core";
import { LinkTimer } from "./link_timer";
import { MidiMonitor } from "./midi_monitor";
import { isFirefox } from "./midi_refusals";
import { devicesChangedEvent, runMidiSetup } from "./midi_setup";
import { askYesNo, showMessage } from "./modal";
import { chosenDevices, keepWriteOptions, writeOptions } from "./page_settings";
import { filled, words } from "./page_texts";
import type { StatusArea } from "./status_area";
import { askWrite } from "./write_dialog";

// What the organ's commands need of the rest of the page.
export interface OrganPage {
  maySetAsideChanges(what: SetAside): Promise<boolean>;
  refresh(): void;
  // While a transfer holds the link the file and organ commands wait; a load for editing also
  // puts the manuals away until it has ended.
  transferRunning(running: boolean): void;
  loadStarted(): void;
  openBackup(backup: Backup): void;
}

// Why the devices are not ready; empty when the user only cancelled.
type Readiness = { ready: true } | { ready: false; why: string[] };

export class OrganCommands {
  private readonly midi: BrowserMidi;
  private readonly link: DeviceLink;
  private readonly session: Session;
  private readonly timer: LinkTimer;
  private monitor: MidiMonitor | null = null;
  private linkCheck: LinkCheckDialog | null = null;
  private consoleCheck: ConsoleCheckDialog | null = null;
  // The backup of the write under way is kept before the write dialog is shown.
  private backupKept: Promise<void> = Promise.resolve();
  private busy = false;
  // A command is asking the user or the browser before it starts: another one waits.
  private preparing = false;

  constructor(core: Core, private readonly status: StatusArea, private readonly page: OrganPage) {
    this.midi = new BrowserMidi(
      (inputs, outputs) => this.devicesChanged(inputs, outputs),
      (bytes) => {
        this.link.received(bytes);
        this.timer.workDone();
      },
    );
    this.link = core.newLink(this.midi);
    this.session = core.session;
    const remembered = chosenDevices();
    this.link.chooseDevices(remembered.input, remembered.output);
    this.timer = new LinkTimer(this.link, () => this.afterWork());
    status.cancel.addEventListener("click", () => {
      this.link.cancel();
      this.timer.workDone();
    });
    this.timer.start();
    void this.midi.requestAccessIfGranted();
  }

  isBusy(): boolean {
    return this.busy || this.preparing;
  }

  async load(): Promise<void> {
    await this.prepared(async () => {
      if (!(await this.page.maySetAsideChanges("loadingFromOrgan"))) return;
      if (!(await this.devicesReady(words().toolbar.load)).ready) return;
      if (this.link.startLoad()) this.page.loadStarted();
    });
    this.timer.workDone();
  }

  async write(): Promise<void> {
    await this.prepared(async () => {
      let options = writeOptions();
      const begin = this.link.writeStart(options);
      if (begin.first === "refuse") {
        await showMessage(words().write.title, begin.refusal);
        return;
      }
      if (!(await this.devicesReady(words().write.title)).ready) return;
      if (begin.first === "ask") {
        // Nothing is read first, so the dialog comes now.
        const chosen = await askWrite(options, []);
        if (chosen === null) return;
        keepWriteOptions(chosen);
        options = chosen;
      }
      this.link.startWrite(options);
    });
    this.timer.workDone();
  }

  async midiSetup(): Promise<void> {
    await this.prepared(async () => {
      await runMidiSetup(this.link, this.midi);
    });
  }

  async showLinkCheck(): Promise<void> {
    if (this.isBusy()) {
      const { organ } = words();
      void showMessage(organ.linkCheckTitle, [organ.transferRunning]);
      return;
    }
    // As on the desktop, the devices are chosen before the test is shown.
    if (!this.link.state().devicesChosen) {
      await this.midi.requestAccess();
      if (!(await runMidiSetup(this.link, this.midi, words().midiSetup.prompt))) return;
    }
    const texts = this.link.linkCheckTexts();
    this.linkCheck = new LinkCheckDialog(texts, {
      prepare: async () => {
        const readiness = await this.devicesReady(texts.title);
        return readiness.ready ? null : readiness.why.join(" ") || words().organ.noDevicesChosen;
      },
      start: () => {
        const started = this.link.startLinkCheck();
        this.timer.workDone();
        return started;
      },
      stop: () => {
        this.link.stopLinkCheck();
        this.timer.workDone();
      },
      view: () => this.link.linkCheckView(),
    });
  }

  consoleCheckTexts(): ConsoleCheckTexts {
    return this.link.consoleCheckTexts();
  }

  async showConsoleCheck(): Promise<void> {
    const texts = this.link.consoleCheckTexts();
    if (this.isBusy()) {
      void showMessage(texts.title, [texts.busy]);
      return;
    }
    // As for the connection test, the devices are chosen before the check is shown.
    if (!this.link.state().devicesChosen) {
      await this.midi.requestAccess();
      if (!(await runMidiSetup(this.link, this.midi, words().midiSetup.prompt))) return;
    }
    this.consoleCheck = new ConsoleCheckDialog(texts, {
      prepare: async () => (await this.devicesReady(texts.title)).ready,
      start: () => {
        const started = this.link.startConsoleCheck(new Date());
        this.timer.workDone();
        return started;
      },
      skip: () => this.link.skipAskedPiston(),
      skipAll: () => this.link.skipAllAskedPistons(),
      play: (action, manual, number) => {
        this.link.playConsole(action, manual, number);
        this.timer.workDone();
      },
      finish: () => this.link.finishConsoleCheck(),
      stop: () => {
        this.link.stopConsoleCheck();
        // Other programs may use the devices while the page does not.
        if (!this.isBusy()) this.midi.release();
        this.timer.workDone();
      },
      view: () => this.link.consoleCheckView(),
    });
  }

  showMonitor(): void {
    if (this.monitor?.isOpen() !== true) this.monitor = new MidiMonitor(this.link);
    this.monitor.focus();
  }

  showBackups(): void {
    void showBackups((backup) => this.page.openBackup(backup), (count) => this.session.backupsCounted(count));
  }

  private async prepared(work: () => Promise<void>): Promise<void> {
    if (this.isBusy()) return;
    this.preparing = true;
    this.page.transferRunning(true);
    try {
      await work();
    } finally {
      this.preparing = false;
      this.page.transferRunning(this.busy);
    }
  }

  // Access to the browser's MIDI, devices chosen (the setup asks when none are), and the
  // chosen ones opened, so that a device another program holds is said before anything is sent.
  private async devicesReady(command: string): Promise<Readiness> {
    // The simulator needs nothing of the browser; asking for MIDI anyway would hold its transfer
    // up (Firefox without its add-on takes seconds to refuse) or put a question to the user.
    if (!this.simulatorChosen()) {
      if (this.midi.accessState().kind === "notAsked" && isFirefox()) this.status.report(command, [words().refusals.firefoxAsks]);
      await this.midi.requestAccess();
    }
    if (!this.link.state().devicesChosen && !(await runMidiSetup(this.link, this.midi, words().midiSetup.prompt)))
      return { ready: false, why: [] };
    const chosen = this.link.chosenDevices();
    const unreachable = chosen.input < 0 || chosen.output < 0 ? this.midi.refusal() : [];
    const why = unreachable.length > 0 ? unreachable : await this.midi.claim(chosen.input, chosen.output);
    if (why.length === 0) return { ready: true };
    this.status.report(command, why, []);
    await showMessage(command, why);
    return { ready: false, why };
  }

  private simulatorChosen(): boolean {
    if (!this.link.state().devicesChosen) return false;
    const view = this.link.setupView();
    const browsers = this.midi.deviceCounts();
    return view.inputs.slice(browsers.inputs).some((device) => device.label === view.input) &&
      view.outputs.slice(browsers.outputs).some((device) => device.label === view.output);
  }

  private devicesChanged(inputs: string[], outputs: string[]): void {
    this.link.setDevices(inputs, outputs);
    document.dispatchEvent(new Event(devicesChangedEvent));
  }

  private afterWork(): void {
    for (const event of this.link.takeEvents()) this.show(event);
    if (this.monitor?.isOpen() === true) this.monitor.update();
    if (this.linkCheck?.isOpen() === true) this.linkCheck.show();
    if (this.consoleCheck?.isOpen() === true) this.consoleCheck.show();
    const busy = this.link.state().busy;
    if (busy === this.busy) return;
    this.busy = busy;
    if (!this.preparing) this.page.transferRunning(busy);
    // Other programs may use the devices while the page does not.
    if (!busy) this.midi.release();
  }

  private show(event: LinkEvent): void {
    switch (event.type) {
      case "started":
        this.status.replace([]);
        break;
      case "caption":
        this.status.setCaption(event.text);
        break;
      case "replace":
        this.status.replace(event.lines);
        break;
      case "line":
        this.status.addLine(event.text);
        break;
      case "append":
        this.status.continueLine(event.text);
        break;
      case "cancellable":
        this.status.showCancel(event.value);
        break;
      case "message":
        this.status.addLine(event.text, "warning");
        break;
      case "finished":
        if (event.result === "failed") this.status.markLastLine("warning");
        if (event.kind === "load" && event.purpose === "edit") this.page.refresh();
        break;
      case "configurationLoaded":
        this.page.refresh();
        break;
      case "backup":
        this.backupKept = this.keep(event);
        break;
      case "confirmWrite":
        void this.confirmWrite(event.lines, event.options);
        break;
      case "readFailed":
        void this.askAfterFailedRead(event.reason);
        break;
      case "writeFinished":
        this.page.refresh();
        if (event.outcome === "differs")
          void showMessage(words().write.title, [words().organ.notAsWritten, ...event.report]);
        break;
      case "closingDone":
        break;
    }
  }

  // A backup the browser will not keep is handed over as a download: it is never lost.
  private async keep(backup: Backup): Promise<void> {
    try {
      await keepBackup({ name: backup.name, takenAt: backup.takenAt, manuals: backup.manuals, text: backup.text });
    } catch (error) {
      download(backup.name, backup.text, "application/x-zktconfig");
      const why = error instanceof Error ? error.message : String(error);
      this.status.addLine(filled(words().backups.notKept, why, backup.name), "warning");
    }
  }

  private async confirmWrite(lines: string[], options: WriteOptions): Promise<void> {
    await this.backupKept;
    const chosen = await askWrite(options, lines);
    if (chosen === null) {
      this.link.cancel();
    } else {
      keepWriteOptions(chosen);
      this.link.confirmWrite(chosen);
    }
    this.timer.workDone();
  }

  private async askAfterFailedRead(reason: string): Promise<void> {
    const { organ, write } = words();
    const yes = await askYesNo(write.title, [organ.noBackup, reason, organ.writeWithoutBackup]);
    if (yes) this.link.writeWithoutBackup();
    else this.link.cancel();
    this.timer.workDone();
  }
}
