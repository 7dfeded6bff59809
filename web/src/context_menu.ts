// The right-click menu of a piston or a keyboard picture, also opened from the keyboard
// (the context-menu key, Shift+F10). Arrow keys move through it, Escape closes it.

import { el } from "./dom";

export interface MenuEntry {
  id: string;
  text: string;
  shortcut?: string;
  enabled: boolean;
  run: () => void;
}

let openMenu: HTMLElement | null = null;

export function closeContextMenu(): void {
  openMenu?.remove();
  openMenu = null;
}

export function showContextMenu(anchor: HTMLElement, x: number, y: number, entries: (MenuEntry | "separator")[]): void {
  closeContextMenu();
  const items: HTMLButtonElement[] = [];
  const menu = el("div", { role: "menu", class: "context-menu", "aria-label": anchor.getAttribute("aria-label") ?? "" });
  for (const entry of entries) {
    if (entry === "separator") {
      menu.append(el("div", { role: "separator" }));
      continue;
    }
    const item = el("button", { type: "button", role: "menuitem", id: entry.id, "aria-disabled": !entry.enabled ? "true" : undefined },
      el("span", {}, entry.text), entry.shortcut ? el("span", { class: "shortcut" }, entry.shortcut) : null);
    item.addEventListener("click", () => {
      if (!entry.enabled) return;
      closeContextMenu();
      anchor.focus();
      entry.run();
    });
    items.push(item);
    menu.append(item);
  }
  menu.addEventListener("keydown", (event) => {
    const at = items.indexOf(document.activeElement as HTMLButtonElement);
    if (event.key === "Escape" || event.key === "Tab") {
      event.preventDefault();
      closeContextMenu();
      anchor.focus();
    } else if (event.key === "ArrowDown" || event.key === "ArrowUp") {
      event.preventDefault();
      const step = event.key === "ArrowDown" ? 1 : items.length - 1;
      items[(at + step) % items.length]?.focus();
    }
  });
  document.body.append(menu);
  const bounds = menu.getBoundingClientRect();
  menu.style.left = `${Math.max(0, Math.min(x, window.innerWidth - bounds.width))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, window.innerHeight - bounds.height))}px`;
  openMenu = menu;
  items[0]?.focus();
}

document.addEventListener("pointerdown", (event) => {
  if (openMenu !== null && !openMenu.contains(event.target as Node)) closeContextMenu();
});
