"""Batches timed from the real window: Kelvara starts with the files on its
command line, the kind is chosen from the Format Setting menu, START is
pressed, and the clock stops when the completion box appears. Against it:
the ffmpeg commands the program's tools ran, captured in a first run and
replayed by a shell loop. Run through window-batch.sh (a private X server and
accessibility bus), which sets BENCH_MODE, BENCH_RUNS and BENCH_BUILD.

  overhead: 20 one-second clips to MP3 (goal: ratio of medians <= 1.15)
  long:     a 60-second 1080p clip to AVI, the PSP's start profile and MP3
            (goal: <= 1.03 each), with the 10 ms timer of KELVARA_TIMER_PROBE
            in the window's thread (goal: p99 lateness <= 30 ms) and the
            window process's own CPU time while the encoder runs (goal: <= 2 %
            of a core; from START to the end message beside it)
  at-once:  eight four-minute sound files to MP3 with Files at once set to 4
            in the settings file: the window's own CPU time while the jobs
            run (goal: <= 2 % of a core) and the timer's p99 lateness
            (goal: <= 30 ms). Songs of four minutes, not shorter: the
            kernel counts CPU time in ticks of 10 ms, and a batch of two
            seconds could measure the window's share only to half a percent.

The ffmpeg commands run directly start in a session of their own (setsid -w),
as the program starts its encoder: the kernel's autogroup scheduling gives
each session its own share of the processor. Beside each ratio of wall times
go the ratio of the CPU times of both process trees and the load average.
"""
import os
import shutil
import statistics
import subprocess
import time

from kelvara_desktop import Kelvara, check, click, find, wait_for, xdotool

WORK = os.environ["KELVARA_WORK"]
HOME = os.environ["HOME"]  # the output folder of a fresh user
HERE = os.path.dirname(os.path.abspath(__file__))
MODE = os.environ.get("BENCH_MODE", "overhead")
RUNS = int(os.environ.get("BENCH_RUNS", "5"))
BUILD = os.environ.get("BENCH_BUILD", "build")
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")
PEAK_JOBS = 0
RUNNING_SHARE = float("nan")

KINDS = {
    "mp3": ("To Audio", "Audio kinds", "To MP3"),
    "avi": ("To PC Video", "PC video kinds", "AVI"),
    "psp": ("To Mobile Video", "Mobile video kinds", "Sony PSP"),
}


def make_clip(path, seconds, size):
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "testsrc2=size=%s:rate=25:duration=%d" % (size, seconds), "-f", "lavfi", "-i",
                    "sine=frequency=440:sample_rate=44100:duration=%d" % seconds, "-c:v", "mpeg4", "-q:v", "4",
                    "-c:a", "pcm_s16le", "-shortest", path], check=True)
    return path


def cpu_seconds(pid, children=False):
    """The process's own user and system time; with children, also that of
    every child it has waited for (and theirs)."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])
    if children:
        ticks += int(fields[13]) + int(fields[14])
    return ticks / TICKS_PER_SECOND


def children(pid):
    """How many child processes pid has now: its running jobs' encoders."""
    count = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/children" % (pid, task)) as listed:
                count += len(listed.read().split())
        except OSError:  # the thread ended meanwhile
            pass
    return count


def load_average():
    with open("/proc/loadavg") as loadavg:
        return " ".join(loadavg.read().split()[:3])


def figure(name, value, goal, note=""):
    """A line as bench/figures.sh prints it."""
    holds = "-"
    if goal != "-":
        op, limit = goal.split()
        holds = "yes" if {"<=": value <= float(limit), ">=": value >= float(limit)}[op] else "no"
    print("FIGURE\t%s\t%.3f\t%s\t%s%s" % (name, value, goal, holds, "\t" + note if note else ""), flush=True)


def visible_windows(pid):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                         capture_output=True, text=True).stdout
    return set(out.split())


def clear_outputs():
    for name in os.listdir(HOME):
        path = os.path.join(HOME, name)
        if os.path.isfile(path) and (not name.startswith(".") or name.startswith(".kelvara-")):
            os.remove(path)


def shell(script):
    return subprocess.run(["bash", "-c", "source '%s/common.sh'; %s" % (HERE, script)], check=True,
                          capture_output=True, text=True).stdout


def set_files_at_once(value):
    """Files at once in the settings file the window reads at its start."""
    folder = os.path.join(HOME, ".config", "Tarvo")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "Kelvara.conf")
    lines = open(path).read().splitlines() if os.path.exists(path) else []
    lines = [line for line in lines if not line.startswith("FilesAtOnce=")]
    if "[Choices]" not in lines:
        lines += ["[Choices]"]
    lines.insert(lines.index("[Choices]") + 1, "FilesAtOnce=%d" % value)
    with open(path, "w") as settings:
        settings.write("\n".join(lines) + "\n")


def window_batch(sources, kind, environment=None):
    """One batch from the window: seconds from START to the completion box,
    the window process's CPU share meanwhile, the monotonic times of both
    ends (for the timer probe's ticks) and the CPU seconds of the window and
    the children it waited for meanwhile. PEAK_JOBS is set to the most
    children the window had at once (sampled ten times a second)."""
    global PEAK_JOBS
    # Each batch starts from the sources alone, not from the list the last
    # window kept between sessions.
    state = os.environ.get("XDG_STATE_HOME", os.path.join(HOME, ".local", "state"))
    shutil.rmtree(os.path.join(state, "kelvara"), ignore_errors=True)
    os.environ.update(environment or {})
    kelvara = Kelvara(*sources)
    for name in (environment or {}):
        del os.environ[name]
    table = kelvara.control("table", "Source files")
    wait_for(lambda: table.queryTable().nRows == len(sources), "the files in the list")
    menu, strip, tab = KINDS[kind]
    kelvara.choose_from_menu("Format Setting", menu)
    strip = kelvara.control("page tab list", strip)
    wanted = [strip.getChildAtIndex(i) for i in range(strip.childCount)]
    click(next(t for t in wanted if t.name == tab))
    pid = kelvara.process.pid
    before = visible_windows(pid)
    start_cpu = cpu_seconds(pid)
    start_tree = cpu_seconds(pid, children=True)
    start = time.monotonic()
    click(kelvara.control("push button", "Start"))
    # Asking X, not the program, whether a new window (the box) is there:
    # the program's own CPU time is part of the figures.
    PEAK_JOBS = 0
    running = []  # (time, the window's CPU seconds) whenever a job was seen running

    def finished():
        global PEAK_JOBS
        jobs = children(pid)
        if jobs:
            running.append((time.monotonic(), cpu_seconds(pid)))
        PEAK_JOBS = max(PEAK_JOBS, jobs)
        return visible_windows(pid) - before

    wait_for(finished, "the completion box", timeout=900)
    end = time.monotonic()
    share = (cpu_seconds(pid) - start_cpu) / (end - start)
    global RUNNING_SHARE
    # From the first look that found a job running to the last: what the
    # window spends while it converts, without the press of START, the end
    # message and its sound.
    RUNNING_SHARE = float("nan")
    if len(running) >= 2 and running[-1][0] > running[0][0]:
        RUNNING_SHARE = (running[-1][1] - running[0][1]) / (running[-1][0] - running[0][0])
    tree = cpu_seconds(pid, children=True) - start_tree
    xdotool("key", "Return")
    wait_for(lambda: find(kelvara.window, "push button", "Start") is not None, "the box closed")
    for row in range(len(sources)):
        status = table.queryTable().getAccessibleAt(row, 0).name
        check(status == "Done", "row %d: %r" % (row, status))
    check(kelvara.close() == 0, "the program did not end cleanly")
    clear_outputs()
    return end - start, share, start, end, tree


def captured_commands(sources, kind):
    capture = os.path.join(WORK, "capture")
    os.makedirs(capture, exist_ok=True)
    os.makedirs(os.path.join(WORK, "out"), exist_ok=True)
    shell("make_capture '%s'" % capture)
    window_batch(sources, kind, {"TARVO_FFMPEG": os.path.join(capture, "ffmpeg")})
    return os.path.join(capture, "commands")


def direct(commands):
    """Wall and CPU seconds of the commands replayed in a session of their own."""
    wall, cpu = map(float, shell("timed_replay '%s'" % commands).split())
    clear_outputs()
    return wall, cpu


def compare(sources, kind, runs, goal):
    commands = captured_commands(sources, kind)
    windows, directs, window_cpus, direct_cpus = [], [], [], []
    for _ in range(runs):
        wall, cpu = direct(commands)
        directs.append(wall)
        direct_cpus.append(cpu)
        batch = window_batch(sources, kind)
        windows.append(batch[0])
        window_cpus.append(batch[4])
    a, b = statistics.median(windows), statistics.median(directs)
    cpu_ratio = statistics.median(window_cpus) / statistics.median(direct_cpus)
    load = load_average()
    print("%-4s the window %7.2f s, ffmpeg directly %7.2f s (medians of %d): ratio %.3f (goal: at most %.2f);"
          " CPU ratio %.3f; load average %s" % (kind, a, b, runs, a / b, goal, cpu_ratio, load), flush=True)
    figure("window: %d file(s) to %s / ffmpeg directly" % (len(sources), kind), a / b, "<= %.2f" % goal,
           "CPU ratio %.3f; load %s" % (cpu_ratio, load))


def responsiveness(sources, kind, at_a_time=1):
    """The timer's lateness while the window's batch runs, beside the
    yardstick: the timer alone beside the same ffmpeg commands, run at_a_time
    at once; and the window's own CPU in a batch of its own."""
    ticks_file = os.path.join(WORK, "ticks.txt")
    if os.path.exists(ticks_file):
        os.remove(ticks_file)
    # The window's CPU from a batch without the probe: its hundred wake-ups a
    # second cost the window more than half a percent of a core by themselves.
    _, share, _, _, _ = window_batch(sources, kind)
    peak, running_share = PEAK_JOBS, RUNNING_SHARE
    seconds, _, start, end, _ = window_batch(sources, kind, {"KELVARA_TIMER_PROBE": ticks_file})
    lateness = []
    with open(ticks_file) as ticks:
        for line in ticks:
            when, late = map(float, line.split())
            if start <= when <= end:
                lateness.append(late)
    lateness.sort()
    p99 = lateness[int(0.99 * (len(lateness) - 1))] if lateness else float("nan")
    # The yardstick: the same timer alone in a process beside the same ffmpeg work.
    commands = captured_commands(sources, kind)
    how = "replay_side_by_side '%s' %d" % (commands, at_a_time) if at_a_time > 1 else "replay '%s'" % commands
    replay = subprocess.Popen(["setsid", "-w", "bash", "-c", "source '%s/common.sh'; %s" % (HERE, how)])
    alone = subprocess.run(["setsid", "-w", os.path.join(BUILD, "bench/batch/bench_batch"), "--probe-only",
                            "%.2f" % seconds], capture_output=True, text=True, check=True).stdout
    replay.wait()
    clear_outputs()
    figures = dict(pair.split("=") for pair in alone.split())
    load = load_average()
    print("%-4s timer late %.2f ms at p99 over %d ticks (goal: at most 30; the timer alone beside ffmpeg %s ms);"
          " the window's own CPU while jobs run %.2f %% of a core (goal: at most 2), %.2f %% from START to the"
          " end message; a batch of %.2f s, at most %d jobs at once; load average %s"
          % (kind, p99, len(lateness), figures["timer_p99_ms"], running_share * 100, share * 100, seconds, peak,
             load), flush=True)
    what = "%s, %d files at once" % (kind, at_a_time) if at_a_time > 1 else kind
    figure("window: 10 ms timer late at p99 while %s encodes (ms)" % what, p99, "<= 30", "load " + load)
    figure("window: own CPU while %s encodes (%% of a core)" % what, running_share * 100, "<= 2", "load " + load)
    figure("window: own CPU from START to the end message, %s (%% of a core)" % what, share * 100, "-",
           "load " + load)


def make_sound(path, seconds):
    """A sound file alone, pink noise, so that the encoder works as on music."""
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                    "anoisesrc=colour=pink:amplitude=0.3:sample_rate=44100:duration=%d" % seconds,
                    "-ac", "2", "-c:a", "pcm_s16le", path], check=True)
    return path


def main():
    if MODE == "at-once":
        set_files_at_once(4)
        sources = [make_sound(os.path.join(WORK, "sound %02d.wav" % i), 240) for i in range(1, 9)]
        responsiveness(sources, "mp3", at_a_time=4)
    elif MODE == "overhead":
        sources = [make_clip(os.path.join(WORK, "clip %02d.avi" % i), 1, "320x240") for i in range(1, 21)]
        compare(sources, "mp3", RUNS, 1.15)
    else:
        sources = [make_clip(os.path.join(WORK, "long clip.avi"), 60, "1920x1080")]
        for kind in ("avi", "psp", "mp3"):
            compare(sources, kind, RUNS, 1.03)
            responsiveness(sources, kind)


main()
