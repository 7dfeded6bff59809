// The page's language: the one chosen here before, kept in this browser, or else the first of
// the browser's own languages the page has; English when it has none of them. The choice in the
// header changes it at once.

import type { LanguageChoice, Session } from "./core";
import { el } from "./dom";

const keptKey = "zktconfig.language";

function kept(): string {
  try {
    return localStorage.getItem(keptKey) ?? "";
  } catch {
    return "";
  }
}

function keep(code: string): void {
  try {
    localStorage.setItem(keptKey, code);
  } catch {
    // Not kept: the next visit follows the browser's languages again.
  }
}

function choose(session: Session, code: string): LanguageChoice {
  const choice = session.chooseLanguage(code, navigator.languages ?? [navigator.language]);
  document.documentElement.lang = choice.current;
  return choice;
}

export function startLanguage(session: Session): LanguageChoice {
  return choose(session, kept());
}

// Fills the header's choice; changed runs once the new language is set.
export function offerLanguages(session: Session, choice: LanguageChoice, changed: () => void): void {
  const select = document.getElementById("cboLanguage") as HTMLSelectElement;
  select.replaceChildren(...choice.languages.map((language) =>
    el("option", { value: language.code, lang: language.code }, language.name)));
  select.value = choice.current;
  select.addEventListener("change", () => {
    keep(select.value);
    choose(session, select.value);
    changed();
  });
}
