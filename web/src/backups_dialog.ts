// The backups the writes took (frmBackups): newest first, with the time each was taken and its
// manuals; each can be downloaded as a .zkt file, or restored: opened as the configuration,
// which a write then puts back on the organ.

import { type Backup, listBackups } from "./backup_store";
import { el } from "./dom";
import { download } from "./files";
import { addButton, openModal } from "./modal";
import { filled, words } from "./page_texts";

// counted: "3 backups, the newest first." in the core's words.
export async function showBackups(restore: (backup: Backup) => void, counted: (count: number) => string): Promise<void> {
  const texts = words().backups;
  const modal = openModal("frmBackups", texts.title, () => {});
  const body = el("tbody");
  const note = el("p", { id: "lblBackups", class: "hint" });
  modal.body.append(
    el("p", {}, texts.intro),
    note,
    el("div", { class: "table-scroll" },
      el("table", { id: "grdBackups", "aria-label": texts.tableName },
        el("thead", {}, el("tr", {}, ...texts.columns.map((column) => el("th", { scope: "col" }, column)))),
        body)),
  );
  addButton(modal, "cmdClose", words().answers.close, () => modal.close());
  modal.dialog.showModal();

  let backups: Backup[];
  try {
    backups = await listBackups();
  } catch (error) {
    note.textContent = filled(texts.unreadable, error instanceof Error ? error.message : String(error));
    return;
  }
  note.textContent = backups.length === 0 ? texts.none : counted(backups.length);
  body.replaceChildren(...backups.map((backup) => {
    const downloadButton = el("button", { type: "button" }, texts.download);
    downloadButton.addEventListener("click", () => download(backup.name, backup.text, "application/x-zktconfig"));
    const restoreButton = el("button", { type: "button" }, texts.restore);
    restoreButton.addEventListener("click", () => {
      modal.close();
      restore(backup);
    });
    return el("tr", {}, el("td", {}, backup.takenAt), el("td", {}, String(backup.manuals)),
      el("td", { class: "actions" }, downloadButton, restoreButton));
  }));
}
