// Builds the static site: the page's script bundled from src/ (with the worker that keeps its
// timer's pace), its HTML, style, manifest and icons, the core's module, the example organ, and
// the service worker that keeps all of them for use offline.
//   node build.mjs CORE_DIR SITE_DIR EXAMPLES_DIR

import * as esbuild from "esbuild";
import { createHash } from "node:crypto";
import { copyFile, mkdir, readFile, readdir, rm } from "node:fs/promises";
import { join, relative } from "node:path";

const [coreDir, siteDir, examplesDir] = process.argv.slice(2);
if (!coreDir || !siteDir || !examplesDir) {
  console.error("usage: node build.mjs CORE_DIR SITE_DIR EXAMPLES_DIR");
  process.exit(2);
}

const here = new URL(".", import.meta.url).pathname;
const bundle = { bundle: true, format: "esm", target: ["es2022"], minify: true, sourcemap: false, logLevel: "warning" };
await rm(siteDir, { recursive: true, force: true });
await mkdir(join(siteDir, "examples"), { recursive: true });
await mkdir(join(siteDir, "icons"), { recursive: true });
await esbuild.build({
  ...bundle,
  entryPoints: { app: join(here, "src/main.ts"), ticker: join(here, "src/ticker_worker.ts") },
  outdir: siteDir,
});
const copies = [
  [join(here, "index.html"), "index.html"],
  [join(here, "style.css"), "style.css"],
  [join(here, "manifest.webmanifest"), "manifest.webmanifest"],
  [join(here, "icons/zktconfig-192.png"), "icons/zktconfig-192.png"],
  [join(here, "icons/zktconfig-512.png"), "icons/zktconfig-512.png"],
  [join(coreDir, "zkt-core.mjs"), "zkt-core.mjs"],
  [join(coreDir, "zkt-core.wasm"), "zkt-core.wasm"],
  [join(examplesDir, "three-manuals.zkt"), "examples/three-manuals.zkt"],
];
for (const [from, to] of copies) await copyFile(from, join(siteDir, to));

// The service worker knows every file and the version they make together.
const files = (await readdir(siteDir, { recursive: true, withFileTypes: true }))
  .filter((entry) => entry.isFile())
  .map((entry) => relative(siteDir, join(entry.parentPath ?? entry.path, entry.name)))
  .sort();
const hash = createHash("sha256");
for (const file of files) hash.update(file).update(await readFile(join(siteDir, file)));
await esbuild.build({
  ...bundle,
  entryPoints: [join(here, "src/service_worker.ts")],
  outfile: join(siteDir, "sw.js"),
  define: { siteFiles: JSON.stringify(["./", ...files]), siteVersion: JSON.stringify(hash.digest("hex").slice(0, 16)) },
});
