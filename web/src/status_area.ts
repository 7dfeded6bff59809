// The status area (the desktop's status window, frmStatus): a caption and the lines the file
// commands report, the newest kept in view.

const maximumLines = 200;

export class StatusArea {
  private readonly caption = document.getElementById("lblStatusCaption") as HTMLElement;
  private readonly text = document.getElementById("txtStatus") as HTMLElement;

  // Starts a report: its caption, its lines, and what the user should not miss.
  report(caption: string, lines: string[], warnings: string[] = []): void {
    this.caption.textContent = caption;
    this.text.replaceChildren();
    this.append(lines, "");
    this.append(warnings, "warning");
  }

  private append(lines: string[], kind: string): void {
    for (const line of lines) {
      const entry = document.createElement("p");
      entry.textContent = line;
      if (kind !== "") entry.className = kind;
      this.text.append(entry);
    }
    while (this.text.childElementCount > maximumLines) this.text.firstElementChild?.remove();
    this.text.scrollTop = this.text.scrollHeight;
  }
}
