#!/usr/bin/env python3
"""Scenario checks through tessaroid-trace: script errors, the JSON shape and key order,
the settings file round trip, constant memory over a long random run, the settings screen
and a whole game from the title to the ranking.

usage: check_trace.py TRACE_TOOL SCRIPTS_DIR CHECK
Exit status 0 passes, 1 fails, 77 skips (a part of the game that is not there yet).
"""

import json
import os
import random
import struct
import subprocess
import sys
import tempfile

SKIP = 77

TOP_KEYS = ["f", "scene", "dirs", "btns", "play", "pause", "title", "fade", "settings",
            "music", "ranking", "effects"]
PLAY_KEYS = ["grid", "queue", "queueReady", "pieceX", "pieceY", "orientation",
             "repeatCounter", "fastRepeat", "rotateCwLatch", "rotateCcwLatch", "blockedLeft",
             "blockedRight", "landed", "fallCounter", "softDropCounter", "lockCounter",
             "consecutiveLocks", "gameOverCounter", "score", "levelIndex", "linesTowardLevel"]
PAUSE_KEYS = ["pauseState", "pauseCounter", "pauseFlag"]
TITLE_KEYS = ["titlePhase", "subScreen", "titleOpenCount", "panelOpenCount", "menuCursor",
              "settingsCursor", "menuRepeat", "settingsRepeat", "valueRepeat",
              "menuCursorShown", "panelColor", "frameShimmer"]
FADE_KEYS = ["alpha", "in", "out"]
SETTINGS_KEYS = ["fullScreen", "vsync", "timerMethod", "frameSkip", "bgmVolume", "seVolume",
                 "inputSource", "buttons", "edit"]
MUSIC_KEYS = ["bgmTrack", "bgmPreviousTrack", "bgmRestart", "bgmFadeCounter", "bgmFadeOut",
              "bgmFadeIn", "backgroundNumber", "backgroundChangeRequest"]


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def run_trace(tool, script, args=(), env_extra=None):
    env = dict(os.environ, TZ="UTC")
    if env_extra:
        env.update(env_extra)
    data = script if isinstance(script, bytes) else script.encode()
    p = subprocess.run([tool, *args], input=data, capture_output=True, env=env, timeout=600)
    return p.returncode, p.stdout.decode(), p.stderr.decode(errors="replace")


def frames(stdout):
    return [json.loads(line, object_pairs_hook=list) for line in stdout.splitlines()]


def as_dict(pairs):
    """Turns the key-ordered pairs back into plain values, recursively."""
    if isinstance(pairs, list) and pairs and all(isinstance(p, tuple) for p in pairs):
        return {k: as_dict(v) for k, v in pairs}
    if isinstance(pairs, list):
        return [as_dict(v) for v in pairs]
    return pairs


def read_script(scripts, name):
    with open(os.path.join(scripts, name), encoding="utf-8") as f:
        return f.read()


# ---------------------------------------------------------------- script errors

def generated_bad_scripts():
    yield "a NUL byte in a command", b"run 1\nru\0n 1\n", 2
    yield "bytes that are not text", b"run 1\nrun 1\n\xff\xfe\x80\n", 3
    yield "a line of a million letters", b"run 1\n" + b"k" * 1000000 + b"\n", 2
    yield "too many keys on a line", b"keys " + b"Z " * 400 + b"\n", 1
    yield "a number of a hundred digits", b"clock " + b"9" * 100 + b"\n", 1
    yield "no newline at the end", b"run 1\nrun", 2


def check_errors(tool, scripts):
    cases = []
    folder = os.path.join(scripts, "errors")
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        first = data.split(b"\n", 1)[0].decode().strip()
        expect(first.startswith("# expect: line "), f"{name}: no expectation line")
        cases.append((name, data, int(first.rsplit(" ", 1)[1])))
    cases.extend(generated_bad_scripts())
    with tempfile.TemporaryDirectory() as tmp:
        save = os.path.join(tmp, "Game.ini")
        for name, data, line in cases:
            status, out, err = run_trace(tool, data, ["--save", save])
            expect(status == 2, f"{name}: status {status}, not 2 (stderr: {err.strip()})")
            expect(err.startswith(f"line {line}: "), f"{name}: stderr {err!r}")
            expect(err.count("\n") == 1, f"{name}: more than one error line: {err!r}")
            expect(out == "", f"{name}: frames printed before the error")
            expect(not os.path.exists(save), f"{name}: the settings file was written")
    # The same tool accepts an empty script and a script of comments only.
    for data in (b"", b"# nothing\n\n   \n"):
        status, out, err = run_trace(tool, data)
        expect(status == 0 and out == "" and err == "", f"empty script: {status} {err!r}")
    status, _, err = run_trace(tool, b"run 1\n", ["--bogus"])
    expect(status == 2 and err, "an unknown option is refused")
    return f"{len(cases)} bad scripts refused with their line number"


# ---------------------------------------------------------------- JSON shape

def keys_of(pairs):
    return [k for k, _ in pairs]


def check_frame_shape(pairs, draws_expected):
    top = keys_of(pairs)
    expect(top == TOP_KEYS + (["draws"] if draws_expected else []), f"top keys {top}")
    d = dict(pairs)
    for key, wanted in (("play", PLAY_KEYS), ("pause", PAUSE_KEYS), ("title", TITLE_KEYS),
                        ("fade", FADE_KEYS), ("settings", SETTINGS_KEYS),
                        ("music", MUSIC_KEYS)):
        expect(keys_of(d[key]) == wanted, f"{key} keys {keys_of(d[key])}")
    play = dict(d["play"])
    expect(isinstance(play["grid"], str) and len(play["grid"]) == 360 and
           play["grid"].isdigit(), "grid is 360 digits")
    expect(len(play["queue"]) == 8, "queue has 8 entries")
    settings = dict(d["settings"])
    expect(len(settings["buttons"]) == 4 and len(settings["edit"]) == 11, "settings arrays")
    expect(len(d["ranking"]) == 11 and all(len(r) == 7 for r in d["ranking"]), "ranking")
    expect(isinstance(d["effects"], list), "effects is a list")
    for key in ("f", "scene", "dirs", "btns"):
        expect(isinstance(d[key], int), f"{key} is an integer")
    if draws_expected:
        expect(len(d["draws"]) <= 14969, "at most 14969 draws")
        for entry in d["draws"]:
            expect(len(entry) == 19, "a draw has 19 numbers")
            expect(all(isinstance(v, (int, float)) for v in entry), "draws are numbers")
            expect(isinstance(entry[17], int) and 0 <= entry[17] < 2 ** 32, "color unsigned")


def check_shape(tool, scripts):
    status, out, err = run_trace(tool, read_script(scripts, "shape.txt"))
    expect(status == 0, f"status {status}: {err}")
    lines = out.splitlines()
    expect(len(lines) == 11, f"{len(lines)} frames, not 11")
    expect(all(" " not in line for line in lines), "no spaces in a frame line")
    parsed = frames(out)
    for n, pairs in enumerate(parsed, start=1):
        check_frame_shape(pairs, 4 <= n <= 9)
        expect(dict(pairs)["f"] == n, f"frame number {n}")
    f = [as_dict(p) for p in parsed]
    # Frame 1 on the title: the menu opening, the start state of a fresh game.
    expect(f[0]["scene"] == 1 and f[0]["title"]["titlePhase"] == 1, "title opens")
    expect(f[0]["title"]["titleOpenCount"] == 1, "open count 1 after one frame")
    expect(f[0]["music"]["bgmRestart"] == 1 and f[0]["music"]["bgmTrack"] == 0, "music")
    expect(f[0]["settings"]["vsync"] == 1 and f[0]["settings"]["edit"][1] == 1, "defaults")
    expect(f[0]["ranking"][0] == [0, 1900, 1, 0, 0, 0, 0], "empty ranking entry")
    # A title frame's draw list ends with the overlay, the four bands and 36 status glyphs.
    draws = f[3]["draws"]
    expect(draws[0][:8] == [16, 12, 1536, 768, 0, 0, 512, 256], f"background {draws[0]}")
    expect(draws[-41][:4] == [0, 0, 1280, 720] and draws[-41][18] == 120, "fade overlay")
    expect(all(d[18] == 6 and d[1] == 720 for d in draws[-36:]), "status line glyphs")
    expect(all(isinstance(d[8], int) and d[8] == 1 for d in draws), "scale printed as 1")
    # While the window is inactive no scene runs: the list and the title stand still.
    expect(f[7]["draws"] == f[6]["draws"] and f[8]["draws"] == f[6]["draws"], "inactive")
    expect(f[8]["title"] == f[6]["title"], "the title does not advance while inactive")
    expect(f[9]["title"]["titleOpenCount"] == 8 or f[9]["title"]["titlePhase"] >= 2,
           "the title resumes when active")
    return "11 frames with the keys in order, draws exactly while on"


# ---------------------------------------------------------------- Game.ini round trip

def handmade_ini():
    b = bytearray(512)
    head = [0, 1, 1, 0, 1] + list(struct.pack("<f", 0.000001)) + [0, 0, 0, 0]
    tail = [1, 0, 0, 1, 1, 2, 2, 1, 1, 1, 1]  # timer 2, pattern 2, frame skip on
    b[0:24] = bytes(head + tail)
    b[24:34] = bytes([1, 2, 3, 0, 0, 0, 0, 0, 0, 0])
    b[34], b[35] = 7, 12
    for r in range(10):
        struct.pack_into("<i", b, 36 + 4 * r, 10000 - 1000 * r)
        struct.pack_into("<6i", b, 76 + 27 * r, 100 + r, r, 1 + r, r, 2 * r, 3 * r)
    return bytes(b)


def check_roundtrip(tool, scripts):
    with tempfile.TemporaryDirectory() as tmp:
        first, second = os.path.join(tmp, "first.ini"), os.path.join(tmp, "second.ini")
        status, _, err = run_trace(tool, "run 3\n", ["--save", first])
        expect(status == 0, f"defaults save: {status} {err}")
        data = open(first, "rb").read()
        expect(len(data) == 512, "Game.ini is 512 bytes")
        expect(data[22] == 1 and data[3] == 1 and data[17] == 1, "defaults written")
        status, _, err = run_trace(tool, "run 3\n", ["--ini", first, "--save", second])
        expect(status == 0 and open(second, "rb").read() == data, "defaults round trip")

        made = os.path.join(tmp, "made.ini")
        with open(made, "wb") as f:
            f.write(handmade_ini())
        status, out, err = run_trace(tool, "run 1\n", ["--ini", made, "--save", second])
        expect(status == 0, f"handmade load: {status} {err}")
        f1 = as_dict(frames(out)[0])
        s = f1["settings"]
        expect(s["fullScreen"] == 1 and s["vsync"] == 0 and s["timerMethod"] == 2, "loaded")
        expect(s["frameSkip"] == 1 and s["bgmVolume"] == 3500 and s["seVolume"] == 6000,
               f"loaded volumes {s}")
        expect(s["buttons"] == [1, 2, 3, 0], "loaded buttons")
        expect(s["edit"] == [1, 0, 2, 1, 7, 12, 1, 2, 3, 0, 0], f"loaded edit {s['edit']}")
        expect(f1["ranking"][3] == [7000, 2003, 4, 4, 3, 6, 9], f"ranking {f1['ranking'][3]}")
        expect(open(second, "rb").read() == handmade_ini(), "handmade file round trip")

        status, out, err = run_trace(tool, "run 1\n", ["--ini", os.path.join(tmp, "none")])
        expect(status == 1 and out == "" and err, "a missing --ini file fails with 1")
        bad_save = os.path.join(tmp, "no", "such", "folder", "Game.ini")
        status, out, err = run_trace(tool, "run 1\n", ["--save", bad_save])
        expect(status == 1 and err, "an unwritable --save fails with 1")
        expect(len(out.splitlines()) == 1, "the frames still ran")
    return "defaults and a hand-made file read back and written byte for byte"


# ---------------------------------------------------------------- constant memory

def random_play(frames_wanted, seed=1):
    rng = random.Random(seed)
    lines = ["clock 1700000000"]
    names = ["UP", "DOWN", "LEFT", "RIGHT", "Z", "X", "C", "A", "S"]
    total = 0
    while total < frames_wanted:
        held = rng.sample(names, rng.choice([0, 0, 1, 1, 1, 2]))
        lines.append("keys " + " ".join(held))
        if rng.random() < 0.1:
            lines.append(f"pad {rng.choice([0, 0x1000, 0x2000, 0x4000, 0x8000, 0x1001])}")
        if rng.random() < 0.02:
            lines.append("pad off")
        lines.append("draws on" if rng.random() < 0.01 else "draws off")
        n = rng.randint(1, 40)
        lines.append(f"run {n}")
        total += n
    return "\n".join(lines) + "\n", total


def rss_kib(pid):
    """Resident memory, or None once the process has ended (its output may still be
    waiting in the pipe then)."""
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def check_memory(tool, scripts):
    script, total = random_play(60000)
    p = subprocess.Popen([tool], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, env=dict(os.environ, TZ="UTC"))
    # The script is read whole before the first frame, so it can be written first.
    p.stdin.write(script.encode())
    p.stdin.close()
    samples = {}
    checkpoints = {5000, 20000, 40000, total - 10}
    count = 0
    scenes = set()
    for line in p.stdout:
        count += 1
        at = line.index(b'"scene":') + 8
        scenes.add(line[at:line.index(b",", at)].decode())
        if count in checkpoints:
            rss = rss_kib(p.pid)
            if rss is not None:
                samples[count] = rss
    p.wait()
    err = p.stderr.read().decode()
    expect(p.returncode == 0, f"status {p.returncode}: {err}")
    expect(count == total, f"{count} frames of {total}")
    expect(5000 in samples and len(samples) >= 2, f"too few memory samples: {samples}")
    first, last = samples[5000], samples[max(samples)]
    expect(last - first <= 256, f"memory grew from {first} KiB to {last} KiB")
    return (f"{total} random frames in scenes {','.join(sorted(scenes))}, resident "
            f"{first} KiB after 5000 and {last} KiB at the end")


# ---------------------------------------------------------------- whole scenarios

def input_is_polled(f):
    return any(fr["btns"] != 0 or fr["dirs"] != 0 for fr in f)


def check_settings_screen(tool, scripts):
    with tempfile.TemporaryDirectory() as tmp:
        save = os.path.join(tmp, "Game.ini")
        status, out, err = run_trace(tool, read_script(scripts, "settings_screen.txt"),
                                     ["--save", save])
        expect(status == 0, f"status {status}: {err}")
        f = [as_dict(p) for p in frames(out)]
        if not input_is_polled(f):
            print("skipped: input polling is not built yet")
            return None
        last = f[-1]
        expect(last["title"]["subScreen"] == 0, "the panel closed again")
        expect(last["title"]["panelColor"] == 9, "colour wrapped to 9")
        s = last["settings"]
        expect(s["edit"] == [0, 0, 2, 1, 3, 1, 1, 2, 0, 0, 9], f"edited {s['edit']}")
        data = open(save, "rb").read()
        expect(data[3] == 0 and data[18] == 2 and data[20] == 1, "vsync, timer, frame skip")
        expect(data[34] == 3 and data[35] == 1, "volume levels")
        expect(list(data[24:28]) == [1, 2, 0, 0], f"buttons {list(data[24:28])}")
        effects = [e for fr in f for e in fr["effects"]]
        expect(effects == [0, 0], f"accept sounds {effects}")
    return "every edited value live and in the saved file"


def check_game_over(tool, scripts):
    with tempfile.TemporaryDirectory() as tmp:
        save = os.path.join(tmp, "Game.ini")
        status, out, err = run_trace(tool, read_script(scripts, "game_over.txt"),
                                     ["--save", save])
        expect(status == 0, f"status {status}: {err}")
        f = [json.loads(line) for line in out.splitlines()]
        if not input_is_polled(f):
            print("skipped: input polling is not built yet")
            return None
        start = next((n for n, fr in enumerate(f) if fr["scene"] == 4), None)
        expect(start is not None, "the game scene never began")
        game = f[start:start + 200]
        if all(fr["play"] == game[0]["play"] for fr in game):
            print("skipped: the game scene is not built yet")
            return None
        end = next((n for n in range(start, len(f)) if f[n]["scene"] == 1), None)
        expect(end is not None, "the game never ended")
        score = max(fr["play"]["score"] for fr in f[start:end])
        expect(score > 0, "the game scored")
        expect(f[end]["ranking"][0] == [score, 2023, 11, 14, 22, 13, 20],
               f"ranking {f[end]['ranking'][0]} for score {score}")
        expect(f[-1]["title"]["titlePhase"] >= 2, "the title menu opened again")
        data = open(save, "rb").read()
        expect(struct.unpack_from("<i", data, 36)[0] == score, "saved score")
        expect(list(struct.unpack_from("<6i", data, 76)) == [123, 10, 14, 22, 13, 20],
               "saved end date")
    return f"game of {end - start} frames ended with {score} points, ranked first"


CHECKS = {
    "errors": check_errors,
    "shape": check_shape,
    "roundtrip": check_roundtrip,
    "memory": check_memory,
    "settings": check_settings_screen,
    "gameover": check_game_over,
}


def main():
    tool, scripts, name = sys.argv[1:4]
    try:
        result = CHECKS[name](tool, scripts)
    except Failure as failure:
        print(f"FAIL {name}: {failure}")
        return 1
    if result is None:
        return SKIP
    print(f"ok {name}: {result}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
