// Makes the page's TypeScript types from the core's declaration of what it answers and what it
// takes (src/web/page_boundary.json), so that tsc holds the page to it.
//
//   node tools/boundary_types.mjs DECLARATION OUTPUT

import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { dirname } from "node:path";

const [declarationPath, outputPath] = process.argv.slice(2);
if (!declarationPath || !outputPath) {
  console.error("usage: node tools/boundary_types.mjs DECLARATION OUTPUT");
  process.exit(2);
}
const declaration = JSON.parse(readFileSync(declarationPath, "utf8"));
const known = new Set(Object.keys(declaration.types));

// "string // comment" → { type: "string", comment: "comment" }
function split(text) {
  const at = text.indexOf(" //");
  return at < 0 ? { type: text.trim(), comment: "" } : { type: text.slice(0, at).trim(), comment: text.slice(at + 3).trim() };
}

function single(part, where) {
  if (part.endsWith("[]")) {
    const element = single(part.slice(0, -2), where);
    return /^[\w"]+$/.test(element) ? `${element}[]` : `(${element})[]`;
  }
  if (/^'[^']*'$/.test(part)) return JSON.stringify(part.slice(1, -1));
  if (["true", "false", "string", "boolean", "null"].includes(part)) return part;
  if (part === "number" || part === "integer") return "number";
  if (known.has(part)) return part;
  throw new Error(`${where}: "${part}" is no type`);
}

function typeOf(value, where, indent) {
  if (typeof value === "string") return split(value).type.split("|").map((part) => single(part.trim(), where)).join(" | ");
  if (Array.isArray(value)) return value.map((alternative) => objectOf(alternative, where, indent)).join(" | ");
  return objectOf(value, where, indent);
}

function members(object, where, indent) {
  const lines = [];
  for (const [name, value] of Object.entries(object)) {
    if (name === "...") continue;
    const optional = name.endsWith("?");
    const key = optional ? name.slice(0, -1) : name;
    const comment = typeof value === "string" && split(value).comment ? ` // ${split(value).comment}` : "";
    lines.push(`${indent}${key}${optional ? "?" : ""}: ${typeOf(value, `${where}.${key}`, indent + "  ")};${comment}`);
  }
  return lines;
}

function objectOf(object, where, indent) {
  const inner = members(object, where, indent + "  ");
  if (inner.every((line) => !line.includes("//")) && inner.join(" ").length < 90)
    return `{ ${inner.map((line) => line.trim()).join(" ")} }`;
  return `{\n${inner.join("\n")}\n${indent.slice(2)}}`;
}

const out = [
  "// Made by tools/boundary_types.mjs from src/web/page_boundary.json: change that file, not this.",
  "",
];
for (const [name, value] of Object.entries(declaration.types)) {
  if (Array.isArray(value)) {
    out.push(`export type ${name} =`);
    for (const alternative of value) out.push(`  | ${objectOf(alternative, name, "    ")}`);
    out[out.length - 1] += ";";
  } else {
    const base = value["..."];
    if (base !== undefined && !known.has(base)) throw new Error(`${name}: "${base}" is no type`);
    out.push(`export interface ${name}${base ? ` extends ${base}` : ""} {`, ...members(value, name, "  "), "}");
  }
  out.push("");
}
for (const [name, value] of Object.entries(declaration.inputs)) out.push(`export type ${name} = ${typeOf(value, name, "")};`, "");
for (const table of ["sessionAnswers", "linkAnswers"]) {
  const name = table[0].toUpperCase() + table.slice(1);
  out.push(`// What each call answers, as JSON text.`, `export interface ${name} {`, ...members(declaration[table], name, "  "), "}", "");
}
mkdirSync(dirname(outputPath), { recursive: true });
writeFileSync(outputPath, out.join("\n"));
