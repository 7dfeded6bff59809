// One manual in the console check: its keys over the compass and its 20 pistons, each a button
// named by the core and coloured by the look the core gives it, with the checklist and the shoes
// beside them. Pressing a key or a piston (pointer down and up, or Enter or Space held on it)
// is handed on, for the simulated chain to play. The keyboard and the rail are one stop each of
// the Tab key; the arrow keys move along them.

import { el } from "./dom";
import type { ConsoleAction, ConsoleCheckManual } from "./link_core";

// Keys counted from a C: which of the twelve are black.
const blackInOctave = [false, true, false, true, false, false, true, false, true, false, true, false];

export type Press = (action: ConsoleAction, number: number) => void;

// Down on pointer or key press, up on its release; a click that came without them (a screen
// reader's) is a press and a release.
function pressable(button: HTMLButtonElement, down: () => void, up: () => void): void {
  let held = false;
  const release = () => {
    if (!held) return;
    held = false;
    up();
  };
  const hold = () => {
    if (held) return;
    held = true;
    down();
  };
  button.addEventListener("pointerdown", (event) => {
    if (event.button !== 0) return;
    button.setPointerCapture(event.pointerId);
    hold();
  });
  button.addEventListener("pointerup", release);
  button.addEventListener("pointercancel", release);
  button.addEventListener("lostpointercapture", release);
  button.addEventListener("keydown", (event) => {
    if (event.key !== "Enter" && event.key !== " ") return;
    event.preventDefault();
    if (!event.repeat) hold();
  });
  button.addEventListener("keyup", (event) => {
    if (event.key === "Enter" || event.key === " ") release();
  });
  button.addEventListener("blur", release);
  button.addEventListener("click", (event) => {
    if (event.detail !== 0 || held) return;
    hold();
    release();
  });
}

// One stop of the Tab key for a row of buttons; the arrow keys, Home and End move along it.
function oneTabStop(buttons: HTMLButtonElement[]): void {
  buttons.forEach((button, i) => {
    button.tabIndex = i === 0 ? 0 : -1;
    button.addEventListener("focus", () => {
      for (const other of buttons) other.tabIndex = other === button ? 0 : -1;
    });
  });
  const along = (event: KeyboardEvent) => {
    const at = buttons.indexOf(event.target as HTMLButtonElement);
    const next = event.key === "ArrowRight" || event.key === "ArrowDown" ? at + 1
      : event.key === "ArrowLeft" || event.key === "ArrowUp" ? at - 1
      : event.key === "Home" ? 0
      : event.key === "End" ? buttons.length - 1
      : null;
    if (at < 0 || next === null) return;
    event.preventDefault();
    buttons[Math.max(0, Math.min(buttons.length - 1, next))]?.focus();
  };
  for (const button of buttons) button.addEventListener("keydown", along);
}

export class CheckManual {
  readonly element: HTMLElement;
  private readonly keys: HTMLButtonElement[] = [];
  private readonly pistons: HTMLButtonElement[] = [];
  private readonly checklist = el("ul", { class: "checklist" });
  private readonly shoes = el("div", { class: "shoes" });

  constructor(index: number, view: ConsoleCheckManual, press: Press) {
    const keyboard = el("div", { class: "check-keyboard", id: `picCheckKeyboard_${index}`, role: "group", "aria-label": view.title });
    const whites = view.keys.filter((_, k) => !blackInOctave[k % 12]).length;
    let whitesBefore = 0;
    view.keys.forEach((key, k) => {
      const black = blackInOctave[k % 12] === true;
      const button = el("button", { type: "button", class: black ? "key black" : "key white", id: `cmdCheckKey_${index}_${k + 1}`, "aria-label": key.name });
      button.style.left = `${((black ? whitesBefore - 0.3 : whitesBefore) / whites) * 100}%`;
      button.style.width = `${((black ? 0.6 : 1) / whites) * 100}%`;
      if (!black) whitesBefore += 1;
      pressable(button, () => press("pressKey", k + 1), () => press("releaseKey", k + 1));
      this.keys.push(button);
    });
    // The black keys lie over the white ones; the arrow keys go from key to key up the compass.
    keyboard.append(...this.keys.filter((key) => key.classList.contains("white")), ...this.keys.filter((key) => key.classList.contains("black")));
    oneTabStop(this.keys);

    const rail = el("div", { class: "check-rail", id: `fraCheckRail_${index}`, role: "group" });
    view.pistons.forEach((_, p) => {
      const button = el("button", { type: "button", class: "check-piston", id: `cmdCheckPiston_${index * view.pistons.length + p}` });
      pressable(button, () => press("pressPiston", p + 1), () => press("releasePiston", p + 1));
      this.pistons.push(button);
    });
    rail.append(...this.pistons);
    oneTabStop(this.pistons);

    this.element = el("section", { class: "check-manual", id: `fraCheckManual_${index}`, "aria-label": view.title },
      el("h3", {}, view.title),
      el("div", { class: "check-console" }, keyboard, rail),
      el("div", { class: "check-side" }, this.checklist, this.shoes));
    this.draw(view);
  }

  draw(view: ConsoleCheckManual): void {
    view.keys.forEach((key, k) => {
      const button = this.keys[k];
      if (button !== undefined && button.dataset["look"] !== key.look) button.dataset["look"] = key.look;
    });
    view.pistons.forEach((piston, p) => {
      const button = this.pistons[p];
      if (button === undefined) return;
      button.dataset["look"] = piston.look;
      button.classList.toggle("asked", piston.asked);
      button.textContent = piston.ticked ? "\u2713" : "";
      button.setAttribute("aria-label", piston.name);
      button.title = `${piston.name}\n${piston.detail}`;
      if (piston.asked) button.setAttribute("aria-current", "step");
      else button.removeAttribute("aria-current");
    });
    const lines = view.checklist.join("\n");
    if (this.checklist.dataset["lines"] !== lines) {
      this.checklist.dataset["lines"] = lines;
      this.checklist.replaceChildren(...view.checklist.map((line) => el("li", {}, line)));
    }
    this.shoes.replaceChildren(...view.shoes.map((shoe) => el("div", { class: "shoe" },
      el("span", {}, shoe.line),
      el("progress", { max: 127, value: shoe.value ?? 0, "aria-label": shoe.line }))));
  }
}
