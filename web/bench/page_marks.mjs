// Run in the page: notes when each status line a bench waits for first shows and when the write
// dialog comes, and gives benchStart(id), which clicks the command with that id and starts the
// clock. The benches read window.benchMarks.

export function watchPage() {
  window.benchMarks = {};
  const mark = (name) => (window.benchMarks[name] ??= performance.now());
  new MutationObserver(() => {
    const text = document.getElementById("txtStatus").innerText;
    for (const wanted of ["ZKT Configuration data loaded!", "Verified: every manual in the chain matches the configuration."])
      if (text.includes(wanted)) mark(wanted);
    if (document.getElementById("frmWrite") !== null) mark("dialog");
  }).observe(document.body, { childList: true, subtree: true, characterData: true });
  window.benchStart = (id) => {
    window.benchMarks = { start: performance.now() };
    document.getElementById(id).click();
  };
}
