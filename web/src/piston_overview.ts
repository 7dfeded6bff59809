// The Piston Overview: every piston of the manuals shown with its function and detail, and a
// filter. A double click, Enter or Space on a row opens that piston's editor.

import type { OrganView } from "./core";
import { el } from "./dom";
import { pistonsPerManual } from "./manual_panels";

export class PistonOverview {
  private readonly body = document.querySelector("#grdPistonOverview tbody") as HTMLTableSectionElement;
  private readonly filter = document.getElementById("txtOverviewFilter") as HTMLInputElement;

  constructor(private readonly editPiston: (pistonIndex: number) => void) {
    this.filter.addEventListener("input", () => this.applyFilter());
  }

  show(organ: OrganView): void {
    const rows = organ.pistons.map((piston, pistonIndex) => {
      const row = el("tr", { tabindex: 0, "data-piston": pistonIndex, class: piston.assigned ? "" : "unassigned" },
        el("td", { class: "number" }, String(Math.floor(pistonIndex / pistonsPerManual) + 1)),
        el("td", { class: "number" }, String((pistonIndex % pistonsPerManual) + 1)),
        el("td", {}, piston.functionText),
        el("td", {}, piston.detail));
      row.addEventListener("dblclick", () => this.editPiston(pistonIndex));
      row.addEventListener("keydown", (event) => {
        if (event.key !== "Enter" && event.key !== " ") return;
        event.preventDefault();
        this.editPiston(pistonIndex);
      });
      return row;
    });
    const focused = (document.activeElement as HTMLElement | null)?.dataset["piston"];
    this.body.replaceChildren(...rows);
    if (focused !== undefined) (this.body.querySelector(`[data-piston="${focused}"]`) as HTMLElement | null)?.focus();
    this.applyFilter();
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
