#!/usr/bin/env python3
"""Soak of the game's frames: tessaroid-trace plays random games (soft drop held all the
time, so each game fills its well quickly) until the wanted number have ended and the title
came back after each. Run it on a build with AddressSanitizer's leak checker on: the tool's
exit then also reports any leak. Prints the resident memory at the start, the end and the
peak, and fails when a run errs, leaks or grows.

usage: trace_soak.py TOOL [GAMES]"""
import os
import random
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "trace"))
from check_trace import rss_kib  # noqa: E402


def random_games(frames_wanted, seed):
    rng = random.Random(seed)
    lines = ["clock 1700000000"]
    total = 0
    while total < frames_wanted:
        # The soft drop with now and then a move or a turn, so the pieces pile up near the
        # middle and the game ends soon; Z alone starts the next game from the title.
        held = ["DOWN"]
        if rng.random() < 0.3:
            held.append(rng.choice(["LEFT", "RIGHT", "UP", "X", "A"]))
        if rng.random() < 0.05:
            held = ["Z"]
        lines.append("keys " + " ".join(dict.fromkeys(held)))
        n = rng.randint(1, 30)
        lines.append(f"run {n}")
        total += n
    return "\n".join(lines) + "\n", total


def play(tool, frames, seed):
    """Runs the tool on random play; returns (games ended, frames, rss samples, status, err)."""
    script, total = random_games(frames, seed)
    p = subprocess.Popen([tool], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, env=dict(os.environ, TZ="UTC"))
    p.stdin.write(script.encode())  # the whole script is read before the first frame
    p.stdin.close()
    ended = 0
    scene = b"1"
    samples = []
    count = 0
    for line in p.stdout:
        count += 1
        at = line.index(b'"scene":') + 8
        now = line[at:line.index(b",", at)]
        if scene == b"4" and now == b"1":
            ended += 1
        scene = now
        if count % 20000 == 0:
            rss = rss_kib(p.pid)
            if rss is not None:
                samples.append(rss)
    p.wait()
    return ended, count, samples, p.returncode, p.stderr.read().decode(errors="replace")


def main():
    tool = sys.argv[1]
    games = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    pilot_frames = 100000
    ended, _, _, status, err = play(tool, pilot_frames, 7)
    if status != 0 or ended == 0:
        sys.exit(f"pilot run: status {status}, {ended} games ended\n{err}")
    frames = int(pilot_frames * games / ended * 1.25)
    start = time.time()
    ended, count, samples, status, err = play(tool, frames, 8)
    seconds = time.time() - start
    print(f"{ended} games ended in {count} frames, {seconds:.0f} s")
    if samples:
        print(f"resident memory: start {samples[0]} KiB, end {samples[-1]} KiB, "
              f"peak {max(samples)} KiB ({len(samples)} samples, one per 20000 frames)")
    failures = []
    if status != 0:
        failures.append(f"status {status}: {err[-3000:]}")
    if ended < games:
        failures.append(f"only {ended} of {games} games ended")
    if len(samples) >= 2 and samples[-1] - samples[0] > 1024:
        failures.append(f"memory grew from {samples[0]} KiB to {samples[-1]} KiB")
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
