// The piston editor (frmPiston) drawn from the core's form: the group list, the chosen group's
// panel and "Save"/"Cancel". Every choice goes to the core, which answers with the inputs as
// they now stand; the page only draws them.

import type { PistonEditorView, PistonInput, PistonPanelView, Session } from "./core";
import { consoleNameInput, el, selectFromView, uniqueId } from "./dom";
import { addSaveCancelButtons, openModal } from "./modal";

export function editPiston(session: Session, pistonIndex: number, onSaved: () => void): void {
  const opened = session.openPistonEditor(pistonIndex);
  if (opened === null) return;

  const { texts } = opened;
  const modal = openModal("frmPiston", texts.title, () => session.closeEditors());
  const location = el("p", { id: "lblPiston", class: "location" });
  const note = el("p", { id: "txtNote", class: "note" });
  const label = consoleNameInput("txtLabel", opened.label.shown, opened.label.placeholder, opened.label.longest);
  label.setAttribute("aria-label", opened.label.accessibleName);
  const functionLabelId = uniqueId("label");
  const functions = el("select", { id: "cboFunction", "aria-labelledby": functionLabelId });
  const panelArea = el("div", { class: "piston-panel" });
  const refusal = el("p", { id: "lblRefusal", class: "refusal", role: "alert" });
  modal.body.append(
    location,
    note,
    el("div", { class: "row" }, el("label", { for: "txtLabel" }, opened.label.caption), label),
    el("label", { id: functionLabelId, for: "cboFunction" }, texts.functionQuestion),
    functions,
    panelArea,
    refusal,
  );

  const show = (view: PistonEditorView | null) => {
    if (view === null) return;
    const focused = document.activeElement?.id ?? "";
    location.textContent = view.location;
    note.textContent = view.note;
    note.hidden = view.note === "";
    selectFromView(functions, view.functions);
    panelArea.replaceChildren(...panelInputs(view.functions.selected, view.panel, choose));
    refusal.textContent = view.refusal;
    if (focused !== "") document.getElementById(focused)?.focus();
  };
  const choose = (input: PistonInput, row: number, value: number) => show(session.choosePistonInput(input, row, value));
  functions.addEventListener("change", () => choose("function", 0, functions.selectedIndex));

  addSaveCancelButtons(
    modal,
    { save: texts.save, cancel: texts.cancel },
    () => {
      const outcome = session.savePistonEditor(label.value);
      return outcome.saved ? null : outcome.refusal;
    },
    () => session.closeEditors(),
    onSaved,
    (why) => (refusal.textContent = why),
  );
  show(opened);
  modal.dialog.showModal();
  document.getElementById(texts.openOn)?.focus();
}

type Choose = (input: PistonInput, row: number, value: number) => void;

function listInput(id: string, list: { items: string[]; selected: number }, onChange: (position: number) => void) {
  const select = el("select", { id });
  selectFromView(select, list);
  select.addEventListener("change", () => onChange(select.selectedIndex));
  return select;
}

function checkBox(id: string, checked: boolean, onChange: (checked: boolean) => void) {
  const box = el("input", { type: "checkbox", id, checked });
  box.addEventListener("change", () => onChange(box.checked));
  return box;
}

function labelled(element: HTMLElement, labelId: string): HTMLElement {
  element.setAttribute("aria-labelledby", labelId);
  return element;
}

// The inputs the group shows, with the desktop's texts and names.
function panelInputs(group: number, panel: PistonPanelView | null, choose: Choose): HTMLElement[] {
  if (panel === null) return [];
  const promptId = uniqueId("prompt");
  const type = listInput(`cboType_${group}`, panel.types, (p) => choose("type", 0, p));
  const channel = listInput(`cboMidiChannel_${group}`, panel.channels, (p) => choose("channel", 0, p));
  if (panel.channelKind === "num") {
    const numId = uniqueId("num");
    return [
      el("div", { id: `fraFunction_${group}`, class: "row" },
        el("label", { id: promptId, class: "prompt", for: type.id }, panel.prompt), labelled(type, promptId)),
      el("div", { class: "row" }, el("label", { id: numId, for: channel.id }, panel.channelCaption), labelled(channel, numId)),
    ];
  }
  const rows: HTMLElement[] = [];
  if (panel.prompt !== "") rows.push(el("p", { id: promptId, class: "prompt" }, panel.prompt));
  if (panel.typeShown) rows.push(labelled(type, promptId));
  if (panel.values.items.length > 0)
    rows.push(labelled(listInput(`cboProgramChange_${group}`, panel.values, (p) => choose("value", 0, p)), promptId));
  if (panel.channelKind === "midi") {
    const channelLabelId = uniqueId("channel");
    channel.disabled = !panel.channelEnabled;
    const all = panel.allChannelsBox
      ? el("label", {}, checkBox("chkAllChannels", panel.allChannels, (c) => choose("all", 0, Number(c))),
        ` ${panel.allChannelsCaption}`)
      : null;
    rows.push(
      el("div", { class: "row" }, el("label", { id: channelLabelId, for: channel.id }, panel.channelCaption),
        labelled(channel, channelLabelId), all),
    );
  }
  panel.bankRows.forEach((bank, row) => {
    const values = listInput(`cboBankSel_${row}`, bank.values, (p) => choose("bankValue", row, p));
    values.disabled = !bank.enabled;
    values.setAttribute("aria-label", bank.caption);
    rows.push(
      el("div", { class: "row bank-row" },
        el("label", {}, checkBox(`chkBankSel_${row}`, bank.checked, (c) => choose("bankCheck", row, Number(c))),
          ` ${bank.caption}`),
        values),
    );
  });
  return [el("div", { id: `fraFunction_${group}`, class: "function-panel" }, ...rows)];
}
