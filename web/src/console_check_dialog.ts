// Tools > Check the Console… (frmConsoleCheck): first what the configuration leaves ambiguous;
// then, while the check listens, each manual's keys, pistons and shoes ticked off as they arrive,
// the piston asked for with Skip, and the faults as they come; Finish shows the report, to print
// or download. The check runs in the core; the dialog draws its view after every tick. Closing
// it ends a check that runs.

import { CheckManual } from "./check_manual";
import { el } from "./dom";
import { download } from "./files";
import type { ConsoleAction, ConsoleCheckReport, ConsoleCheckTexts, ConsoleCheckView } from "./link_core";
import { addButton, type Modal, openModal } from "./modal";

export interface ConsoleCheckActions {
  // Chooses and claims the devices as a transfer would; false when they could not be had.
  prepare(): Promise<boolean>;
  start(): boolean;
  skip(): void;
  skipAll(): void;
  play(action: ConsoleAction, manual: number, number: number): void;
  finish(): ConsoleCheckReport | null;
  stop(): void;
  view(): ConsoleCheckView;
}

export class ConsoleCheckDialog {
  private readonly modal: Modal;
  private readonly before = el("div", { id: "pagBefore" });
  private readonly warnings = el("ul", { id: "lstWarnings" });
  private readonly refusal = el("p", { id: "lblRefusal", class: "refusal", role: "alert" });
  private readonly during = el("div", { id: "pagDuring" });
  private readonly prompt = el("p", { id: "lblCheckPrompt", class: "check-prompt", "aria-live": "polite" });
  private readonly instructions = el("p", { id: "lblCheckInstructions" });
  private readonly manuals = el("div", { id: "fraCheckManuals" });
  private readonly faultsHeading = el("h3", { id: "lblFaults" });
  private readonly faults = el("ul", { id: "lstFaults", class: "faults" });
  private readonly reportFrame: HTMLIFrameElement;
  private readonly buttons: Record<"start" | "skip" | "skipAll" | "finish" | "print" | "download" | "again", HTMLButtonElement>;
  private drawn: CheckManual[] = [];
  private report: ConsoleCheckReport | null = null;
  private open = true;

  constructor(texts: ConsoleCheckTexts, private readonly actions: ConsoleCheckActions) {
    this.modal = openModal("frmConsoleCheck", texts.title, () => this.closed());
    this.before.append(el("p", { id: "lblIntro" }, texts.intro), el("h3", {}, texts.warningsHeading), this.warnings, this.refusal);
    this.during.append(this.prompt, this.instructions, this.manuals, this.faultsHeading, this.faults);
    this.reportFrame = el("iframe", { id: "frmReport", title: texts.title, class: "report-frame" });
    this.modal.body.append(this.before, this.during, this.reportFrame);
    this.buttons = {
      start: addButton(this.modal, "cmdStart", texts.start, () => void this.startCheck()),
      skip: addButton(this.modal, "cmdSkip", texts.skip, () => {
        this.actions.skip();
        this.show();
      }),
      skipAll: addButton(this.modal, "cmdSkipAll", texts.skipAll, () => {
        this.actions.skipAll();
        this.show();
      }),
      finish: addButton(this.modal, "cmdFinish", texts.finish, () => this.finishCheck()),
      print: addButton(this.modal, "cmdPrint", texts.print, () => this.reportFrame.contentWindow?.print()),
      download: addButton(this.modal, "cmdDownload", texts.download, () => {
        if (this.report !== null) download(this.report.fileName, this.report.html, "text/html");
      }),
      again: addButton(this.modal, "cmdCheckAgain", texts.again, () => {
        this.actions.stop();
        this.report = null;
        this.show();
        this.buttons.start.focus();
      }),
    };
    addButton(this.modal, "cmdClose", texts.close, () => {
      this.modal.close();
      this.closed();
    });
    this.show();
    this.modal.dialog.showModal();
    this.buttons.start.focus();
  }

  isOpen(): boolean {
    return this.open;
  }

  show(): void {
    if (this.report !== null) {
      this.showPage("report");
      return;
    }
    const view = this.actions.view();
    if (view.state === "before") {
      this.drawn = [];
      this.manuals.replaceChildren();
      this.warnings.replaceChildren(...view.warnings.map((line) => el("li", {}, line)));
      this.refusal.textContent = view.refusal;
      this.showPage("before");
      return;
    }
    if (this.drawn.length !== view.manuals.length) {
      this.drawn = view.manuals.map((manual, m) =>
        new CheckManual(m, manual, (action, number) => this.actions.play(action, m + 1, number)));
      this.manuals.replaceChildren(...this.drawn.map((manual) => manual.element));
    }
    view.manuals.forEach((manual, m) => this.drawn[m]?.draw(manual));
    this.prompt.textContent = view.prompt;
    this.prompt.classList.toggle("asking", view.asking);
    this.instructions.textContent = view.instructions;
    this.manuals.classList.toggle("playable", view.playable);
    this.faultsHeading.textContent = view.faultsHeading;
    if (this.faults.childElementCount !== view.faults.length || this.faults.lastElementChild?.textContent !== view.faults.at(-1)) {
      this.faults.replaceChildren(...view.faults.map((fault) => el("li", {}, fault)));
      this.faults.lastElementChild?.scrollIntoView({ block: "nearest" });
    }
    this.buttons.skip.disabled = !view.asking;
    this.buttons.skipAll.disabled = !view.asking;
    this.showPage("during");
  }

  private showPage(page: "before" | "during" | "report"): void {
    this.before.hidden = page !== "before";
    this.during.hidden = page !== "during";
    this.reportFrame.hidden = page !== "report";
    this.buttons.start.hidden = page !== "before";
    this.buttons.skip.hidden = page !== "during";
    this.buttons.skipAll.hidden = page !== "during";
    this.buttons.finish.hidden = page !== "during";
    for (const button of [this.buttons.print, this.buttons.download, this.buttons.again]) button.hidden = page !== "report";
    this.modal.dialog.classList.toggle("wide", page !== "before");
  }

  private async startCheck(): Promise<void> {
    this.buttons.start.disabled = true;
    const ready = await this.actions.prepare();
    this.buttons.start.disabled = false;
    if (ready) this.actions.start();
    this.show();
    if (!this.buttons.finish.hidden) this.buttons.finish.focus();
  }

  private finishCheck(): void {
    this.report = this.actions.finish();
    if (this.report === null) return;
    this.reportFrame.srcdoc = this.report.html;
    this.show();
    this.buttons.download.focus();
  }

  private closed(): void {
    this.open = false;
    this.actions.stop();
  }
}
