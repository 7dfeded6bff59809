// Wakes the page when it asks: {id, delay} in, the id back after delay milliseconds. While the
// page is in the background, browsers slow its own timers down to once a second and less, and a
// write would crawl; a dedicated worker's timers they leave alone (Chrome, Edge and Firefox
// today).

const worker = self as unknown as { onmessage: ((event: MessageEvent<{ id: number; delay: number }>) => void) | null; postMessage(id: number): void };

worker.onmessage = (event) => {
  const { id, delay } = event.data;
  setTimeout(() => worker.postMessage(id), delay);
};
