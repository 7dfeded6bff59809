// The MIDI setup (frmMidiSetup, "MIDI I/O Setup"): the devices under "MIDI In:" and "MIDI Out:"
// by name, the simulator among them; OK only once both are chosen. The lists follow devices
// plugged in or out while it is open; what the browser refused is said above them.

import type { BrowserMidi } from "./browser_midi";
import { el } from "./dom";
import type { DeviceLink, SetupDevice, SetupView } from "./link_core";
import { addButton, openModal } from "./modal";
import { keepChosenDevices } from "./page_settings";
import { words } from "./page_texts";

export const devicesChangedEvent = "zkt-devices-changed";

// Each device under the name the browser gives it; the choice is kept by its label.
function fill(select: HTMLSelectElement, placeholder: string, devices: SetupDevice[], chosenLabel: string): void {
  select.replaceChildren(
    el("option", { value: "" }, placeholder),
    ...devices.map((device) => el("option", { value: device.name, "data-label": device.label }, device.name)),
  );
  select.value = devices.find((device) => device.label === chosenLabel)?.name ?? "";
}

function chosenLabel(select: HTMLSelectElement): string {
  return select.selectedOptions[0]?.dataset["label"] ?? "";
}

// Resolves true when the user chose both devices and pressed OK.
export function runMidiSetup(link: DeviceLink, midi: BrowserMidi, prompt = ""): Promise<boolean> {
  return new Promise((resolve) => {
    const texts = words().midiSetup;
    const modal = openModal("frmMidiSetup", texts.title, () => finish(false));
    const inputs = el("select", { id: "ComboMidiIn" });
    const outputs = el("select", { id: "ComboMidiOut" });
    const refusal = el("div", { id: "lblMidiRefusal", class: "warning", role: "status" });
    const missing = el("div", { id: "lblMissing", class: "warning" });
    modal.body.append(
      prompt === "" ? "" : el("p", { id: "lblPrompt" }, prompt),
      refusal,
      el("div", { class: "form-grid" },
        el("label", { for: "ComboMidiIn" }, texts.input), inputs,
        el("label", { for: "ComboMidiOut" }, texts.output), outputs),
      missing,
    );
    const ok = addButton(modal, "CmdOk", words().answers.ok, () => {
      const chosen = { input: chosenLabel(inputs), output: chosenLabel(outputs) };
      link.chooseDevices(chosen.input, chosen.output);
      keepChosenDevices(chosen);
      modal.close();
      finish(true);
    });
    addButton(modal, "CmdCancel", words().answers.cancel, () => {
      modal.close();
      finish(false);
    });

    const allowOk = () => (ok.disabled = inputs.value === "" || outputs.value === "");
    // The choices being made are kept when the lists change under them.
    let wanted: SetupView | null = null;
    const show = () => {
      const view = link.setupView();
      wanted ??= view;
      fill(inputs, texts.chooseInput, view.inputs, wanted.input);
      fill(outputs, texts.chooseOutput, view.outputs, wanted.output);
      const said = [...midi.refusal()];
      if (midi.accessState().kind === "ready" && !midi.hasDevices()) said.push(words().refusals.noDevices);
      refusal.replaceChildren(...said.map((line) => el("p", {}, line)));
      missing.replaceChildren(...view.missing.map((line) => el("p", {}, line)));
      allowOk();
    };
    const choose = () => {
      if (wanted !== null) wanted = { ...wanted, input: chosenLabel(inputs), output: chosenLabel(outputs) };
      allowOk();
    };
    inputs.addEventListener("change", choose);
    outputs.addEventListener("change", choose);
    document.addEventListener(devicesChangedEvent, show);
    let finished = false;
    function finish(chosen: boolean): void {
      if (finished) return;
      finished = true;
      document.removeEventListener(devicesChangedEvent, show);
      resolve(chosen);
    }

    show();
    modal.dialog.showModal();
    inputs.focus();
    // Asking the browser may take a moment (it may ask the user): the lists follow.
    void midi.requestAccess().then(() => {
      if (!finished) show();
    });
  });
}
