// The picture of a manual's five octaves, drawn as the desktop draws it.

const svgNamespace = "http://www.w3.org/2000/svg";
const whiteKeys = 35;
// Positions within an octave's seven white keys after which a black key sits.
const blackAfter = [true, true, false, true, true, true, false];

function shape(name: string, attributes: Record<string, string | number>): SVGElement {
  const element = document.createElementNS(svgNamespace, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, String(value));
  return element;
}

export function keyboardPicture(): SVGSVGElement {
  const height = 100;
  const svg = shape("svg", {
    viewBox: `0 0 ${whiteKeys * 10} ${height}`,
    preserveAspectRatio: "none",
    "aria-hidden": "true",
    focusable: "false",
  }) as SVGSVGElement;
  svg.append(shape("rect", { x: 0, y: 0, width: whiteKeys * 10, height, class: "white-keys" }));
  for (let k = 1; k < whiteKeys; ++k) svg.append(shape("line", { x1: k * 10, y1: 0, x2: k * 10, y2: height, class: "key-edge" }));
  for (let k = 0; k < whiteKeys - 1; ++k) {
    if (blackAfter[k % 7]) svg.append(shape("rect", { x: (k + 1) * 10 - 3, y: 0, width: 6, height: height * 0.6, class: "black-key" }));
  }
  svg.append(shape("rect", { x: 0, y: 0, width: whiteKeys * 10, height: 4, class: "key-cheek" }));
  return svg;
}
