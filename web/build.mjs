// Builds the static site: the page's script bundled from src/, its HTML and style, the core's
// module, and the example organ.  node build.mjs CORE_DIR SITE_DIR EXAMPLES_DIR

import * as esbuild from "esbuild";
import { copyFile, mkdir, rm } from "node:fs/promises";
import { join } from "node:path";

const [coreDir, siteDir, examplesDir] = process.argv.slice(2);
if (!coreDir || !siteDir || !examplesDir) {
  console.error("usage: node build.mjs CORE_DIR SITE_DIR EXAMPLES_DIR");
  process.exit(2);
}

const here = new URL(".", import.meta.url).pathname;
await rm(siteDir, { recursive: true, force: true });
await mkdir(join(siteDir, "examples"), { recursive: true });
await esbuild.build({
  entryPoints: [join(here, "src/main.ts")],
  outfile: join(siteDir, "app.js"),
  bundle: true,
  format: "esm",
  target: ["es2022"],
  minify: true,
  sourcemap: false,
  logLevel: "warning",
});
const copies = [
  [join(here, "index.html"), "index.html"],
  [join(here, "style.css"), "style.css"],
  [join(coreDir, "zkt-core.mjs"), "zkt-core.mjs"],
  [join(coreDir, "zkt-core.wasm"), "zkt-core.wasm"],
  [join(examplesDir, "three-manuals.zkt"), "examples/three-manuals.zkt"],
];
for (const [from, to] of copies) await copyFile(from, join(siteDir, to));
