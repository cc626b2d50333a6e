#!/usr/bin/env python3
"""Sound captured from Wine through ALSA's file plugin.

pace FIFO OUT   Reads the plugin's output from FIFO at the rate its WAV header
                states and writes it to OUT.<n> (one file per device opening)
                until FIFO.stop exists. ALSA's null device takes samples as
                fast as they come, so without this reader Wine's mixer runs
                several times faster than real time; reading at real time
                through a small pipe paces it.
tones FILE      Prints the tone spans of a capture: "first=<ms> last=<ms>"
                and one "gap=<start ms>,<length ms>" per silence of 20 ms or
                more between tones.
splice FILE OUT START LENGTH KEEP
                Copies FILE to OUT (same format) with the silence of LENGTH ms
                at START ms replaced by KEEP ms of silence.
"""
import array
import fcntl
import os
import struct
import sys
import time

F_SETPIPE_SZ = 1031
THRESHOLD = 0.05  # of full scale


def pace(fifo, out):
    session = 0
    while not os.path.exists(fifo + ".stop"):
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
        start = time.monotonic()
        got = 0
        with open("%s.%d.wav" % (out, session), "wb") as f:
            f.write(head)
            while True:
                due = int((time.monotonic() - start) * per_second) - got
                if due <= 0:
                    time.sleep(0.002)
                    continue
                chunk = os.read(fd, min(due, 65536))
                if not chunk:
                    break
                f.write(chunk)
                got += len(chunk)
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
    else:
        sys.exit("unknown command " + command)
