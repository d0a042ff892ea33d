#!/usr/bin/env python3
"""Synthesise the game's sound clips into resources/sounds/.

    python3 tools/make_sounds.py

Everything is computed from plain arithmetic (no random numbers), so each run
writes byte-for-byte the same files.  The RIFF/WAVE containers are written by
hand with struct: WIN.wav carries a LIST/INFO chunk after its data, which the
standard wave module cannot produce.  At the end every file is read back and
checked.
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.45  # fraction of full scale; loud enough without being harsh
FADE = 0.005  # seconds of raised-cosine fade at both ends of every clip

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "resources", "sounds")


def sample_count(seconds):
    return int(round(seconds * RATE))


def fade_ends(samples, seconds=FADE):
    """Raised-cosine fade-in and fade-out, so clips never start or stop with a step."""
    n = len(samples)
    k = min(max(1, int(seconds * RATE)), n // 2)
    out = list(samples)
    for i in range(k):
        g = 0.5 - 0.5 * math.cos(math.pi * i / k)
        out[i] *= g
        out[n - 1 - i] *= g
    return out


def normalise(samples, peak=PEAK):
    top = max(abs(s) for s in samples)
    if top == 0:
        return list(samples)
    return [s * peak / top for s in samples]


def soft_square(phase, harmonics=4):
    """Band-limited square: the first few odd harmonics, so it buzzes without aliasing."""
    return sum(math.sin((2 * h + 1) * phase) / (2 * h + 1) for h in range(harmonics))


def make_move():
    # A short woody tick: a ~900 Hz blip with a touch of octave, dying away fast.
    n = sample_count(0.07)
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t * 70.0)
        v = math.sin(2 * math.pi * 900.0 * t) + 0.25 * math.sin(2 * math.pi * 1800.0 * t)
        out.append(env * v)
    return normalise(fade_ends(out, 0.003))


def make_error():
    # Two low buzzy tones stepping down: "no, that's not allowed".
    n = sample_count(0.70)
    notes = [(0.00, 0.32, 220.0), (0.34, 0.70, 164.8)]
    out = [0.0] * n
    for start, end, freq in notes:
        i0, i1 = sample_count(start), min(n, sample_count(end))
        length = i1 - i0
        attack = int(0.01 * RATE)
        release = int(0.06 * RATE)
        for j in range(length):
            t = j / RATE
            env = 1.0
            if j < attack:
                env = j / attack
            elif j > length - release:
                env = (length - j) / release
            env *= 0.75 + 0.25 * math.exp(-t * 6.0)
            out[i0 + j] += env * soft_square(2 * math.pi * freq * t)
    return normalise(fade_ends(out))


def make_win():
    # Rising arpeggio C5-E5-G5-C6, the last note held and ringing out.
    n = sample_count(1.02)
    notes = [
        (0.00, 523.25, 0.30),
        (0.15, 659.26, 0.30),
        (0.30, 783.99, 0.30),
        (0.45, 1046.50, 0.57),
    ]
    out = [0.0] * n
    for start, freq, dur in notes:
        i0 = sample_count(start)
        length = min(n - i0, sample_count(dur))
        attack = int(0.008 * RATE)
        for j in range(length):
            t = j / RATE
            env = math.exp(-t * 3.5)
            if j < attack:
                env *= j / attack
            tail = length - j
            if tail < attack * 4:
                env *= tail / (attack * 4)
            v = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)
            out[i0 + j] += env * v
    return normalise(fade_ends(out))


def make_lose():
    # A sad glide down an octave with a slow wobble, fading as it falls.
    n = sample_count(0.83)
    f0, f1 = 392.0, 196.0
    dur = n / RATE
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = f0 * (f1 / f0) ** (t / dur) * (1.0 + 0.012 * math.sin(2 * math.pi * 5.0 * t))
        phase += 2 * math.pi * freq / RATE
        env = (1.0 - 0.6 * t / dur) * min(1.0, t / 0.02)
        v = math.sin(phase) + 0.35 * math.sin(2 * phase) + 0.15 * math.sin(3 * phase)
        out.append(env * v)
    return normalise(fade_ends(out, 0.04))


def pcm16(samples):
    return b"".join(
        struct.pack("<h", max(-32768, min(32767, int(round(s * 32767))))) for s in samples
    )


def pcm8(samples):
    return bytes(max(0, min(255, 128 + int(round(s * 127)))) for s in samples)


def chunk(tag, payload):
    """One RIFF chunk; odd-sized payloads get the pad byte RIFF requires."""
    data = tag + struct.pack("<I", len(payload)) + payload
    if len(payload) % 2:
        data += b"\0"
    return data


def info_list(fields):
    """LIST/INFO chunk; each text is NUL-terminated as usual for INFO strings."""
    body = b"INFO"
    for tag, text in fields:
        body += chunk(tag, text.encode("ascii") + b"\0")
    return chunk(b"LIST", body)


def riff_wave(frames, bits, extra=b""):
    channels = 1
    block_align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, RATE, RATE * block_align, block_align, bits)
    body = b"WAVE" + chunk(b"fmt ", fmt) + chunk(b"data", frames) + extra
    return b"RIFF" + struct.pack("<I", len(body)) + body


def sub_chunks(blob):
    """(tag, payload) pairs of a run of chunks; raises if they do not tile the blob."""
    pos, found = 0, []
    while pos < len(blob):
        if pos + 8 > len(blob):
            raise ValueError("truncated chunk header")
        tag = blob[pos:pos + 4]
        n = struct.unpack("<I", blob[pos + 4:pos + 8])[0]
        found.append((tag, blob[pos + 8:pos + 8 + n]))
        pos += 8 + n + (n % 2)
    if pos != len(blob):
        raise ValueError("chunks overrun the end of their container")
    return found


def riff_chunks(blob):
    """(tag, payload) pairs at the top level of a RIFF/WAVE file."""
    if blob[:4] != b"RIFF" or blob[8:12] != b"WAVE":
        raise ValueError("not a RIFF/WAVE file")
    size = struct.unpack("<I", blob[4:8])[0]
    if size + 8 != len(blob):
        raise ValueError("RIFF size %d does not match file length %d" % (size, len(blob)))
    return sub_chunks(blob[12:])


CLIPS = [
    # name, synthesiser, bits, seconds, INFO fields (or None)
    ("MOVE.wav", make_move, 16, 0.07, None),
    ("ERROR.wav", make_error, 16, 0.70, None),
    ("WIN.wav", make_win, 8, 1.02, [(b"INAM", "Victory"), (b"ISFT", "tools/make_sounds.py")]),
    ("LOSE.wav", make_lose, 16, 0.83, None),
]


def check(path, bits, seconds, info):
    problems = []
    with wave.open(path, "rb") as w:
        if w.getnchannels() != 1:
            problems.append("channels %d" % w.getnchannels())
        if w.getframerate() != RATE:
            problems.append("rate %d" % w.getframerate())
        if w.getsampwidth() != bits // 8:
            problems.append("sample width %d" % w.getsampwidth())
        if w.getnframes() != sample_count(seconds):
            problems.append("frames %d" % w.getnframes())
        frames = w.readframes(w.getnframes())
    if bits == 16:
        values = [v / 32768 for v in struct.unpack("<%dh" % (len(frames) // 2), frames)]
    else:
        values = [(b - 128) / 128 for b in frames]
    top = max(abs(v) for v in values)
    if not 0.35 <= top <= 0.55:
        problems.append("peak %.2f" % top)
    if abs(values[0]) > 0.01 or abs(values[-1]) > 0.01:
        problems.append("no fade at the ends")
    with open(path, "rb") as f:
        chunks = riff_chunks(f.read())
    tags = [t for t, _ in chunks]
    if info:
        lists = [p for t, p in chunks if t == b"LIST" and p[:4] == b"INFO"]
        if not lists or tags.index(b"LIST") < tags.index(b"data"):
            problems.append("LIST/INFO chunk missing or before data")
        else:
            have = dict((t, p.rstrip(b"\0").decode("ascii")) for t, p in sub_chunks(lists[0][4:]))
            for tag, text in info:
                if have.get(tag) != text:
                    problems.append("INFO %s is %r" % (tag.decode(), have.get(tag)))
    elif b"LIST" in tags:
        problems.append("unexpected LIST chunk")
    return problems


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, synth, bits, seconds, info in CLIPS:
        samples = synth()
        frames = pcm16(samples) if bits == 16 else pcm8(samples)
        extra = info_list(info) if info else b""
        path = os.path.join(OUT_DIR, name)
        with open(path, "wb") as f:
            f.write(riff_wave(frames, bits, extra))

    failed = False
    for name, _, bits, seconds, info in CLIPS:
        path = os.path.join(OUT_DIR, name)
        problems = check(path, bits, seconds, info)
        status = "ok" if not problems else "BAD: " + ", ".join(problems)
        print("%-10s %6d bytes  %s" % (name, os.path.getsize(path), status))
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
