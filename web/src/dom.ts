// Building elements in one expression, and filling a list from the core's list view.

import type { ListView } from "./core";

type Attributes = Record<string, string | boolean | number | undefined>;
type Child = Node | string | null | undefined | false;

export function el<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attributes: Attributes = {},
  ...children: Child[]
): HTMLElementTagNameMap[K] {
  const element = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value === undefined || value === false) continue;
    element.setAttribute(name, value === true ? "" : String(value));
  }
  for (const child of children) {
    if (child !== null && child !== undefined && child !== false) element.append(child);
  }
  return element;
}

// A list with no selection shows blank: a stored value the list has no entry for is kept as it is.
export function fillSelect(select: HTMLSelectElement, items: string[], selected: number): void {
  select.replaceChildren(...items.map((text, position) => el("option", { value: position }, text)));
  select.selectedIndex = selected;
}

export function selectFromView(select: HTMLSelectElement, list: ListView): void {
  fillSelect(select, list.items, list.selected);
}

// Where a manual's name or a piston's label is typed: at most `longest` characters (the core's
// limit) however it is typed or pasted, counted in code points as the core counts them (an
// input's maxlength counts UTF-16 units). The core keeps a stored text whose input was left as it
// showed it, so a line break the input could not show is not lost.
export function consoleNameInput(id: string, shown: string, placeholder: string, longest: number): HTMLInputElement {
  const input = el("input", { type: "text", id, class: "console-name", placeholder, autocomplete: "off", spellcheck: false });
  input.value = shown;
  input.addEventListener("input", () => {
    const characters = Array.from(input.value);
    if (characters.length > longest) input.value = characters.slice(0, longest).join("");
  });
  return input;
}

let uniqueIds = 0;
export function uniqueId(prefix: string): string {
  uniqueIds += 1;
  return `${prefix}-${uniqueIds}`;
}
