// The link's clockwork on the page: the 100 ms tick at the times the link asks for (it keeps
// step with the write pauses), and the simulated chain woken whenever its next message is due,
// so that it runs in real time as the desktop's does. The wake-ups come from a worker (see
// ticker_worker.ts); should it fail to start, the page's own timers stand in.

import type { DeviceLink } from "./link_core";

class Waker {
  private readonly waiting = new Map<number, () => void>();
  private nextId = 1;
  private worker: Worker | null = null;

  constructor() {
    try {
      this.worker = new Worker(new URL("./ticker.js", import.meta.url), { type: "module" });
      this.worker.onmessage = (event: MessageEvent<number>) => this.fire(event.data);
      this.worker.onerror = () => this.useOwnTimers();
    } catch {
      this.worker = null;
    }
  }

  after(delay: number, run: () => void): number {
    const id = this.nextId++;
    this.waiting.set(id, run);
    if (this.worker !== null) this.worker.postMessage({ id, delay });
    else setTimeout(() => this.fire(id), delay);
    return id;
  }

  cancel(id: number): void {
    this.waiting.delete(id);
  }

  private fire(id: number): void {
    const run = this.waiting.get(id);
    this.waiting.delete(id);
    run?.();
  }

  // Whatever was asked of the worker is asked again of the page's timers.
  private useOwnTimers(): void {
    this.worker?.terminate();
    this.worker = null;
    for (const id of this.waiting.keys()) setTimeout(() => this.fire(id), 0);
  }
}

export class LinkTimer {
  private readonly waker = new Waker();
  private simulationWake = 0;

  // afterWork runs after every call that may have made the link report something.
  constructor(private readonly link: DeviceLink, private readonly afterWork: () => void) {}

  start(): void {
    this.tick();
  }

  // After a command or received MIDI: the events are shown and the simulated chain woken in time.
  workDone(): void {
    this.afterWork();
    this.waker.cancel(this.simulationWake);
    const due = this.link.simulationDue();
    if (due !== null) this.simulationWake = this.waker.after(due, () => {
      this.link.advanceSimulation();
      this.workDone();
    });
  }

  private readonly tick = (): void => {
    const next = this.link.tick();
    this.workDone();
    this.waker.after(next, this.tick);
  };
}
