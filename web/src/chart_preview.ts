// The piston chart, one manual to a page, from the same HTML the desktop prints: shown in a
// preview, printed by the browser.

import type { Session } from "./core";
import { el } from "./dom";
import { addButton, openModal } from "./modal";

export function previewChart(session: Session, source: string): void {
  const modal = openModal("frmChartPreview", "Print Piston Chart", () => {});
  const frame = el("iframe", { id: "chartPreview", title: "Piston chart", class: "chart-frame" });
  frame.srcdoc = session.chartHtml(source, new Date());
  modal.body.append(frame);
  addButton(modal, "cmdPrint", "Print\u2026", () => frame.contentWindow?.print());
  const close = addButton(modal, "cmdClose", "Close", () => modal.close());
  modal.dialog.showModal();
  close.focus();
}
