// The connection test (frmLinkCheck, "Test MIDI Connection"): what it does, the devices it uses,
// its progress, what came back of each message length, the MCUs counted and the verdict. The
// test itself runs in the core; the dialog shows its view after every tick.

import { el } from "./dom";
import type { LinkCheckTexts, LinkCheckView } from "./link_core";
import { addButton, type Modal, openModal } from "./modal";

export interface LinkCheckActions {
  // Chooses and claims the devices as a transfer would; null when the test may start, else why not.
  prepare(): Promise<string | null>;
  // False when the test could not start; the view says why.
  start(): boolean;
  stop(): void;
  view(): LinkCheckView;
}

export class LinkCheckDialog {
  private readonly modal: Modal;
  private readonly ports = el("p", { id: "lblPorts" });
  private readonly progress = el("progress", { id: "prgTest", max: 1, value: 0 });
  private readonly progressText = el("span", { id: "lblProgress" });
  private readonly rows = el("tbody");
  private readonly mcus = el("p", { id: "lblMcus" });
  private readonly verdict = el("p", { id: "lblVerdict", role: "status" });
  private readonly startButton: HTMLButtonElement;
  private open = true;

  constructor(private readonly texts: LinkCheckTexts, private readonly actions: LinkCheckActions) {
    this.modal = openModal("frmLinkCheck", texts.title, () => this.closed());
    this.modal.body.append(
      el("p", {}, texts.intro),
      this.ports,
      el("div", { class: "progress-row" }, this.progress, this.progressText),
      el("table", { id: "tblResults", class: "results" },
        el("thead", {}, el("tr", {}, ...texts.columns.map((c) => el("th", { scope: "col" }, c)))), this.rows),
      this.mcus,
      this.verdict,
    );
    this.startButton = addButton(this.modal, "cmdStart", texts.start, () => void this.startTest());
    addButton(this.modal, "cmdClose", texts.close, () => {
      this.modal.close();
      this.closed();
    });
    this.show();
    this.modal.dialog.showModal();
    this.startButton.focus();
  }

  isOpen(): boolean {
    return this.open;
  }

  show(): void {
    const view = this.actions.view();
    this.ports.textContent = view.ports;
    const done = !view.running && view.mcus !== "";
    this.progress.max = Math.max(view.planned, 1);
    this.progress.value = done ? this.progress.max : view.sent;
    this.progressText.textContent = view.progress;
    const number = (value: number | null) => (value === null ? "–" : String(value));
    this.rows.replaceChildren(...view.rows.map((row) => el("tr", {},
      ...[String(row.length), String(row.sent), String(row.intact), String(row.corrupted), number(row.lost),
        row.roundTrip].map((cell) => el("td", {}, cell)))));
    this.mcus.textContent = view.mcus;
    this.verdict.textContent = view.verdict;
    this.verdict.className = view.problem ? "verdict problem" : "verdict fine";
    this.startButton.disabled = view.running;
    this.startButton.textContent = view.mcus === "" ? this.texts.start : this.texts.again;
  }

  private async startTest(): Promise<void> {
    this.startButton.disabled = true;
    const refused = await this.actions.prepare();
    if (refused !== null) {
      this.show();
      this.verdict.textContent = refused;
      this.verdict.className = "verdict problem";
      return;
    }
    this.actions.start();
    this.show();
  }

  private closed(): void {
    this.open = false;
    // Closing the dialog abandons a test that is still running.
    this.actions.stop();
  }
}
