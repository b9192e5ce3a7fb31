#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The laser output's clock, measured: `quorvel-ilda play` sends frames into a receiver on
127.0.0.1 that timestamps every datagram, and the intervals between the frames' first datagrams
are compared with what was asked for: one frame every 1/fps seconds, or every scan of the frame
before when that takes longer (the stream sends a new frame once the last has been scanned).

Usage: output-clock.py QUORVEL_ILDA [--fps 50] [--kpps 30] [--points 400] [--frames 100] [--runs 3]
Prints, per run and as medians over the runs: frames received, the median and 99th-percentile
interval over the intended one, the drift of the whole run, and the sender's share of a core.
Only loopback is used; the receiver stops after the sender has ended or after a bounded time.
"""
import argparse, os, resource, socket, statistics, struct, subprocess, tempfile, time


def ilda_file(path, frames, points):
    # Frame k's first point has X = k, so each frame is known again where it arrives.
    with open(path, "wb") as f:
        for k in range(frames):
            f.write(struct.pack(">4s3xB8s8sHHHBx", b"ILDA", 0, b"clock", b"quorvel", points, k, frames, 0))
            for i in range(points):
                x = k if i == 0 else (i * 97) % 60000 - 30000
                status = 0x80 if i == points - 1 else 0
                f.write(struct.pack(">hhhBB", x, (i * 53) % 60000 - 30000, 0, status, 1 + i % 60))


def frame_of(datagram):
    # A channel message (0x40, 0x41) whose chunk is a whole frame (0x02) or its first part (0x03):
    # the X of its first sample, found behind the optional configuration and the chunk header.
    if len(datagram) < 16 or datagram[0] not in (0x40, 0x41) or datagram[7] not in (0x02, 0x03):
        return None
    at = 12
    if datagram[6] & 0x40:  # CCLF: a configuration header and its tags come first
        at += 4 + 4 * datagram[at]  # SCWC words of tags
    at += 4  # the chunk header
    return struct.unpack(">h", datagram[at:at + 2])[0] if len(datagram) >= at + 2 else None


def run(tool, fps, kpps, points, frames, folder):
    path = os.path.join(folder, "clock.ild")
    ilda_file(path, frames, points)
    rx = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    rx.bind(("127.0.0.1", 0))
    rx.settimeout(0.2)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    started = time.monotonic()
    sender = subprocess.Popen([tool, "play", path, "--to", "127.0.0.1:%d" % rx.getsockname()[1],
                               "--kpps", str(kpps), "--fps", str(fps)],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    first = {}
    limit = started + frames / fps * 3 + 10
    while time.monotonic() < limit:
        try:
            d = rx.recv(2048)
        except socket.timeout:
            if sender.poll() is not None:
                break
            continue
        k = frame_of(d)
        if k is not None and 0 <= k < frames and k not in first:
            first[k] = time.monotonic_ns()
    sender.wait(timeout=10)
    wall = time.monotonic() - started
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    intended = max(1 / fps, points / (kpps * 1000))
    got = sorted(first)
    steps = [(first[b] - first[a]) / 1e9 / (b - a) for a, b in zip(got, got[1:])]
    ratios = sorted(s / intended for s in steps)
    p99 = ratios[min(len(ratios) - 1, int(round(0.99 * (len(ratios) - 1))))] if ratios else float("nan")
    span = (first[got[-1]] - first[got[0]]) / 1e9 if len(got) > 1 else 0
    drift = span / ((got[-1] - got[0]) * intended) - 1 if len(got) > 1 else float("nan")
    return {"frames": len(got), "median": statistics.median(ratios) if ratios else float("nan"), "p99": p99,
            "drift": drift, "core": cpu / wall}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("tool")
    ap.add_argument("--fps", type=int, default=50)
    ap.add_argument("--kpps", type=int, default=30)
    ap.add_argument("--points", type=int, default=400)
    ap.add_argument("--frames", type=int, default=100)
    ap.add_argument("--runs", type=int, default=3)
    a = ap.parse_args()
    print("load average %.2f %.2f %.2f" % os.getloadavg())
    results = []
    with tempfile.TemporaryDirectory() as folder:
        for n in range(a.runs):
            r = run(os.path.abspath(a.tool), a.fps, a.kpps, a.points, a.frames, folder)
            results.append(r)
            print("run %d: %d of %d frames, interval median %.3f x, 99th percentile %.3f x, drift %+.2f %%, "
                  "%.1f %% of a core" % (n + 1, r["frames"], a.frames, r["median"], r["p99"], 100 * r["drift"],
                                         100 * r["core"]))
    med = {k: statistics.median(r[k] for r in results) for k in results[0]}
    print("median of %d runs at %d fps, %d kpps, %d points: %d frames, interval %.3f x, 99th percentile %.3f x, "
          "drift %+.2f %%, %.1f %% of a core" % (a.runs, a.fps, a.kpps, a.points, med["frames"], med["median"],
                                                 med["p99"], 100 * med["drift"], 100 * med["core"]))


if __name__ == "__main__":
    main()
