// The piston chart, one manual to a page, from the same HTML the desktop prints: shown in a
// preview, printed by the browser.

import type { Session } from "./core";
import { el } from "./dom";
import { addButton, openModal } from "./modal";
import { words } from "./page_texts";

export function previewChart(session: Session, source: string): void {
  const texts = words().chart;
  const modal = openModal("frmChartPreview", texts.title, () => {});
  const frame = el("iframe", { id: "chartPreview", title: texts.frameName, class: "chart-frame" });
  frame.srcdoc = session.chartHtml(source, new Date());
  modal.body.append(frame);
  addButton(modal, "cmdPrint", texts.print, () => frame.contentWindow?.print());
  const close = addButton(modal, "cmdClose", words().answers.close, () => modal.close());
  modal.dialog.showModal();
  close.focus();
}
