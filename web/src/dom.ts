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

// Where a manual's name or a piston's label is typed: at most 40 characters however it is typed
// or pasted, counted as the core counts them (an input's maxlength counts UTF-16 units).
export const longestConsoleName = 40;

export interface ConsoleNameField {
  input: HTMLInputElement;
  // What was typed; the stored text while the input is untouched, as a line break in the
  // stored text cannot stand in an input and would otherwise be lost without anyone typing.
  text(): string;
}

// onOneLine: the stored text as the titles show it (the core's), since an input would drop a
// line break and join the words.
export function consoleNameInput(id: string, stored: string, onOneLine: string, placeholder: string): ConsoleNameField {
  const input = el("input", { type: "text", id, class: "console-name", placeholder, autocomplete: "off", spellcheck: false });
  input.value = onOneLine;
  const shown = input.value;
  input.addEventListener("input", () => {
    const characters = Array.from(input.value);
    if (characters.length > longestConsoleName) input.value = characters.slice(0, longestConsoleName).join("");
  });
  return { input, text: () => (input.value === shown ? stored : input.value) };
}

let uniqueIds = 0;
export function uniqueId(prefix: string): string {
  uniqueIds += 1;
  return `${prefix}-${uniqueIds}`;
}
