// The backups the writes took (frmBackups): newest first, with the time each was taken and its
// manuals; each can be downloaded as a .zkt file, or restored: opened as the configuration,
// which a write then puts back on the organ.

import { type Backup, listBackups } from "./backup_store";
import { el } from "./dom";
import { download } from "./files";
import { addButton, openModal } from "./modal";

export async function showBackups(restore: (backup: Backup) => void): Promise<void> {
  const modal = openModal("frmBackups", "Backups of the ZKT", () => {});
  const body = el("tbody");
  const note = el("p", { id: "lblBackups", class: "hint" });
  modal.body.append(
    el("p", {}, "Before every write the page reads what the ZKT holds and keeps it here, in this browser. " +
      "Restore one to open it as the configuration; \"Write Program Data to ZKT\" then puts it back on the organ."),
    note,
    el("div", { class: "table-scroll" },
      el("table", { id: "grdBackups", "aria-label": "Backups" },
        el("thead", {}, el("tr", {}, el("th", { scope: "col" }, "Taken"), el("th", { scope: "col" }, "Manuals"),
          el("th", { scope: "col" }, "Backup"))),
        body)),
  );
  addButton(modal, "cmdClose", "Close", () => modal.close());
  modal.dialog.showModal();

  let backups: Backup[];
  try {
    backups = await listBackups();
  } catch (error) {
    note.textContent = `The backups cannot be read from this browser's storage: ${error instanceof Error ? error.message : String(error)}`;
    return;
  }
  note.textContent = backups.length === 0 ? "No backup has been taken in this browser yet." : `${backups.length} backups, the newest first.`;
  body.replaceChildren(...backups.map((backup) => {
    const downloadButton = el("button", { type: "button" }, "Download");
    downloadButton.addEventListener("click", () => download(backup.name, backup.text, "application/x-zktconfig"));
    const restoreButton = el("button", { type: "button" }, "Restore");
    restoreButton.addEventListener("click", () => {
      modal.close();
      restore(backup);
    });
    return el("tr", {}, el("td", {}, backup.takenAt), el("td", {}, String(backup.manuals)),
      el("td", { class: "actions" }, downloadButton, restoreButton));
  }));
}
