// The write dialog (frmWrite): what the write will change, in the organ builder's words, and its
// options; "Write" goes ahead with the options as ticked, "Cancel" sends nothing.

import { el } from "./dom";
import type { WriteOptions } from "./link_core";
import { addButton, openModal } from "./modal";
import { words } from "./page_texts";

function checkBox(id: string, checked: boolean): HTMLInputElement {
  return el("input", { type: "checkbox", id, checked });
}

// Resolves with the options chosen, or null for Cancel.
export function askWrite(current: WriteOptions, planLines: string[]): Promise<WriteOptions | null> {
  return new Promise((resolve) => {
    const texts = words().write;
    const modal = openModal("frmWrite", texts.title, () => resolve(null));
    const boxes = {
      backup: checkBox("chkBackup", current.backup),
      everyManual: checkBox("chkEveryManual", !current.onlyChanged),
      verify: checkBox("chkVerify", current.verify),
      verifyAll: checkBox("chkVerifyAll", current.verifyAll),
    };
    const labelled = (box: HTMLInputElement, text: string) => el("label", { class: "check" }, box, text);
    modal.body.append(
      el("p", {}, texts.planHeading),
      el("pre", { id: "txtPlan", tabindex: 0 }, (planLines.length > 0 ? planLines : [texts.notReadFirst]).join("\n")),
      labelled(boxes.backup, texts.backup),
      labelled(boxes.everyManual, texts.everyManual),
      labelled(boxes.verify, texts.verify),
      labelled(boxes.verifyAll, texts.verifyAll),
    );
    // Reading back every manual only means something when manuals are read back at all.
    const follow = () => (boxes.verifyAll.disabled = !boxes.verify.checked);
    boxes.verify.addEventListener("change", follow);
    follow();
    const write = addButton(modal, "cmdWrite", texts.write, () => {
      modal.close();
      resolve({
        backup: boxes.backup.checked,
        onlyChanged: !boxes.everyManual.checked,
        verify: boxes.verify.checked,
        verifyAll: boxes.verifyAll.checked,
      });
    });
    addButton(modal, "cmdCancel", texts.cancel, () => {
      modal.close();
      resolve(null);
    });
    modal.dialog.showModal();
    write.focus();
  });
}
