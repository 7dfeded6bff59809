// The page offline: every file of the site is kept in the browser's cache at the first visit,
// and from the next opening on the page comes from there, with or without a network. A new
// version of the site is kept beside the old one and used once every window of the old one is
// closed, so that one page never mixes the files of two versions.

// Filled in by the build: the site's files and a hash of their contents.
declare const siteFiles: string[];
declare const siteVersion: string;

interface ExtendableEvent extends Event {
  waitUntil(work: Promise<unknown>): void;
}
interface FetchEvent extends Event {
  readonly request: Request;
  respondWith(response: Promise<Response>): void;
}
interface WorkerScope {
  addEventListener(type: "install" | "activate", listener: (event: ExtendableEvent) => void): void;
  addEventListener(type: "fetch", listener: (event: FetchEvent) => void): void;
  readonly location: Location;
}

const scope = self as unknown as WorkerScope;
const cachePrefix = "zktconfig-";
const cacheName = `${cachePrefix}${siteVersion}`;

scope.addEventListener("install", (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(siteFiles)));
});

scope.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) =>
    Promise.all(names.filter((name) => name.startsWith(cachePrefix) && name !== cacheName).map((name) => caches.delete(name)))));
});

scope.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== scope.location.origin) return;
  // "?example" and the like are the same page.
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(request)));
});
