// A Web MIDI test double, installed in the page before its scripts run (page.addInitScript):
// navigator.requestMIDIAccess answers with one input and one output, "ZKT USB MIDI", cabled to a
// chain of MCUs of its own, written here from the wire format alone (not from the core), which
// answers as the encoder chain does: counts the tag, answers identity and program requests,
// stores program updates (losing one that comes while it writes its flash) and reboots. It
// takes the time the wire takes and hands SysEx to the page in pieces. window.midiDouble lets a
// test look at the chain, unplug it, and count what it stored.
//
// options: { access: "granted" | "denied" | "failed" | "absent", inUse: bool, images: [hex lines],
//   hardwareType: what the MCUs say they are (18 unless given) }

export function installMidiDouble(options) {
  const byteMs = 0.32; // 31250 baud
  const flashMs = 400;
  const rebootMs = 50;
  const maker = [0x00, 0x2f, 0x71];
  const hardwareType = options.hardwareType ?? 18;

  if (options.access === "absent") {
    delete Navigator.prototype.requestMIDIAccess;
    return;
  }

  const fromHex = (line) => line.trim().split(/\s+/).slice(0, 256).map((h) => parseInt(h, 16));
  const mcus = options.images.map((line) => ({ image: fromHex(line), busyUntil: 0, silentUntil: 0 }));
  const chain = { stored: 0, lostWhileBusy: 0, sent: [], unplugged: false, asked: 0 };

  const pack7 = (data) => {
    const packed = [];
    for (let start = 0; start < data.length; start += 7) {
      const group = data.slice(start, start + 7);
      packed.push(group.reduce((header, byte, k) => header | ((byte & 0x80) ? 1 << (6 - k) : 0), 0));
      packed.push(...group.map((byte) => byte & 0x7f));
    }
    return packed;
  };
  const unpack7 = (packed) => {
    const data = [];
    for (let start = 0; start < packed.length; start += 8) {
      const header = packed[start];
      packed.slice(start + 1, start + 8).forEach((byte, k) => data.push(byte | ((header & (1 << (6 - k))) ? 0x80 : 0)));
    }
    return data;
  };
  const address = (bytes) => bytes[0] | (bytes[1] << 7) | (bytes[2] << 14);
  const addressBytes = (value) => [value & 0x7f, (value >> 7) & 0x7f, (value >> 14) & 0x7f];
  const isMaker = (m) => m[0] === 0xf0 && m[1] === maker[0] && m[2] === maker[1] && m[3] === maker[2];

  // What MCU `manual` (1-based) sends on for a message that reached it at time `now`: the
  // message (a tag counted), then its answers.
  const pass = (manual, message, now) => {
    const mcu = mcus[manual - 1];
    const out = [message];
    if (isMaker(message) && message[4] === 0x7f && message[5] === 0x04 && message[6] === 0x02) {
      out[0] = [...message.slice(0, 7), message[7] + 1, 0xf7];
      return out;
    }
    const silent = now < mcu.silentUntil;
    if (message[0] === 0xf0 && message[1] === 0x7e && message[2] === manual && message[3] === 0x06 && message[4] === 0x01) {
      if (!silent) out.push([0xf0, 0x7e, manual, 0x06, 0x02, ...maker, 0x00, 0x01, 2, 1, 6, 4, 17, 0x00, 0, 0, 1, 0, hardwareType, 0, 0xf7]);
      return out;
    }
    if (!isMaker(message) || (message[4] !== manual && message[4] !== 0x7f) || message[5] !== 0x04 || message[6] !== 0x01)
      return out;
    const command = message[7];
    if (command === 0x20) {
      mcu.silentUntil = now + rebootMs;
    } else if (command === 0x03 && message[4] === manual && !silent) {
      const start = address(message.slice(8, 11));
      for (let chunk = 0; chunk < 4; ++chunk) {
        const at = start + chunk * 64;
        out.push([0xf0, ...maker, manual, 0x04, 0x01, 0x04, ...addressBytes(at), ...pack7(mcu.image.slice(at, at + 64)), 0xf7]);
      }
    } else if (command === 0x08 && message[4] === manual) {
      if (now < mcu.busyUntil) {
        chain.lostWhileBusy += 1;
      } else {
        const at = address(message.slice(10, 13));
        unpack7(message.slice(14, -1)).forEach((byte, i) => (mcu.image[at + i] = byte));
        mcu.busyUntil = now + flashMs;
        chain.stored += 1;
      }
    }
    return out;
  };

  const makePort = (type, id) => {
    const port = new EventTarget();
    Object.assign(port, { id, name: "ZKT USB MIDI", manufacturer: "Test", version: "1", type, state: "connected",
      connection: "closed", onstatechange: null });
    port.open = () => {
      if (options.inUse) return Promise.reject(new DOMException("Port is not available", "InvalidAccessError"));
      port.connection = "open";
      return Promise.resolve(port);
    };
    port.close = () => {
      port.connection = "closed";
      return Promise.resolve(port);
    };
    return port;
  };
  const input = makePort("input", "in-1");
  const output = makePort("output", "out-1");
  let handler = null;
  Object.defineProperty(input, "onmidimessage", {
    get: () => handler,
    set: (value) => {
      handler = value;
      if (value !== null) input.connection = "open";
    },
  });
  // The computer's input: each message arrives once it has crossed every hop, in two pieces.
  const deliver = (message, afterMs) => setTimeout(() => {
    if (chain.unplugged || handler === null) return;
    const cut = Math.ceil(message.length / 2);
    for (const piece of [message.slice(0, cut), message.slice(cut)])
      handler({ data: Uint8Array.from(piece), timeStamp: performance.now() });
  }, afterMs);
  let wireFreeAt = 0;
  output.send = (data) => {
    if (output.state !== "connected") throw new DOMException("The port is disconnected", "InvalidStateError");
    const message = Array.from(data);
    chain.sent.push(message);
    const now = performance.now();
    // One message at a time on the wire; each MCU acts on a message once it has it whole.
    let at = Math.max(now, wireFreeAt) + message.length * byteMs;
    wireFreeAt = at;
    let travelling = [message];
    for (let manual = 1; manual <= mcus.length; ++manual) {
      travelling = travelling.flatMap((m) => pass(manual, m, at));
      at += travelling.reduce((sum, m) => sum + m.length, 0) * byteMs;
    }
    for (const m of travelling) deliver(m, at - now);
  };

  const access = new EventTarget();
  Object.assign(access, { inputs: new Map([[input.id, input]]), outputs: new Map([[output.id, output]]),
    sysexEnabled: true, onstatechange: null });
  const changed = (port) => {
    const event = Object.assign(new Event("statechange"), { port });
    access.onstatechange?.(event);
    access.dispatchEvent(event);
  };

  navigator.requestMIDIAccess = (requested) => {
    chain.asked += 1;
    if (options.access === "denied")
      return Promise.reject(new DOMException("Permission to use MIDI denied", "SecurityError"));
    if (options.access === "failed")
      return Promise.reject(new DOMException("Platform dependent initialization failed.", "InvalidStateError"));
    if (requested?.sysex !== true) return Promise.reject(new DOMException("SysEx was not asked for", "SecurityError"));
    return Promise.resolve(access);
  };

  window.midiDouble = {
    images: () => mcus.map((mcu) => mcu.image.map((b) => b.toString(16).padStart(2, "0")).join(" ")),
    counts: () => ({ stored: chain.stored, lostWhileBusy: chain.lostWhileBusy, sent: chain.sent.length, asked: chain.asked }),
    unplug: () => {
      chain.unplugged = true;
      for (const port of [input, output]) {
        port.state = "disconnected";
        changed(port);
      }
    },
  };
}
