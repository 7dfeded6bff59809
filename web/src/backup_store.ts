// The backups a write takes of what the ZKT held, kept in the browser's own storage
// (IndexedDB) as the desktop keeps them in its backups folder: the newest 50, each the text of
// a .zkt file with the time it was taken and its number of manuals.

import { words } from "./page_texts";

export interface Backup {
  name: string; // "2026-12-08_14-05-31.zkt"
  takenAt: string; // "2026-12-08 14:05:31"
  manuals: number;
  text: string;
}

const databaseName = "zktconfig";
const storeName = "backups";
const backupsKept = 50;

function done<T>(request: IDBRequest<T>): Promise<T> {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error ?? new Error(words().storage.failed));
  });
}

function openDatabase(): Promise<IDBDatabase> {
  if (typeof indexedDB === "undefined") return Promise.reject(new Error(words().storage.none));
  const request = indexedDB.open(databaseName, 1);
  request.onupgradeneeded = () => request.result.createObjectStore(storeName, { keyPath: "id", autoIncrement: true });
  return done(request);
}

async function withStore<T>(mode: IDBTransactionMode, work: (store: IDBObjectStore) => Promise<T>): Promise<T> {
  const database = await openDatabase();
  try {
    const transaction = database.transaction(storeName, mode);
    const finished = new Promise<void>((resolve, reject) => {
      transaction.oncomplete = () => resolve();
      transaction.onabort = transaction.onerror = () => reject(transaction.error ?? new Error(words().storage.failed));
    });
    // Awaited below only when the work succeeds; a failed work's abort is its own error.
    finished.catch(() => {});
    const result = await work(transaction.objectStore(storeName));
    await finished;
    return result;
  } finally {
    database.close();
  }
}

// Keeps the backup and lets the oldest beyond the newest 50 go. Rejects with the browser's reason.
export function keepBackup(backup: Backup): Promise<void> {
  return withStore("readwrite", async (store) => {
    await done(store.add({ ...backup }));
    const keys = (await done(store.getAllKeys())) as number[];
    keys.sort((a, b) => b - a);
    for (const key of keys.slice(backupsKept)) store.delete(key);
  });
}

// Newest first.
export async function listBackups(): Promise<Backup[]> {
  const stored = await withStore("readonly", (store) => done(store.getAll()));
  return (stored as (Backup & { id: number })[]).sort((a, b) => b.id - a.id);
}
