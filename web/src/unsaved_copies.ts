// The copy of unsaved changes that outlives a closed tab, a crash or a killed browser, kept as
// the core's schedule says. Every tab keeps its own, under an id of its own, in IndexedDB: the
// engines' localStorage loses what was written in the last few seconds before the browser is
// killed (measured in Chromium and Firefox), IndexedDB keeps every write that has completed.
//
// Whether the tab that kept a copy is still open is told by a Web Lock of the copy's name, which
// the tab holds from its start until it ends: the browser lets it go with the tab, however the
// tab ended. A visit offers a copy only once it has taken that lock itself, so neither an open
// tab's copy nor one that another visit is offering at the same time is ever offered.

import type { RecoveredChanges, RecoveryWork, Session } from "./core";
import { words } from "./page_texts";

const databaseName = "zktconfig-unsaved-changes";
const storeName = "copies";
const lockPrefix = "zktconfig.unsaved-changes.";

// A copy no open tab holds, claimed until it is recovered or discarded.
export interface FoundCopy {
  text: string;
  changes: RecoveredChanges;
  // It becomes this tab's copy, for as long as the recovered changes stay unsaved.
  adopt(): void;
  discard(): void;
}

function newTabId(): string {
  if (typeof crypto.randomUUID === "function") return crypto.randomUUID();
  return Array.from(crypto.getRandomValues(new Uint8Array(16)), (b) => b.toString(16).padStart(2, "0")).join("");
}

function reasonOf(error: unknown): string {
  if (error instanceof DOMException || error instanceof Error) return error.message || error.name;
  return String(error);
}

function done<T>(request: IDBRequest<T>): Promise<T> {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error ?? new Error(words().storage.failed));
  });
}

function completed(transaction: IDBTransaction): Promise<void> {
  return new Promise((resolve, reject) => {
    transaction.oncomplete = () => resolve();
    transaction.onabort = transaction.onerror = () => reject(transaction.error ?? new Error(words().storage.failed));
  });
}

// The lock of that name if no one holds it, with what lets it go; null when someone does.
function claim(name: string): Promise<(() => void) | null> {
  return new Promise((resolve, reject) => {
    navigator.locks
      .request(name, { ifAvailable: true }, (lock) => {
        if (lock === null) {
          resolve(null);
          return undefined;
        }
        return new Promise<void>((release) => resolve(() => release()));
      })
      .catch(reject);
  });
}

export class UnsavedCopies {
  private readonly id = newTabId();
  private database: IDBDatabase | null = null;
  // Why nothing can be kept; said once, at the first copy that is not kept.
  private refusal: string | null = null;
  private told = false;
  private starting = true;
  // What was asked while the storage was still opening: the text to keep, or null to remove.
  private pending: string | null | undefined;
  private timer: ReturnType<typeof setTimeout> | undefined;

  // say: where the page tells the user, once, that no copy could be kept.
  constructor(private readonly session: Session, private readonly say: (text: string) => void) {
    // A tab that is hidden may be ended without another word (a phone's browser does it), and
    // one that is closed, reloaded or left runs no timer again.
    const leaving = () => this.follow(this.session.recoveryLeaving());
    addEventListener("pagehide", leaving);
    document.addEventListener("visibilitychange", () => {
      if (document.visibilityState === "hidden") leaving();
    });
  }

  // Opens the storage and takes this tab's lock; then finds the newest copy that no open tab
  // holds, claimed, or null. Entries that are no copy and belong to no open tab are removed.
  async start(): Promise<FoundCopy | null> {
    try {
      if (typeof indexedDB === "undefined") throw new Error(words().storage.none);
      if (navigator.locks === undefined) throw new Error(words().storage.noLocks);
      await this.holdOwnLock();
      this.database = await this.openDatabase();
      return await this.findOrphan();
    } catch (error) {
      this.refusal = reasonOf(error);
      return null;
    } finally {
      this.starting = false;
      if (this.pending !== undefined) this.store(this.pending);
    }
  }

  follow(work: RecoveryWork[]): void {
    for (const item of work) {
      switch (item.do) {
        case "startTimer":
          clearTimeout(this.timer);
          this.timer = setTimeout(() => {
            this.timer = undefined;
            this.follow(this.session.recoveryTimerEnded());
          }, item.ms);
          break;
        case "stopTimer":
          clearTimeout(this.timer);
          this.timer = undefined;
          break;
        case "keep":
          this.store(item.text);
          break;
        case "remove":
          clearTimeout(this.timer);
          this.timer = undefined;
          this.store(null);
          break;
        case "notKept":
          this.tell(item.error);
          break;
      }
    }
  }

  private async holdOwnLock(): Promise<void> {
    if ((await claim(lockPrefix + this.id)) === null) throw new Error(words().storage.lockRefused);
  }

  private async openDatabase(): Promise<IDBDatabase> {
    const request = indexedDB.open(databaseName, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(storeName);
    const database = await done(request);
    // A later version of the page may need the database changed: it is let go.
    database.onversionchange = () => {
      database.close();
      this.database = null;
    };
    return database;
  }

  private async findOrphan(): Promise<FoundCopy | null> {
    const database = this.database!;
    const transaction = database.transaction(storeName, "readonly");
    const [keys, values] = await Promise.all([
      done(transaction.objectStore(storeName).getAllKeys()),
      done(transaction.objectStore(storeName).getAll()),
    ]);
    const copies: { id: string; text: string; changes: RecoveredChanges }[] = [];
    const foreign: IDBValidKey[] = [];
    keys.forEach((key, i) => {
      const value: unknown = values[i];
      const changes = typeof key === "string" && typeof value === "string" ? this.session.readRecoveryCopy(value) : null;
      if (changes === null) foreign.push(key);
      else copies.push({ id: key as string, text: value as string, changes });
    });
    for (const key of foreign) {
      const release = typeof key === "string" ? await claim(lockPrefix + key) : () => {};
      if (release === null) continue; // an open tab's: it is that tab's business
      await this.removeEntries([key]).catch(() => {});
      release();
    }
    // ISO times in UTC sort as text; a copy that does not say when comes last.
    copies.sort((a, b) => b.changes.keptAt.localeCompare(a.changes.keptAt));
    for (const copy of copies) {
      const release = await claim(lockPrefix + copy.id);
      if (release === null) continue;
      const settle = (work: (store: IDBObjectStore) => void) => {
        const change = database.transaction(storeName, "readwrite");
        work(change.objectStore(storeName));
        completed(change).catch((error) => this.tell(this.session.copyNotKeptText(reasonOf(error)))).finally(release);
      };
      return {
        text: copy.text,
        changes: copy.changes,
        // In one step, so that the changes are never in two tabs' copies or in none.
        adopt: () => settle((store) => {
          store.put(copy.text, this.id);
          store.delete(copy.id);
        }),
        discard: () => settle((store) => store.delete(copy.id)),
      };
    }
    return null;
  }

  private removeEntries(keys: IDBValidKey[]): Promise<void> {
    const transaction = this.database!.transaction(storeName, "readwrite");
    for (const key of keys) transaction.objectStore(storeName).delete(key);
    return completed(transaction);
  }

  // Puts this tab's copy in the storage (null: takes it out). Issued at once and committed
  // straight away, so that it also completes when asked as the tab goes.
  private store(text: string | null): void {
    if (this.starting) {
      this.pending = text;
      return;
    }
    if (this.database === null) {
      if (text !== null) this.tell(this.session.copyNotKeptText(this.refusal ?? words().storage.closed));
      return;
    }
    try {
      const transaction = this.database.transaction(storeName, "readwrite");
      const store = transaction.objectStore(storeName);
      if (text === null) store.delete(this.id);
      else store.put(text, this.id);
      completed(transaction).catch((error) => {
        if (text !== null) this.tell(this.session.copyNotKeptText(reasonOf(error)));
      });
      transaction.commit?.();
    } catch (error) {
      if (text !== null) this.tell(this.session.copyNotKeptText(reasonOf(error)));
    }
  }

  private tell(text: string): void {
    if (this.told) return;
    this.told = true;
    this.say(text);
  }
}
