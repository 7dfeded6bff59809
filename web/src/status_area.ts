// The status area (the desktop's status window, frmStatus): a caption and the lines the file and
// organ commands report, the newest kept in view, and Cancel while a transfer can be stopped.

const maximumLines = 200;

export class StatusArea {
  private readonly caption = document.getElementById("lblStatusCaption") as HTMLElement;
  private readonly text = document.getElementById("txtStatus") as HTMLElement;
  readonly cancel = document.getElementById("cmdCancel") as HTMLButtonElement;

  // Starts a report: its caption, its lines, and what the user should not miss.
  report(caption: string, lines: string[], warnings: string[] = []): void {
    this.caption.textContent = caption;
    this.replace(lines);
    this.append(warnings, "warning");
  }

  setCaption(caption: string): void {
    this.caption.textContent = caption;
  }

  replace(lines: string[]): void {
    this.text.replaceChildren();
    this.append(lines, "");
  }

  addLine(line: string, kind = ""): void {
    this.append([line], kind);
  }

  // Continues the last line, as " ok" and "Done." do.
  continueLine(piece: string): void {
    const last = this.text.lastElementChild;
    if (last === null) this.addLine(piece);
    else last.textContent += piece;
  }

  markLastLine(kind: string): void {
    this.text.lastElementChild?.classList.add(kind);
  }

  showCancel(shown: boolean): void {
    this.cancel.hidden = !shown;
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
