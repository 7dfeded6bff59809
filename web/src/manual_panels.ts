// One panel per manual (fraManual): its title with the manual's name, its keyboard picture and
// its rail of 20 piston buttons, coloured and titled as on the desktop.

import type { OrganView } from "./core";
import { el } from "./dom";
import { keyboardPicture } from "./keyboard_picture";
import { filled, words } from "./page_texts";

export const pistonsPerManual = 20;
const railWidthTwips = 10215;
const pistonSizeTwips = 255;

export interface PanelActions {
  editPiston(pistonIndex: number): void;
  editKeyboard(manualIndex: number): void;
  pistonMenu(pistonIndex: number, x: number, y: number): void;
  keyboardMenu(manualIndex: number, x: number, y: number): void;
  pistonCommand(command: "copy" | "paste" | "clear", pistonIndex: number): void;
}

// Where a context menu opened from the keyboard appears: below the control.
function menuPoint(element: HTMLElement, event: MouseEvent): [number, number] {
  if (event.button === 0 && event.clientX === 0 && event.clientY === 0) {
    const box = element.getBoundingClientRect();
    return [box.left, box.bottom];
  }
  return [event.clientX, event.clientY];
}

export class ManualPanels {
  private panels: HTMLElement[] = [];
  private pistons: HTMLButtonElement[] = [];

  constructor(
    private readonly container: HTMLElement,
    private readonly railLeftTwips: number[],
    private readonly actions: PanelActions,
  ) {}

  // The panels are made for the manuals the configuration has, so the page holds exactly their
  // piston buttons; they are made again only when that number changes, keeping the focus.
  show(organ: OrganView): void {
    if (this.panels.length !== organ.manuals) {
      this.panels.forEach((panel) => panel.remove());
      this.pistons = [];
      this.panels = Array.from({ length: organ.manuals }, (_, m) => this.buildPanel(m));
      this.container.append(...this.panels);
    }
    this.panels.forEach((panel, m) =>
      showTitle(panel, m, organ.manualTitles[m] ?? "", organ.keyboardNames[m] ?? ""));
    this.pistons.forEach((button, pistonIndex) => {
      const piston = organ.pistons[pistonIndex];
      if (piston === undefined) return;
      const manual = Math.floor(pistonIndex / pistonsPerManual) + 1;
      const number = (pistonIndex % pistonsPerManual) + 1;
      button.classList.toggle("assigned", piston.assigned);
      // The tool-tip adds the detail the line leaves out: which coupler, which note, which bank;
      // the label, as the console reads, comes first.
      const said = piston.detail === "" ? piston.description : `${piston.description}\n${piston.detail}`;
      const place = filled(words().main.pistonPlace, manual, number);
      button.title = piston.label === "" || said === "" ? piston.label + said : `${piston.label}\n${said}`;
      button.setAttribute("aria-label",
        piston.label === "" ? `${place}: ${piston.description}` : `${piston.label} (${place}): ${piston.description}`);
    });
  }

  private buildPanel(m: number): HTMLElement {
    const actions = this.actions;
    const keyboard = el("button", {
      type: "button",
      class: "keyboard",
      id: `picKeyboard_${m}`,
    }, keyboardPicture());
    keyboard.addEventListener("click", () => actions.editKeyboard(m));
    keyboard.addEventListener("contextmenu", (event) => {
      event.preventDefault();
      actions.keyboardMenu(m, ...menuPoint(keyboard, event));
    });
    const rail = el("div", { class: "rail", id: `fraPistonRail_${m}`, role: "group" });
    for (let k = 0; k < pistonsPerManual; ++k) {
      const pistonIndex = m * pistonsPerManual + k;
      const button = el("button", { type: "button", class: "piston", id: `cmdPiston_${pistonIndex}` });
      button.style.left = `${((this.railLeftTwips[k] ?? 0) / railWidthTwips) * 100}%`;
      button.style.width = `${(pistonSizeTwips / railWidthTwips) * 100}%`;
      button.addEventListener("click", () => actions.editPiston(pistonIndex));
      button.addEventListener("contextmenu", (event) => {
        event.preventDefault();
        actions.pistonMenu(pistonIndex, ...menuPoint(button, event));
      });
      button.addEventListener("keydown", (event) => {
        const command = pistonShortcut(event);
        if (command === null) return;
        event.preventDefault();
        actions.pistonCommand(command, pistonIndex);
      });
      rail.append(button);
      this.pistons.push(button);
    }
    return el("section", { class: "manual", id: `fraManual_${m}`, "aria-labelledby": `lblKeyboard_${m}` },
      el("h2", { id: `lblKeyboard_${m}` }),
      el("div", { class: "console" }, keyboard, rail));
  }
}

// "Manual #2 — Swell" above the panel, and on its keyboard and rail for whoever cannot see it; a
// long name that does not fit is shown whole in the tool-tip.
function showTitle(panel: HTMLElement, m: number, title: string, keyboardName: string): void {
  const heading = panel.querySelector(`#lblKeyboard_${m}`) as HTMLElement;
  heading.textContent = title;
  heading.title = title;
  const keyboard = panel.querySelector(`#picKeyboard_${m}`) as HTMLElement;
  keyboard.setAttribute("aria-label", keyboardName);
  keyboard.title = words().main.keyboardTip;
  panel.querySelector(`#fraPistonRail_${m}`)?.setAttribute("aria-label", filled(words().main.railName, title));
}

function pistonShortcut(event: KeyboardEvent): "copy" | "paste" | "clear" | null {
  const control = event.ctrlKey || event.metaKey;
  if (control && !event.shiftKey && event.key.toLowerCase() === "c") return "copy";
  if (control && !event.shiftKey && event.key.toLowerCase() === "v") return "paste";
  if (!control && event.key === "Delete") return "clear";
  return null;
}
