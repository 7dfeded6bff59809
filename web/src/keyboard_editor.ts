// The keyboard editor (frmMIDIChannels) drawn from the core's form: the "MIDI Channel Settings"
// page with a row per channel and the "General Settings" page. The core holds the inputs, says
// which are enabled and gives every word; the page draws them and hands every change over.

import type { KeyboardEditorView, KeyboardInput, KeyboardStateView, Session } from "./core";
import { consoleNameInput, el, fillSelect } from "./dom";
import { addSaveCancelButtons, openModal } from "./modal";

// The page last chosen, as the desktop keeps it from one opening to the next.
let chosenPage = 0;

export function editKeyboard(session: Session, manualIndex: number, onSaved: () => void): void {
  const opened = session.openKeyboardEditor(manualIndex);
  if (opened === null) return;

  const { texts } = opened;
  const modal = openModal("frmMIDIChannels", texts.title, () => session.closeEditors());
  const location = el("p", { id: "lblMIDIChannels", class: "location" });
  const name = consoleNameInput("txtManualName", opened.name.shown, opened.name.placeholder, opened.name.longest);
  name.setAttribute("aria-label", opened.name.accessibleName);
  const refusal = el("p", { class: "refusal", role: "alert" });
  const set = (input: KeyboardInput, row: number, value: number) => show(session.setKeyboardInput(input, row, value));
  const channelPage = buildChannelPage(opened, set);
  const generalPage = buildGeneralPage(opened, set);
  const pages = [channelPage.page, generalPage.page];
  const tabs = texts.pages.map((caption, page) =>
    el("button", { type: "button", role: "tab", id: `tabMidiChannels_${page}`, "aria-controls": `fraChannels_${page}` },
      caption));
  const choosePage = (page: number) => {
    chosenPage = page;
    tabs.forEach((tab, i) => tab.setAttribute("aria-selected", String(i === page)));
    pages.forEach((p, i) => (p.hidden = i !== page));
  };
  tabs.forEach((tab, page) => tab.addEventListener("click", () => choosePage(page)));
  modal.body.append(
    location,
    el("div", { class: "row" }, el("label", { for: "txtManualName" }, opened.name.caption), name),
    el("div", { role: "tablist", class: "tabs" }, ...tabs),
    ...pages,
    refusal,
  );

  const show = (view: KeyboardStateView | null) => {
    if (view === null) return;
    location.textContent = view.location;
    channelPage.show(view);
    generalPage.show(view);
    refusal.textContent = view.refusal;
  };
  addSaveCancelButtons(
    modal,
    { save: texts.save, cancel: texts.cancel },
    () => {
      const outcome = session.saveKeyboardEditor(name.value);
      return outcome.saved ? null : outcome.refusal;
    },
    () => session.closeEditors(),
    onSaved,
    (why) => (refusal.textContent = why),
  );
  show(opened);
  choosePage(chosenPage);
  modal.dialog.showModal();
  document.getElementById(texts.openOn)?.focus();
}

type Set = (input: KeyboardInput, row: number, value: number) => void;

function select(id: string, label: string, items: string[], onChange: (position: number) => void) {
  const list = el("select", { id, "aria-label": label });
  fillSelect(list, items, -1);
  list.addEventListener("change", () => onChange(list.selectedIndex));
  return list;
}

function checkBox(id: string, label: string | null, onChange: (checked: boolean) => void) {
  const box = el("input", { type: "checkbox", id, "aria-label": label ?? undefined });
  box.addEventListener("change", () => onChange(box.checked));
  return box;
}

function buildChannelPage(view: KeyboardEditorView, set: Set) {
  const { lists, texts } = view;
  const rows = texts.rowNames.map((names, c) => ({
    on: checkBox(`chkChannel_${c}`, names.channel, (v) => set("on", c, Number(v))),
    keyOffset: select(`cboTransposeInput_${c}`, names.keyOffset, lists.keyOffsets, (p) => set("keyOffset", c, p)),
    velocityOn: checkBox(`chkVelocity_${c}`, names.velocityOn, (v) => set("velocityOn", c, Number(v))),
    velocity: select(`cboVelocity_${c}`, names.velocity, lists.velocities, (p) => set("velocity", c, p)),
    analogInput: select(`cboAnalogInput_${c}`, names.analogInput, lists.analogInputs, (p) => set("analogInput", c, p)),
    controller: select(`cboMidiController_${c}`, names.controller, lists.controllers, (p) => set("controller", c, p)),
  }));
  const head = el("tr", {}, ...texts.columns.map(
    (caption, i) => el("th", { scope: "col", colspan: i >= 2 ? 2 : undefined }, caption)));
  const body = rows.map((row, c) =>
    el("tr", {},
      el("td", {}, el("label", { class: "channel-number" }, row.on, ` ${c + 1}`)),
      el("td", {}, row.keyOffset),
      el("td", {}, el("label", { title: texts.velocityOnToolTip }, row.velocityOn, ` ${texts.velocityOn}`)),
      el("td", {}, row.velocity),
      el("td", {}, row.analogInput),
      el("td", {}, row.controller)));
  const page = el("div", { id: "fraChannels_0", role: "tabpanel", "aria-labelledby": "tabMidiChannels_0" },
    el("p", {}, texts.channelPageHeading),
    el("table", { class: "channel-table" }, el("thead", {}, head), el("tbody", {}, ...body)));
  const show = (current: KeyboardStateView) => {
    current.rows.forEach((state, c) => {
      const row = rows[c];
      if (row === undefined) return;
      row.on.checked = state.on;
      row.keyOffset.selectedIndex = state.keyOffset;
      row.keyOffset.disabled = !state.enabled.keyOffset;
      row.velocityOn.checked = state.velocityOn;
      row.velocityOn.disabled = !state.enabled.velocityOn;
      row.velocity.selectedIndex = state.velocity;
      row.velocity.disabled = !state.enabled.velocity;
      row.analogInput.selectedIndex = state.analogInput;
      row.controller.selectedIndex = state.controller;
      row.controller.disabled = !state.enabled.controller;
    });
  };
  return { page, show };
}

function buildGeneralPage(view: KeyboardEditorView, set: Set) {
  const { texts } = view;
  const options = view.options.map((_, bit) =>
    checkBox(`chkKeyboardConfig_${bit}`, null, (v) => set("option", bit, Number(v))));
  const archiveInput = select("cboArchiveAnalogInput_0", texts.archiveInputQuestion, view.lists.analogInputs,
    (p) => set("archiveInput", 0, p));
  const archiveChannel = select("cboArchiveAnalogInput_1", texts.archiveChannelQuestion, view.lists.archiveChannels,
    (p) => set("archiveChannel", 0, p));
  const page = el("div", { id: "fraChannels_1", role: "tabpanel", "aria-labelledby": "tabMidiChannels_1" },
    el("p", {}, texts.generalPageHeading),
    el("fieldset", {}, el("legend", {}, texts.optionsFrame),
      ...options.map((box, bit) => el("label", { class: "option" }, box, ` ${view.options[bit]?.caption ?? ""}`))),
    el("fieldset", {}, el("legend", {}, texts.archiveFrame),
      el("label", { class: "row" }, texts.archiveInputQuestion, archiveInput),
      el("label", { class: "row" }, texts.archiveChannelQuestion, archiveChannel)));
  const show = (current: KeyboardStateView) => {
    current.options.forEach((option, bit) => {
      const box = options[bit];
      if (box !== undefined) box.checked = option.checked;
    });
    archiveInput.selectedIndex = current.archiveInput;
    archiveChannel.selectedIndex = current.archiveChannel;
  };
  return { page, show };
}
