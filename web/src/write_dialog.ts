// The write dialog (frmWrite): what the write will change, in the organ builder's words, and its
// options; "Write" goes ahead with the options as ticked, "Cancel" sends nothing.

import { el } from "./dom";
import type { WriteOptions } from "./link_core";
import { addButton, openModal } from "./modal";

const notReadFirst =
  "The ZKT is not read before this write, so every manual of the configuration will be written. " +
  "Tick the backup, or untick \"every manual\", to read it first.";

function checkBox(id: string, checked: boolean): HTMLInputElement {
  return el("input", { type: "checkbox", id, checked });
}

// Resolves with the options chosen, or null for Cancel.
export function askWrite(current: WriteOptions, planLines: string[]): Promise<WriteOptions | null> {
  return new Promise((resolve) => {
    const modal = openModal("frmWrite", "Write Program Data to ZKT", () => resolve(null));
    const boxes = {
      backup: checkBox("chkBackup", current.backup),
      everyManual: checkBox("chkEveryManual", !current.onlyChanged),
      verify: checkBox("chkVerify", current.verify),
      verifyAll: checkBox("chkVerifyAll", current.verifyAll),
    };
    const labelled = (box: HTMLInputElement, text: string) => el("label", { class: "check" }, box, text);
    modal.body.append(
      el("p", {}, "What the write will change:"),
      el("pre", { id: "txtPlan", tabindex: 0 }, (planLines.length > 0 ? planLines : [notReadFirst]).join("\n")),
      labelled(boxes.backup, "Keep a backup of what the ZKT holds before writing"),
      labelled(boxes.everyManual, "Write every manual, also those that have not changed"),
      labelled(boxes.verify, "Read the manuals back afterwards and compare them"),
      labelled(boxes.verifyAll, "Read back all manuals, not only those written"),
    );
    // Reading back every manual only means something when manuals are read back at all.
    const follow = () => (boxes.verifyAll.disabled = !boxes.verify.checked);
    boxes.verify.addEventListener("change", follow);
    follow();
    const write = addButton(modal, "cmdWrite", "Write", () => {
      modal.close();
      resolve({
        backup: boxes.backup.checked,
        onlyChanged: !boxes.everyManual.checked,
        verify: boxes.verify.checked,
        verifyAll: boxes.verifyAll.checked,
      });
    });
    addButton(modal, "cmdCancel", "Cancel", () => {
      modal.close();
      resolve(null);
    });
    modal.dialog.showModal();
    write.focus();
  });
}
