#!/usr/bin/env python3
"""Loudness of the sessions that volume_e2e.sh records through OpenAL's wave-file output.

    wave_levels.py FILE         prints "EFFECTS MUSIC QUIET_END": the loudest 50 ms of the
                                effects heard in the title, the median loudness of the
                                game's music, and the seconds of silence at the end
    wave_levels.py compare REFERENCE FILE MUSIC_RATIO EFFECT_RATIO
                                checks that FILE's music and effects are that share of
                                REFERENCE's (within a quarter of it either way)

Loudness is the root mean square of a 50 ms window, 1.0 being full scale. The title has no
music, so its effects are heard alone; the game's music is the sounding stretch that lasts
to the end of the file, taken from a second after it begins.
"""
import math
import sys

from check_session_wave import samples

WINDOW_MS = 50
SILENT = 0.0005  # below any sound of the game's at the lowest volume level, above dither


def levels(path):
    values, channels, rate = samples(path)
    window = rate * WINDOW_MS // 1000 * channels
    return [math.sqrt(sum(v * v for v in values[i:i + window]) / window)
            for i in range(0, len(values) - window + 1, window)]


def measure(path):
    """(effects, music, quiet seconds at the end)."""
    heard = levels(path)
    quiet_end = 0
    while quiet_end < len(heard) and heard[len(heard) - 1 - quiet_end] < SILENT:
        quiet_end += 1
    # The music: the last stretch without a silent window, if it lasts two seconds.
    onset = len(heard) - quiet_end
    while onset > 0 and heard[onset - 1] >= SILENT:
        onset -= 1
    per_second = 1000 // WINDOW_MS
    music = 0.0
    if quiet_end == 0 and len(heard) - onset >= 2 * per_second:
        stretch = sorted(heard[onset + per_second:len(heard) - per_second // 4])
        music = stretch[len(stretch) // 2]
    else:
        onset = len(heard) - quiet_end
    effects = max(heard[:onset], default=0.0)
    return effects, music, quiet_end * WINDOW_MS / 1000


def main():
    if sys.argv[1] == "compare":
        reference, path = measure(sys.argv[2]), measure(sys.argv[3])
        ok = True
        for name, k, ratio in (("music", 1, float(sys.argv[4])), ("effects", 0, float(sys.argv[5]))):
            share = path[k] / reference[k] if reference[k] > 0 else 0.0
            print("%s %.4f against %.4f: %.2f of it (expected %.2f)" %
                  (name, path[k], reference[k], share, ratio))
            ok = ok and reference[k] > SILENT and 0.75 * ratio <= share <= 1.25 * ratio
        return 0 if ok else 1
    print("%.4f %.4f %.2f" % measure(sys.argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
