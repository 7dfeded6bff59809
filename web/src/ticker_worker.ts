// Wakes the page when it asks: {id, delay} in, the id back after delay milliseconds. A dedicated
// worker's timers keep their pace while the page is in the background, where browsers slow the
// page's own timers down to once a second and less, and a write would crawl.

const worker = self as unknown as { onmessage: ((event: MessageEvent<{ id: number; delay: number }>) => void) | null; postMessage(id: number): void };

worker.onmessage = (event) => {
  const { id, delay } = event.data;
  setTimeout(() => worker.postMessage(id), delay);
};
