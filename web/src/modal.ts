// Modal dialogs: the browser's own <dialog>, which keeps the focus inside it and gives Escape
// to "Cancel". A dialog is made for each opening and removed when it closes.

import type { RecoveryQuestion, UnsavedChangesQuestion } from "./core";
import { el, uniqueId } from "./dom";
import { words } from "./page_texts";

export interface Modal {
  dialog: HTMLDialogElement;
  body: HTMLElement;
  buttons: HTMLElement;
  close(): void;
}

// While a modal dialog is open, what lies behind it is out of reach of the mouse and the keyboard
// (the browser makes it inert) and also out of the page's accessibility tree, so that a name like
// "Cancel" or "OK" means the button of the dialog in front and nothing behind it.
function hideWhatModalsCover(): void {
  const modals = document.querySelectorAll("dialog:modal");
  const front = modals.item(modals.length - 1);
  for (const part of document.body.children) {
    if (front !== null && part !== front) part.setAttribute("aria-hidden", "true");
    else part.removeAttribute("aria-hidden");
  }
}
new MutationObserver(hideWhatModalsCover).observe(document.body, { childList: true, subtree: true, attributeFilter: ["open"] });

// id names the dialog as the desktop names its window (frmPiston, frmMIDIChannels).
export function openModal(id: string, title: string, onCancel: () => void): Modal {
  const titleId = uniqueId("title");
  const body = el("div", { class: "dialog-body" });
  const buttons = el("div", { class: "dialog-buttons" });
  const dialog = el("dialog", { id, "aria-labelledby": titleId }, el("h2", { id: titleId }, title), body, buttons);
  // Escape closes the dialog as "Cancel" does; the browser may close it without asking first.
  let closed = false;
  const close = () => {
    closed = true;
    dialog.close();
    dialog.remove();
  };
  dialog.addEventListener("close", () => {
    if (closed) return;
    closed = true;
    dialog.remove();
    onCancel();
  });
  document.body.append(dialog);
  return { dialog, body, buttons, close };
}

export function addButton(modal: Modal, id: string, text: string, onClick: () => void): HTMLButtonElement {
  const button = el("button", { type: "button", id }, text);
  button.addEventListener("click", onClick);
  modal.buttons.append(button);
  return button;
}

// The editors' "Save" (cmdOK) and "Cancel" (cmdCancel), with the words the core gives them. save
// returns why it refuses, or null when it has stored the inputs, which closes the dialog and calls
// saved.
export function addSaveCancelButtons(modal: Modal, captions: { save: string; cancel: string },
  save: () => string | null, cancel: () => void, saved: () => void,
  showRefusal: (refusal: string) => void = () => {}): void {
  addButton(modal, "cmdOK", captions.save, () => {
    const refusal = save();
    if (refusal !== null) {
      showRefusal(refusal);
      return;
    }
    modal.close();
    saved();
  });
  addButton(modal, "cmdCancel", captions.cancel, () => {
    cancel();
    modal.close();
  });
}

// A message with an OK button; resolves when it is closed.
export function showMessage(title: string, lines: string[]): Promise<void> {
  return new Promise((resolve) => {
    const modal = openModal("msgBox", title, resolve);
    modal.dialog.setAttribute("role", "alertdialog");
    modal.body.append(...lines.map((line) => el("p", {}, line)));
    const ok = addButton(modal, "cmdMessageOK", words().answers.ok, () => {
      modal.close();
      resolve();
    });
    modal.dialog.showModal();
    ok.focus();
  });
}

export type UnsavedChangesAnswer = "save" | "discard" | "cancel";

// "Save changes to organ.zkt before opening another configuration?", in the core's words.
export function askToSaveChanges(asked: UnsavedChangesQuestion): Promise<UnsavedChangesAnswer> {
  return new Promise((resolve) => {
    const modal = openModal("msgSaveChanges", asked.title, () => resolve("cancel"));
    modal.dialog.setAttribute("role", "alertdialog");
    modal.body.append(el("p", { class: "question" }, asked.question), el("p", {}, asked.detail));
    const answer = (choice: UnsavedChangesAnswer) => () => {
      modal.close();
      resolve(choice);
    };
    const { answers } = words();
    const save = addButton(modal, "cmdSaveChanges", answers.save, answer("save"));
    addButton(modal, "cmdDiscardChanges", answers.discard, answer("discard"));
    addButton(modal, "cmdCancelChanges", answers.cancel, answer("cancel"));
    modal.dialog.showModal();
    save.focus();
  });
}

export type RecoveryAnswer = "recover" | "discard";

// "Recover Unsaved Changes", in the core's words. Recover is the default, and Escape or closing
// the question recovers too: nothing is thrown away but on purpose.
export function askToRecover(asked: RecoveryQuestion): Promise<RecoveryAnswer> {
  return new Promise((resolve) => {
    const modal = openModal("msgRecoverChanges", asked.title, () => resolve("recover"));
    modal.dialog.setAttribute("role", "alertdialog");
    modal.body.append(el("p", { class: "question" }, asked.text), el("p", {}, asked.detail));
    const answer = (choice: RecoveryAnswer) => () => {
      modal.close();
      resolve(choice);
    };
    const recover = addButton(modal, "cmdRecover", asked.recover, answer("recover"));
    addButton(modal, "cmdDiscard", asked.discard, answer("discard"));
    modal.dialog.showModal();
    recover.focus();
  });
}

// A question with Yes and No (No the default, as for anything that cannot be taken back);
// resolves true for Yes.
export function askYesNo(title: string, lines: string[]): Promise<boolean> {
  return new Promise((resolve) => {
    const modal = openModal("msgQuestion", title, () => resolve(false));
    modal.dialog.setAttribute("role", "alertdialog");
    modal.body.append(...lines.map((line) => el("p", {}, line)));
    const answer = (yes: boolean) => () => {
      modal.close();
      resolve(yes);
    };
    const { answers } = words();
    addButton(modal, "cmdYes", answers.yes, answer(true));
    const no = addButton(modal, "cmdNo", answers.no, answer(false));
    modal.dialog.showModal();
    no.focus();
  });
}
