#!/usr/bin/env python3
"""Key-to-tone latency of the side tone under Wine's mixer.

side_tone_latency.py BUILD [BOUND_MS]   (SIDE_TONE_ARGS: the program's arguments, e.g. the press count)

Runs BUILD/win/tests/SideToneLatency.exe (inside a Wine session: DISPLAY and
WINEPREFIX set, `wine` on the PATH) with ALSA's file plugin writing into a
FIFO that this script reads at real time, noting the wall clock at which each
chunk arrived. A captured sample is taken as heard when it was read; a tone's
onset (the first sample above 5 % of full scale) is then compared with the
wall-clock time the program printed at that key-down. The pipe holds about
10 ms of sound, so the figure errs on the long side. Prints the median and
the largest latency; exits 1 when the median exceeds BOUND_MS (default 100).
Under Wine 8 with this capture the median is about 75 ms, of which the side
tone's own part is the 10 ms DirectSound keeps between its play and write
cursors (the edge goes in at the write cursor) and a wake of at most 2 ms;
a plain WASAPI stream of 10 ms measures about 100 ms through the same chain,
so the rest lies in Wine's mixer and ALSA's buffers below the program.
"""
import array
import fcntl
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time

F_SETPIPE_SZ = 1031


def pace(fifo, result):
    fd = os.open(fifo, os.O_RDONLY)  # waits for the writer
    try:
        fcntl.fcntl(fd, F_SETPIPE_SZ, 4096)
    except OSError:
        pass
    head = b""
    while len(head) < 44:
        chunk = os.read(fd, 44 - len(head))
        if not chunk:
            return
        head += chunk
    channels, rate = struct.unpack("<HI", head[22:28])
    bits = struct.unpack("<H", head[34:36])[0]
    per_second = rate * channels * bits // 8
    burst, credit, last = per_second // 200, 0.0, time.monotonic()
    body, log = bytearray(), []
    while True:
        now = time.monotonic()
        credit = min(burst, credit + (now - last) * per_second)
        last = now
        if credit < 1:
            time.sleep(0.001)
            continue
        chunk = os.read(fd, int(credit))
        if not chunk:
            break
        credit -= len(chunk)
        body += chunk
        log.append((len(body), time.time() * 1000))
    os.close(fd)
    result.update(channels=channels, rate=rate, bits=bits, body=bytes(body), log=log)


def main():
    build = sys.argv[1]
    bound = float(sys.argv[2]) if len(sys.argv) > 2 else 100.0
    home = tempfile.mkdtemp(prefix="sidetone-")
    fifo = os.path.join(home, "fifo")
    os.mkfifo(fifo)
    with open(os.path.join(home, ".asoundrc"), "w") as f:
        f.write('pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "wav"\n}\n' % fifo)
    result = {}
    reader = threading.Thread(target=pace, args=(fifo, result))
    reader.start()
    program = os.path.join(build, "win", "tests", "SideToneLatency.exe")
    extra = os.environ.get("SIDE_TONE_ARGS", "").split()
    try:
        out = subprocess.run(["wine", program] + extra, env=dict(os.environ, HOME=home), capture_output=True,
                             text=True, timeout=120)
    finally:
        if not result:  # the program never opened the device: let the reader go
            try:
                os.close(os.open(fifo, os.O_WRONLY | os.O_NONBLOCK))
            except OSError:
                pass
        reader.join(timeout=10)
        shutil.rmtree(home, ignore_errors=True)
    sys.stderr.write(out.stderr)
    if out.returncode != 0:
        sys.exit("SideToneLatency.exe: %s" % out.stdout.strip())
    keys = [float(line.split()[1]) for line in out.stdout.splitlines() if line.startswith("key ")]
    frame = result["channels"] * result["bits"] // 8
    code = {16: "h", 32: "i"}[result["bits"]]
    body = result["body"][: len(result["body"]) // frame * frame]
    samples = array.array(code, body)[:: result["channels"]]
    limit = 0.05 * (1 << (result["bits"] - 1))
    log = result["log"]

    def heard(index):  # wall-clock ms at which frame `index` was read
        offset = index * frame
        for end, ms in log:
            if end > offset:
                return ms
        return log[-1][1]

    onsets, quiet = [], 0
    gap = result["rate"] // 20  # 50 ms of silence separates two presses
    for i, s in enumerate(samples):
        if abs(s) > limit:
            if quiet >= gap or not onsets:
                onsets.append(heard(i))
            quiet = 0
        else:
            quiet += 1
    latencies = []
    for k in keys:
        after = [t - k for t in onsets if -5 < t - k < 150]
        if after:
            latencies.append(min(after))
    if len(latencies) < len(keys) * 0.8:
        sys.exit("only %d of %d key-downs were heard" % (len(latencies), len(keys)))
    median = statistics.median(latencies)
    print("side tone latency: median %.1f ms, max %.1f ms, min %.1f ms over %d presses"
          % (median, max(latencies), min(latencies), len(latencies)))
    if median > bound:
        sys.exit("the median latency exceeds %.0f ms" % bound)


main()
