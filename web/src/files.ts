// Files in and out of the page: reading what the user chose or dropped, and handing the page's
// files over as downloads. Nothing is sent anywhere; the browser saves them where the user says.

import { filled, words } from "./page_texts";

// A configuration is at most five lines of 782 characters; anything much larger is not one, and
// reading it whole would only burden the page.
const largestConfiguration = 1024 * 1024;

export class FileTooLarge extends Error {}

export async function readConfigurationFile(file: File): Promise<string> {
  if (file.size > largestConfiguration)
    throw new FileTooLarge(filled(words().files.tooLarge, file.name, file.size));
  return file.text();
}

export function download(fileName: string, contents: string, type: string): void {
  const url = URL.createObjectURL(new Blob([contents], { type }));
  const link = document.createElement("a");
  link.href = url;
  link.download = fileName;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  // The download has taken its copy once the click has been handled.
  setTimeout(() => URL.revokeObjectURL(url), 0);
}

// "organ.zkt" -> "organ.json".
export function withExtension(fileName: string, extension: string): string {
  const dot = fileName.lastIndexOf(".");
  return `${dot > 0 ? fileName.slice(0, dot) : fileName}${extension}`;
}
