#!/usr/bin/env python3
"""The benchmark command's table: this game beside ltris and quadrapassel on one private Xvfb.

This game has a row for each way to the screen, chosen with TESSAROID_RENDERER: the software
renderer, and OpenGL (here Mesa's software rasteriser). For each program: launch to first
drawn frame (median of N launches), peak resident memory, and CPU in percent of one core at
its title and in a game, for the program and for the X server it draws through. For this
game alone: frame period error per timer method, the CPU time of one frame split into scene
and RenderFrame, the music thread's CPU, and the heap allocations of the frame loop on each
way to the screen. Usage: peer_table.py BIN_DIR GAME_DIR [SECONDS] [LAUNCHES]
"""
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")
PAGE_KB = os.sysconf("SC_PAGE_SIZE") // 1024


def cpu_seconds(pid, task=None):
    path = f"/proc/{pid}/task/{task}/stat" if task else f"/proc/{pid}/stat"
    with open(path) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def peak_rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def thread_named(pid, name):
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/comm") as f:
                if f.read().strip() == name:
                    return task
        except OSError:
            pass
    return None


def xdotool(*args):
    subprocess.run(["xdotool", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def window_of(pid, timeout=15):
    end = time.time() + timeout
    while time.time() < end:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[-1]
        time.sleep(0.1)
    return None


def press(window, *keys):
    xdotool("windowfocus", "--sync", window)
    for key in keys:
        xdotool("keydown", key)
        time.sleep(0.1)
        xdotool("keyup", key)
        time.sleep(0.15)


class Program:
    """How to launch one program in a fresh home and how to start a game in it.

    Every launch gets a fresh home (no settings or saves from the last), but one program's
    launches share a cache folder, as a player's launches do: the first finds it empty (the
    GL driver's shader cache, font caches), the later ones as the first left it.
    """

    def __init__(self, name, bin_dir, game_dir, scratch, renderer=None):
        self.name = name
        self.renderer = renderer  # this game's TESSAROID_RENDERER
        self.label = f"{name} ({renderer})" if renderer else name
        self.bin_dir = bin_dir
        self.game_dir = game_dir
        self.cache = tempfile.mkdtemp(prefix=f"{name}-{renderer}-cache-", dir=scratch)

    def prepare(self, scratch):
        home = tempfile.mkdtemp(dir=scratch)
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, XDG_CACHE_HOME=self.cache)
        if self.name == "tessaroid":
            folder = os.path.join(home, "game")
            shutil.copytree(self.game_dir, folder)
            env["ALSOFT_DRIVERS"] = "null"  # it mixes its sound as on a real card
            env["TESSAROID_RENDERER"] = self.renderer
            return [os.path.join(folder, "tessaroid")], env
        return [shutil.which(self.name) or f"/usr/games/{self.name}"], env

    def start_game(self, window):
        if self.name == "tessaroid":
            press(window, "z")  # START on the title menu
        elif self.name == "ltris":
            # New Game; the game type from Demo to Classic; up to Start Game.
            press(window, "Down", "Return", *["Down"] * 5, "Right", *["Up"] * 4, "Return")
        else:
            xdotool("mousemove", "--window", window, "492", "536", "click", "1")
            xdotool("mousemove", "1900", "1060")


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def first_frames(program, probe, scratch, launches):
    times = []
    for _ in range(launches):
        command, env = program.prepare(scratch)
        # The probe leaves the program running with its output: read its one line, not to EOF.
        runner = subprocess.Popen([probe, "--timeout", "20", *command], env=env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        parts = runner.stdout.readline().split()
        if len(parts) == 2:
            times.append(float(parts[0]))
            end(int(parts[1]))
        runner.stdout.close()
        runner.wait()
        time.sleep(0.5)
    if not times:
        return float("nan"), float("nan")
    return statistics.median(times), times[0]  # the median, and the launch with empty caches


def end(pid):
    try:
        os.kill(pid, signal.SIGTERM)
        for _ in range(50):
            time.sleep(0.1)
            os.kill(pid, 0)
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def cpu_percent(pid, xvfb, seconds, task=None):
    p0, x0, t0 = cpu_seconds(pid), cpu_seconds(xvfb), time.time()
    m0 = cpu_seconds(pid, task) if task else 0
    time.sleep(seconds)
    wall = time.time() - t0
    p = 100 * (cpu_seconds(pid) - p0) / wall
    x = 100 * (cpu_seconds(xvfb) - x0) / wall
    m = 100 * (cpu_seconds(pid, task) - m0) / wall if task else None
    return p, x, m


def read_counts(log):
    with open(log) as f:
        return [tuple(int(v) for v in line.split()) for line in f if line.strip()]


def play(program, scratch, xvfb, seconds, counter):
    """Title for SECONDS, then a game for SECONDS; returns the figures of one session."""
    command, env = program.prepare(scratch)
    log = os.path.join(scratch, f"{program.label}-allocs.log")
    if counter:
        env.update(LD_PRELOAD=counter, TESSAROID_ALLOC_LOG=log)
    said = os.path.join(scratch, f"{program.label}-stderr.txt")
    with open(said, "w") as err:
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=err)
    figures = {}
    try:
        window = window_of(process.pid)
        if window is None:
            raise RuntimeError(f"{program.label}: no window")
        time.sleep(4)  # past the title's opening
        if counter:
            os.kill(process.pid, signal.SIGUSR1)
        figures["title"] = cpu_percent(process.pid, xvfb, seconds)
        if counter:
            os.kill(process.pid, signal.SIGUSR1)
        program.start_game(window)
        time.sleep(4)  # past the fade and the first piece
        if counter:
            os.kill(process.pid, signal.SIGUSR1)
        music = thread_named(process.pid, "music") if program.name == "tessaroid" else None
        figures["game"] = cpu_percent(process.pid, xvfb, seconds, music)
        if counter:
            os.kill(process.pid, signal.SIGUSR1)
            time.sleep(0.3)
            figures["allocs"] = read_counts(log)
        figures["rss"] = peak_rss_mb(process.pid)
    finally:
        stop(process)
    # A row for OpenGL that the software renderer drew after all would give the wrong figures.
    with open(said, errors="replace") as err:
        figures["fell back"] = "software renderer instead" in err.read()
    return figures


def pacing(bin_dir):
    out = subprocess.run([os.path.join(bin_dir, "frame-pacing-bench"), "600"],
                         capture_output=True, text=True).stdout
    rows = []
    for m in re.finditer(r"method (\d) pattern (\d).*?median ([\d.]+) ms\s+p99 ([\d.]+) ms", out):
        rows.append((int(m[1]), int(m[2]), float(m[3]), float(m[4])))
    return rows


def google_bench(binary, pattern):
    out = subprocess.run([binary, f"--benchmark_filter={pattern}", "--benchmark_format=json"],
                         capture_output=True, text=True).stdout
    results = {}
    for b in json.loads(out).get("benchmarks", []):
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[b.get("time_unit", "ns")]
        name = "/".join(b["name"].split("/")[:5])  # without the run options
        results[name] = (b["cpu_time"] * scale, b["real_time"] * scale, b.get("scene_ms"))
    return results


def main():
    bin_dir, game_dir = sys.argv[1], sys.argv[2]
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 20
    launches = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    scratch = tempfile.mkdtemp(prefix="tessaroid-bench-")
    display_pipe = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(display_pipe[1]), "-screen", "0",
                             "1920x1080x24", "-nolisten", "tcp", "-noreset"], pass_fds=(display_pipe[1],),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(display_pipe[1])
    os.environ["DISPLAY"] = ":" + os.read(display_pipe[0], 16).decode().strip()
    probe = os.path.join(bin_dir, "first-frame-probe")
    counter = os.path.join(bin_dir, "alloc-counter.so")
    rows = []
    try:
        programs = [Program("tessaroid", bin_dir, game_dir, scratch, way)
                    for way in ("software", "opengl")]
        programs += [Program(name, bin_dir, game_dir, scratch) for name in ("ltris", "quadrapassel")]
        for program in programs:
            first = first_frames(program, probe, scratch, launches)
            session = play(program, scratch, xvfb.pid, seconds,
                           counter if program.renderer else None)
            rows.append((program, first, session))
            print(f"  measured {program.label}", file=sys.stderr)
        pace = pacing(bin_dir)
        # Title and game as the game draws them; the full list redrawn whole (unchanged, the
        # game would not draw it again).
        render = google_bench(os.path.join(bin_dir, "render-frame-bench"),
                              "RenderFrames/frame:([01]/drawing:2|2/drawing:1)")
    finally:
        xvfb.terminate()
        shutil.rmtree(scratch, ignore_errors=True)

    print(f"\nSide by side ({launches} launches, {seconds:.0f} s per phase, one private Xvfb):\n")
    print(f"{'program':<23}{'first frame':>13}{'peak RSS':>11}"
          f"{'title CPU + X':>18}{'game CPU + X':>18}")
    for program, first, s in rows:
        t, g = s["title"], s["game"]
        print(f"{program.label:<23}{first[0]:>10.0f} ms{s['rss']:>8.1f} MB"
              f"{t[0]:>9.1f}% +{t[1]:>5.1f}%{g[0]:>9.1f}% +{g[1]:>5.1f}%")
    for program, _, s in rows:
        if s.get("fell back"):
            print(f"  ({program.label}: OpenGL could not be started; the software renderer drew)")
    print("\nFirst frame of the first launch, caches empty: " +
          ", ".join(f"{program.label} {first[1]:.0f} ms" for program, first, _ in rows))

    print("\nThis game alone:")
    for method, pattern, median, p99 in pace:
        if method == 3:
            continue  # No Wait: no period to keep
        print(f"  frame period error, timer method {method} (pattern {pattern}): "
              f"median {median:.3f} ms, p99 {p99:.3f} ms")
    for way, renderer in (("software", 1), ("opengl", 0)):
        for label, frame, drawing in (("title", 1, 2), ("game", 0, 2), ("full list", 2, 1)):
            cpu, real, scene = render.get(
                f"RenderFrames/frame:{frame}/drawing:{drawing}/renderer:{renderer}/caches:0",
                (float("nan"), float("nan"), None))
            scene_ms = f"{scene:.3f} ms" if scene is not None and frame != 2 else "-"
            threads = ", the rasteriser's threads included in CPU" if renderer == 0 else ""
            print(f"  {way}, one {label} frame: scene {scene_ms}, RenderFrame {cpu:.3f} ms CPU "
                  f"({real:.3f} ms real{threads})")
    for label, frame in (("title", 1), ("game", 0)):
        cpu, _, _ = render.get(f"RenderFrames/frame:{frame}/drawing:2/renderer:1/caches:1",
                               (float("nan"), 0, None))
        print(f"  software, one {label} frame with the caches filled by other memory first "
              f"(as the running game finds them): RenderFrame {cpu:.3f} ms CPU")
    software = rows[0][2]
    if software["game"][2] is not None:
        print(f"  music thread: {software['game'][2] * 10:.2f} ms of CPU per second in a game")
    for program, _, s in rows:
        counts = s.get("allocs", [])
        if len(counts) != 4:
            continue
        for label, a, b in (("title", counts[0], counts[1]), ("game", counts[2], counts[3])):
            frames = seconds * 60
            print(f"  {program.renderer}, heap allocations over {seconds:.0f} s at the {label}: "
                  f"{b[2] - a[2]} by the game's own code ({(b[2] - a[2]) / frames:.2f} a frame), "
                  f"{b[0] - a[0]} on the main thread in all "
                  f"({(b[0] - a[0]) / frames:.1f} a frame, drivers and Xlib included)")


if __name__ == "__main__":
    main()
