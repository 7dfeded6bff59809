// The status area (the desktop's status window, frmStatus): a caption and the lines the file
// commands report, the newest kept in view.

const maximumLines = 200;

export class StatusArea {
  private readonly caption = document.getElementById("lblStatusCaption") as HTMLElement;
  private readonly text = document.getElementById("txtStatus") as HTMLElement;

  // Starts a report: its caption and its first lines.
  report(caption: string, lines: string[]): void {
    this.caption.textContent = caption;
    this.text.replaceChildren();
    this.append(lines);
  }

  append(lines: string[]): void {
    for (const line of lines) {
      const entry = document.createElement("p");
      entry.textContent = line;
      this.text.append(entry);
    }
    while (this.text.childElementCount > maximumLines) this.text.firstElementChild?.remove();
    this.text.scrollTop = this.text.scrollHeight;
  }
}
