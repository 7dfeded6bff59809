// The JSON text a call of the core answered, as the type src/web/page_boundary.json declares for
// that call; the core's tests hold every answer to the same declaration.

import type { LinkAnswers, SessionAnswers } from "./generated/page_boundary";

export function sessionAnswer<Call extends keyof SessionAnswers>(_call: Call, text: string): SessionAnswers[Call] {
  return JSON.parse(text) as SessionAnswers[Call];
}

export function linkAnswer<Call extends keyof LinkAnswers>(_call: Call, text: string): LinkAnswers[Call] {
  return JSON.parse(text) as LinkAnswers[Call];
}
