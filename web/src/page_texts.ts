// The words the page draws itself, in the language chosen, as the core gives them. index.html
// names each of its texts by where it lies among them: data-text="toolbar.open" for the text,
// data-title, data-placeholder and data-label (its accessible name) for those attributes.

import type { PageTexts, Session } from "./core";

let current: PageTexts | undefined;

export function words(): PageTexts {
  if (current === undefined) throw new Error("the page's words were asked for before the core gave them");
  return current;
}

// Takes the words of the language just chosen and puts them in index.html's places.
export function takeWords(session: Session): void {
  current = session.pageTexts();
  const shown: [string, (element: HTMLElement, text: string) => void][] = [
    ["text", (element, text) => (element.textContent = text)],
    ["title", (element, text) => (element.title = text)],
    ["placeholder", (element, text) => element.setAttribute("placeholder", text)],
    ["label", (element, text) => element.setAttribute("aria-label", text)],
  ];
  for (const [attribute, show] of shown) {
    document.querySelectorAll<HTMLElement>(`[data-${attribute}]`).forEach((element) => {
      show(element, textAt(element.dataset[attribute] ?? ""));
    });
  }
}

function textAt(path: string): string {
  let found: unknown = words();
  for (const name of path.split(".")) found = (found as Record<string, unknown> | undefined)?.[name];
  if (typeof found !== "string") throw new Error(`index.html names a text the core does not give: ${path}`);
  return found;
}

// A text with its pieces put in: %1 the first, %2 the second. A piece is not searched again.
export function filled(text: string, ...pieces: (string | number)[]): string {
  return text.replace(/%(\d+)/g, (whole, number: string) => {
    const piece = pieces[Number(number) - 1];
    return piece === undefined ? whole : String(piece);
  });
}
