// The MIDI monitor (frmMidiMonitor): every message sent to the organ and taken from it while it
// is open, with its time, the time since the one before, its length and its meaning, as the
// desktop's monitor words them. It does not block the page; it keeps the latest messages only.

import { el } from "./dom";
import { download } from "./files";
import type { DeviceLink, TrafficEntry } from "./link_core";
import { addButton, type Modal, openModal } from "./modal";
import { words } from "./page_texts";

function cells(entry: TrafficEntry): string[] {
  return [`${entry.sinceStartMs.toFixed(1)} ms`, `+${entry.sincePreviousMs.toFixed(1)} ms`, entry.direction,
    String(entry.length), entry.meaning];
}

export class MidiMonitor {
  private readonly modal: Modal;
  private readonly rows = el("tbody");
  private readonly texts = words().monitor;
  private readonly filter = el("input", { type: "search", id: "txtFilter", "aria-label": this.texts.filterName,
    placeholder: this.texts.filterPlaceholder });
  private readonly count = el("p", { id: "lblCount" });
  private readonly pause: HTMLButtonElement;
  private lines: string[] = [];
  private dropped = 0;
  private notRecorded = 0;
  private paused = false;
  private capacity = 0;
  private open = true;

  constructor(private readonly link: DeviceLink) {
    const texts = this.texts;
    this.modal = openModal("frmMidiMonitor", texts.title, () => this.closed());
    this.modal.dialog.classList.add("monitor");
    this.modal.body.append(
      this.filter,
      el("div", { class: "table-scroll monitor-list" },
        el("table", { id: "tblTraffic", "aria-label": texts.tableName },
          el("thead", {}, el("tr", {}, ...texts.columns.map((c) => el("th", { scope: "col" }, c)))),
          this.rows)),
      this.count,
    );
    this.pause = addButton(this.modal, "cmdPause", texts.pause, () => this.togglePause());
    addButton(this.modal, "cmdClear", texts.clear, () => this.clear());
    addButton(this.modal, "cmdSave", texts.save, () => this.save());
    addButton(this.modal, "cmdClose", words().answers.close, () => {
      this.modal.close();
      this.closed();
    });
    this.filter.addEventListener("input", () => {
      for (const row of this.rows.rows) this.applyFilter(row);
    });
    link.restartTraffic();
    link.watchTraffic(true);
    // Not modal: the page goes on working while the messages pass.
    this.modal.dialog.show();
    this.showCount();
  }

  isOpen(): boolean {
    return this.open;
  }

  focus(): void {
    this.filter.focus();
  }

  // Lists what passed since the last time.
  update(): void {
    const batch = this.link.takeTraffic();
    this.notRecorded = batch.notRecorded;
    this.capacity = batch.capacity;
    if (batch.entries.length === 0) {
      if (this.paused) this.showCount();
      return;
    }
    const list = this.rows.parentElement?.parentElement as HTMLElement;
    // Follow the newest message only while the user has not scrolled away from it.
    const atEnd = list.scrollTop + list.clientHeight >= list.scrollHeight - 2;
    for (const entry of batch.entries) {
      const row = el("tr", { class: entry.direction }, ...cells(entry).map((cell) => el("td", {}, cell)));
      this.applyFilter(row);
      this.rows.append(row);
      this.lines.push(entry.line);
    }
    const excess = this.lines.length - this.capacity;
    if (excess > 0) {
      for (let i = 0; i < excess; ++i) this.rows.firstElementChild?.remove();
      this.lines.splice(0, excess);
      this.dropped += excess;
    }
    if (atEnd) list.scrollTop = list.scrollHeight;
    this.showCount();
  }

  private applyFilter(row: HTMLTableRowElement): void {
    const wanted = this.filter.value.trim().toLowerCase();
    row.hidden = wanted !== "" && !(row.textContent ?? "").toLowerCase().includes(wanted);
  }

  private showCount(): void {
    this.count.textContent = this.link.monitorCount(this.lines.length, this.dropped, this.capacity, this.paused,
      this.notRecorded);
  }

  private togglePause(): void {
    this.paused = !this.paused;
    this.link.pauseTraffic(this.paused);
    this.pause.textContent = this.paused ? this.texts.resume : this.texts.pause;
    this.showCount();
  }

  private clear(): void {
    this.rows.replaceChildren();
    this.lines = [];
    this.dropped = 0;
    this.link.restartTraffic();
    this.showCount();
  }

  // The messages shown, one line each, as a text file.
  private save(): void {
    const shown = this.lines.filter((_, i) => !(this.rows.rows[i]?.hidden ?? false));
    download("midi-monitor.txt", `${shown.join("\n")}\n`, "text/plain");
  }

  private closed(): void {
    this.open = false;
    this.link.watchTraffic(false);
    this.link.pauseTraffic(false);
  }
}
