#!/usr/bin/env python3
"""Sound captured from Wine through ALSA's file plugin.

pace FIFO OUT   Reads the plugin's output from FIFO at the rate its WAV header
                states and writes it to OUT.<n> (one file per device opening)
                until FIFO.stop exists or its parent has ended. ALSA's null device takes samples as
                fast as they come, so without this reader Wine's mixer runs
                several times faster than real time; reading at real time
                through a small pipe paces it.
tones FILE      Prints the tone spans of a capture: "first=<ms> last=<ms>"
                and one "gap=<start ms>,<length ms>" per silence of 20 ms or
                more between tones.
splice FILE OUT START LENGTH KEEP
                Copies FILE to OUT (same format) with the silence of LENGTH ms
                at START ms replaced by KEEP ms of silence.
dot FILE UNIT   Checks that the dots of a capture are as long as UNIT samples
                at 44100 a second, within 1 ms.
check FILE [--hz N] [--first-before S] [--end-between A B]
                Checks the frequency inside the longest tone (within 15 Hz),
                that the first tone begins before S seconds, or that the last
                ends between A and B seconds.
"""
import array
import fcntl
import os
import statistics
import struct
import sys
import time

F_SETPIPE_SZ = 1031
THRESHOLD = 0.05  # of full scale


def pace(fifo, out):
    session = 0
    parent = os.getppid()
    # Ends when told to, or when the script that started it is gone.
    while not os.path.exists(fifo + ".stop") and os.getppid() == parent:
        fd = os.open(fifo, os.O_RDONLY | os.O_NONBLOCK)
        try:
            fcntl.fcntl(fd, F_SETPIPE_SZ, 4096)
        except OSError:
            pass
        os.set_blocking(fd, True)
        head = b""
        while len(head) < 44:
            chunk = os.read(fd, 44 - len(head))
            if not chunk:
                break
            head += chunk
        if len(head) < 44:  # no writer yet
            os.close(fd)
            time.sleep(0.01)
            continue
        channels, rate = struct.unpack("<HI", head[22:28])
        bits = struct.unpack("<H", head[34:36])[0]
        per_second = rate * channels * bits // 8
        # A token bucket of 10 ms: time in which no sound came is not made
        # up for later by reading faster than real time.
        burst = per_second // 100
        credit = 0.0
        last = time.monotonic()
        got = 0
        # Beside each capture, when each piece was read (monotonic seconds,
        # bytes of the file so far): a sound's time out of the mixer.
        with open("%s.%d.wav" % (out, session), "wb") as f, open("%s.%d.times" % (out, session), "w") as times:
            f.write(head)
            while True:
                now = time.monotonic()
                credit = min(burst, credit + (now - last) * per_second)
                last = now
                if credit < 1:
                    time.sleep(0.002)
                    continue
                chunk = os.read(fd, int(credit))
                if not chunk:
                    break
                credit -= len(chunk)
                f.write(chunk)
                got += len(chunk)
                times.write("%.6f %d\n" % (time.monotonic(), 44 + got))
            # The plugin cannot rewrite its header on a pipe: set the sizes.
            f.seek(4)
            f.write(struct.pack("<I", 36 + got))
            f.seek(40)
            f.write(struct.pack("<I", got))
        os.close(fd)
        session += 1


def read(path):
    data = open(path, "rb").read()
    head, body = data[:44], data[44:]
    channels, rate = struct.unpack("<HI", head[22:28])
    bits = struct.unpack("<H", head[34:36])[0]
    code = {8: "b", 16: "h", 32: "i"}[bits]
    body = body[: len(body) // (bits // 8) * (bits // 8)]
    samples = array.array(code, body)
    if bits == 8:
        samples = array.array("i", (s - 128 for s in body))
    return head, body, channels, rate, bits, samples


def loud_frames(path):
    head, body, channels, rate, bits, samples = read(path)
    limit = THRESHOLD * (1 << (bits - 1))
    frames = len(samples) // channels
    loud = [abs(samples[i * channels]) > limit for i in range(frames)]
    return rate, loud


def tones(path):
    rate, loud = loud_frames(path)
    idx = [i for i, v in enumerate(loud) if v]
    if not idx:
        print("silent")
        return
    ms = lambda i: int(i * 1000 / rate)
    print("first=%d last=%d" % (ms(idx[0]), ms(idx[-1])))
    for a, b in zip(idx, idx[1:]):
        if b - a > rate // 50:
            print("gap=%d,%d" % (ms(a), ms(b - a)))


def loud_runs(path):
    """Tone spans at 30 % of the peak, rests shorter than 1 ms bridged (Wine's
    mixer smears each step between silence and full scale), in samples."""
    head, body, channels, rate, bits, samples = read(path)
    s = samples[::channels]
    limit = max(max(s), -min(s)) * 0.3
    runs, start, last = [], None, None
    for i, v in enumerate(s):
        if v > limit or v < -limit:
            if start is None:
                start = i
            elif i - last > rate // 1000:
                runs.append((start, last + 1))
                start = i
            last = i
    if start is not None:
        runs.append((start, last + 1))
    return s, rate, runs


def dot(path, unit):
    # The smear lengthens each tone as measured by the same amount at both
    # ends; the time from the start of a dot to the start of the next element
    # of the same character (dot and gap, two units) does not depend on it.
    s, rate, runs = loud_runs(path)
    unit_ms = int(unit) * 1000.0 / 44100
    ms = lambda n: n * 1000.0 / rate
    dots, steps = [], []
    for (a, b), (c, _) in zip(runs, runs[1:]):
        if unit_ms / 2 < ms(b - a) < 2 * unit_ms:
            dots.append(ms(b - a))
            if ms(c - b) < 2 * unit_ms:  # the gap inside a character
                steps.append(ms(c - a) / 2)
    if len(steps) < 10:
        sys.exit("%s: only %d dots followed by an element" % (path, len(steps)))
    d = statistics.median(steps)
    print("tones %d, dot %.2f ms from %d dot-to-next starts (unit %.2f ms; dot tones measure %.2f ms)"
          % (len(runs), d, len(steps), unit_ms, statistics.median(dots)))
    if abs(d - unit_ms) > 1.0:
        sys.exit("%s: the dot length differs from the unit by more than 1 ms" % path)


def check(path, options):
    s, rate, runs = loud_runs(path)
    if not runs:
        sys.exit("%s: silent" % path)
    first, end = runs[0][0] / rate, runs[-1][1] / rate
    while options:
        option = options.pop(0)
        if option == "--hz":
            want = float(options.pop(0))
            a, b = max(runs, key=lambda r: r[1] - r[0])
            inner = s[a + rate // 100 : b - rate // 100]  # away from the edges
            flips = sum(1 for x, y in zip(inner, inner[1:]) if (x < 0) != (y < 0))
            hz = flips / 2 / (len(inner) / rate)
            print("%s: tone %.0f Hz" % (path, hz))
            if abs(hz - want) > 15:
                sys.exit("%s: the tone is %.0f Hz, not %.0f" % (path, hz, want))
        elif option == "--first-before":
            limit = float(options.pop(0))
            print("%s: first tone at %.2f s" % (path, first))
            if first > limit:
                sys.exit("%s: the first tone began after %.2f s" % (path, first))
        elif option == "--end-between":
            low, high = float(options.pop(0)), float(options.pop(0))
            print("%s: last tone ends at %.2f s" % (path, end))
            if not low < end < high:
                sys.exit("%s: the last tone ends at %.2f s" % (path, end))
        else:
            sys.exit("unknown option " + option)


def splice(path, out, start_ms, length_ms, keep_ms):
    head, body, channels, rate, bits, samples = read(path)
    frame = channels * bits // 8
    a = int(start_ms) * rate // 1000 * frame
    b = a + int(length_ms) * rate // 1000 * frame
    keep = body[a : a + int(keep_ms) * rate // 1000 * frame]
    with open(out, "wb") as f:
        f.write(head)
        f.write(body[:a] + keep + body[b:])


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "pace":
        pace(sys.argv[2], sys.argv[3])
    elif command == "tones":
        tones(sys.argv[2])
    elif command == "splice":
        splice(*sys.argv[2:7])
    elif command == "dot":
        dot(sys.argv[2], sys.argv[3])
    elif command == "check":
        check(sys.argv[2], sys.argv[3:])
    else:
        sys.exit("unknown command " + command)
