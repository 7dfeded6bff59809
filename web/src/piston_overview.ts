// The Piston Overview: every piston of the manuals shown with its label, function and detail, and
// a filter. A double click, Enter or Space on a row opens that piston's editor; F2, or a double
// click on the label, edits the label in its place.

import type { OrganView } from "./core";
import { consoleNameInput, el } from "./dom";
import { pistonsPerManual } from "./manual_panels";
import { filled, words } from "./page_texts";

export interface OverviewActions {
  editPiston(pistonIndex: number): void;
  // Stores a label typed in the table; the page is drawn again after labelEdited.
  setLabel(pistonIndex: number, label: string): void;
  labelEdited(): void;
}

interface LabelEdit {
  pistonIndex: number;
  input: HTMLInputElement;
  shown: string;
}

export class PistonOverview {
  private readonly body = document.querySelector("#grdPistonOverview tbody") as HTMLTableSectionElement;
  private readonly filter = document.getElementById("txtOverviewFilter") as HTMLInputElement;
  private edit: LabelEdit | null = null;
  private longestLabel = 0;

  constructor(private readonly actions: OverviewActions) {
    this.filter.addEventListener("input", () => this.applyFilter());
  }

  // Stores a label being typed, before anything else reads or replaces the configuration (a
  // save, a print, a refresh); true when it changed the configuration.
  commitEdit(): boolean {
    const edit = this.edit;
    this.edit = null;
    if (edit === null || edit.input.value === edit.shown) return false;
    this.actions.setLabel(edit.pistonIndex, edit.input.value);
    return true;
  }

  show(organ: OrganView): void {
    this.longestLabel = organ.longestName;
    const rows = organ.pistons.map((piston, pistonIndex) => {
      const label = el("td", { class: "label" }, piston.label);
      const row = el("tr", {
        tabindex: 0,
        "data-piston": pistonIndex,
        class: piston.assigned ? "" : "unassigned",
        "aria-keyshortcuts": "Enter F2",
      },
        el("td", { class: "number" }, String(Math.floor(pistonIndex / pistonsPerManual) + 1)),
        el("td", { class: "number" }, String((pistonIndex % pistonsPerManual) + 1)),
        label,
        el("td", {}, piston.functionText),
        el("td", {}, piston.detail));
      row.addEventListener("dblclick", (event) => {
        if (event.target === label) this.editLabel(row, label, pistonIndex);
        else if (!label.contains(event.target as Node)) this.actions.editPiston(pistonIndex);
      });
      row.addEventListener("keydown", (event) => {
        if (event.target !== row) return;
        if (event.key === "F2") {
          event.preventDefault();
          this.editLabel(row, label, pistonIndex);
        } else if (event.key === "Enter" || event.key === " ") {
          event.preventDefault();
          this.actions.editPiston(pistonIndex);
        }
      });
      return row;
    });
    // A row keeps the focus, or gets it back from its label's input.
    const focused = (document.activeElement?.closest("tr[data-piston]") as HTMLElement | null)?.dataset["piston"];
    this.edit = null;
    this.body.replaceChildren(...rows);
    if (focused !== undefined) (this.body.querySelector(`[data-piston="${focused}"]`) as HTMLElement | null)?.focus();
    this.applyFilter();
  }

  // Enter or leaving the input keeps what was typed; Escape puts the label back.
  private editLabel(row: HTMLTableRowElement, cell: HTMLTableCellElement, pistonIndex: number): void {
    this.commitEdit();
    // The cell shows a stored line break as a space: a label left as it was is not stored again.
    const shown = cell.textContent ?? "";
    const { main } = words();
    const input = consoleNameInput(`txtLabel_${pistonIndex}`, shown, main.labelPlaceholder, this.longestLabel);
    input.setAttribute("aria-label",
      filled(main.labelName, Math.floor(pistonIndex / pistonsPerManual) + 1, (pistonIndex % pistonsPerManual) + 1));
    const edit: LabelEdit = { pistonIndex, input, shown };
    // The edit is over before the row takes the focus back, which blurs the input again.
    const finish = (keep: boolean) => {
      if (this.edit !== edit) return;
      const changed = keep ? this.commitEdit() : ((this.edit = null), false);
      row.focus();
      if (changed) this.actions.labelEdited();
      else cell.replaceChildren(shown);
    };
    input.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" && event.key !== "Escape") return;
      event.preventDefault();
      event.stopPropagation();
      finish(event.key === "Enter");
    });
    input.addEventListener("blur", () => finish(true));
    this.edit = edit;
    cell.replaceChildren(input);
    input.focus();
    input.select();
  }

  // Case-insensitive, in any column, as on the desktop.
  private applyFilter(): void {
    const wanted = this.filter.value.toLowerCase();
    for (const row of Array.from(this.body.rows)) {
      const cells = Array.from(row.cells, (cell) => (cell.textContent ?? "").toLowerCase());
      row.hidden = wanted !== "" && !cells.some((text) => text.includes(wanted));
    }
  }
}
