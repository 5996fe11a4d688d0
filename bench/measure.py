#!/usr/bin/env python3
"""Measures moravin against the floor program and prints the table.

Start-up and memory: one Xvfb, no window manager, the two programs started
alternately. Start-up is the time from just before the process is spawned to
the first-paint mark the program writes to standard error (the mark is taken
inside the program, once its first frame has been drawn and flushed to the X
server). Resident memory is VmRSS once the window has been idle for a while.

Calculation: the Qt Test benchmark, one press of the button per run, repeated
and reduced to the median by Qt Test itself.

The last line is machine-readable:
    startup_ratio=<x> rss_extra_kb=<n> calc_1e6_ms=<ms>
"""

import argparse
import math
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

STARTUP_RATIO_TARGET = 1.10
RSS_EXTRA_TARGET_KB = 3 * 1024
CALC_1E6_TARGET_MS = 30.0
# Growth exponent d log(time) / d log(length) allowed between the two longest
# texts, both far larger than the CPU caches.
LINEAR_EXPONENT_LIMIT = 1.15
CALC_SIZES = [10, 1000, 100000, 300000, 1000000, 3000000]
CALC_TARGET_SIZE = 1000000

MARK_TIMEOUT_S = 30.0


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="build directory with bench/ programs")
    parser.add_argument("--runs", type=int, default=30, help="start-ups of each program (>= 15)")
    parser.add_argument("--median", type=int, default=15,
                        help="runs of the calculation benchmark per text length")
    parser.add_argument("--settle", type=float, default=1.0,
                        help="seconds the window idles before its memory is read")
    arguments = parser.parse_args()
    if arguments.runs < 15:
        parser.error("--runs must be at least 15")
    return arguments


# --- the X server ---------------------------------------------------------------------------

def free_display():
    for number in range(71, 100):
        if not os.path.exists(f"/tmp/.X{number}-lock") and \
                not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return number
    sys.exit("measure: no free X display number between :71 and :99")


def start_xvfb(log):
    """Starts Xvfb, its messages going to log, and returns (process, display) once
    it takes clients."""
    number = free_display()
    ready_read, ready_write = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
         "-displayfd", str(ready_write)],
        pass_fds=[ready_write], stdout=log, stderr=log)
    os.close(ready_write)
    answer = read_line(ready_read, 10.0)
    os.close(ready_read)
    if not answer:
        stop(server)
        sys.exit("measure: Xvfb did not come up")
    return server, f":{answer}"


def read_line(descriptor, timeout):
    """Reads up to and including a newline. Xvfb writes the display number and
    the newline separately and gives up if the pipe is closed in between."""
    deadline = time.monotonic() + timeout
    received = b""
    while b"\n" not in received and time.monotonic() < deadline:
        readable, _, _ = select.select([descriptor], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(descriptor, 64) if readable else b""
        if not chunk:
            break
        received += chunk
    return received.decode().strip() if b"\n" in received else ""


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


# --- start-up and memory --------------------------------------------------------------------

def program_environment(display, runtime_dir):
    """The same small environment for both programs, whatever the caller's is."""
    return {
        "PATH": "/usr/bin:/bin",
        "HOME": os.environ.get("HOME", "/tmp"),
        "LANG": "C.UTF-8",
        "LC_ALL": "C.UTF-8",
        "DISPLAY": display,
        "XDG_RUNTIME_DIR": runtime_dir,
        "QT_QPA_PLATFORM": "xcb",
    }


def wait_for_mark(process, executable):
    """Reads standard error up to the first-paint line and returns its fields."""
    deadline = time.monotonic() + MARK_TIMEOUT_S
    pending = b""
    while time.monotonic() < deadline:
        readable, _, _ = select.select([process.stderr], [], [], 0.5)
        if not readable:
            continue
        chunk = os.read(process.stderr.fileno(), 4096)
        if not chunk:
            break
        pending += chunk
        for line in pending.decode(errors="replace").splitlines():
            if line.startswith("first-paint "):
                return dict(field.split("=") for field in line.split()[1:])
    raise RuntimeError(f"{executable} wrote no first-paint mark; its standard error was:\n"
                       f"{pending.decode(errors='replace')}")


def resident_memory_kb(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "RssAnon", "RssFile", "RssShmem"):
                fields[key] = int(value.split()[0])
    return fields


def start_once(executable, environment, settle):
    """One start of a program: its start-up times in ms and its idle memory in kB."""
    spawned_ns = time.monotonic_ns()
    process = subprocess.Popen([executable], env=environment, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        mark = wait_for_mark(process, executable)
        time.sleep(settle)
        memory = resident_memory_kb(process.pid)
    finally:
        stop(process)
    application_ns, paint_ns = int(mark["app_ns"]), int(mark["paint_ns"])
    return {
        "startup": (paint_ns - spawned_ns) / 1e6,
        "cpu": int(mark["cpu_ns"]) / 1e6,
        "to_application": (application_ns - spawned_ns) / 1e6,
        "to_paint": (paint_ns - application_ns) / 1e6,
        **memory,
    }


def measure_startups(programs, runs, display, settle):
    """Alternates the programs, one start each per round, after one unrecorded round."""
    results = {name: [] for name in programs}
    with tempfile.TemporaryDirectory(prefix="moravin-bench-") as runtime_dir:
        os.chmod(runtime_dir, 0o700)
        environment = program_environment(display, runtime_dir)
        for round_number in range(runs + 1):
            for name, executable in programs.items():
                sample = start_once(executable, environment, settle)
                if round_number > 0:
                    results[name].append(sample)
                time.sleep(0.2)
            if sys.stderr.isatty():
                print(f"\rstart-ups: {round_number}/{runs} rounds", end="", file=sys.stderr,
                      flush=True)
    if sys.stderr.isatty():
        print(file=sys.stderr)
    return results


def median_of(samples, key):
    return statistics.median(sample[key] for sample in samples)


# --- the calculation ------------------------------------------------------------------------

def run_calculation_benchmark(executable, median_runs):
    """Runs the Qt Test benchmark and returns its XML report.

    It counts with perf's task-clock, the CPU time of the process in nanoseconds;
    where perf events are not allowed Qt Test falls back to wall time, which it
    reports in whole milliseconds."""
    with tempfile.TemporaryDirectory(prefix="moravin-bench-") as runtime_dir:
        os.chmod(runtime_dir, 0o700)
        output = os.path.join(runtime_dir, "result.xml")
        environment = {**program_environment("", runtime_dir), "QT_QPA_PLATFORM": "offscreen"}
        del environment["DISPLAY"]
        command = [executable, "-median", str(median_runs), "-perf", "-perfcounter", "task-clock",
                   "-o", f"{output},xml"]
        finished = subprocess.run(command, env=environment, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.PIPE, text=True, timeout=1800)
        if finished.returncode != 0:
            sys.exit(f"measure: the calculation benchmark failed:\n{finished.stderr}")
        return ElementTree.parse(output).getroot()


METRICS = {
    "WalltimeNanoseconds": (1e-6, "CPU time (perf task-clock)"),
    "WalltimeMilliseconds": (1.0, "wall time in whole ms (perf events not allowed here)"),
}


def calculation_costs_ms(executable, median_runs):
    """Median cost in ms per text length, and what was counted."""
    root = run_calculation_benchmark(executable, median_runs)
    costs, what = {}, ""
    for result in root.iter("BenchmarkResult"):
        if result.get("metric") not in METRICS:
            sys.exit(f"measure: unexpected benchmark metric {result.get('metric')}")
        scale, what = METRICS[result.get("metric")]
        value = float(result.get("value")) / float(result.get("iterations"))
        costs[int(result.get("tag"))] = value * scale
    if sorted(costs) != CALC_SIZES:
        sys.exit(f"measure: benchmark results for {sorted(costs)}, expected {CALC_SIZES}")
    return costs, what


def growth_exponents(costs):
    """d log(time) / d log(length) between consecutive lengths."""
    exponents = {}
    for shorter, longer in zip(CALC_SIZES, CALC_SIZES[1:]):
        if costs[shorter] > 0 and costs[longer] > 0:
            exponents[longer] = math.log(costs[longer] / costs[shorter]) / \
                math.log(longer / shorter)
    return exponents


# --- the report -----------------------------------------------------------------------------

def verdict(met):
    return "met" if met else "MISSED"


def print_startup_table(results, runs):
    floor, moravin = results["floor"], results["moravin"]
    print(f"Start-up and memory: medians of {runs} alternating starts each, "
          "Xvfb without window manager")
    print(f"{'':38} {'floor':>10} {'moravin':>10} {'vs floor':>10}  target")
    rows = [
        ("start-up to first frame, ms", "startup", True),
        ("  spawn to application object, ms", "to_application", False),
        ("  application object to frame, ms", "to_paint", False),
        ("CPU time to first frame, ms", "cpu", False),
    ]
    for label, key, targeted in rows:
        f, m = median_of(floor, key), median_of(moravin, key)
        target = f"<= {STARTUP_RATIO_TARGET:.2f} x  {verdict(m / f <= STARTUP_RATIO_TARGET)}" \
            if targeted else ""
        print(f"{label:38} {f:10.1f} {m:10.1f} {m / f:9.3f}x  {target}")
    for label, key, targeted in [("resident memory (VmRSS), kB", "VmRSS", True),
                                 ("  anonymous, kB", "RssAnon", False),
                                 ("  file-backed, kB", "RssFile", False)]:
        f, m = median_of(floor, key), median_of(moravin, key)
        target = f"<= +{RSS_EXTRA_TARGET_KB} kB  {verdict(m - f <= RSS_EXTRA_TARGET_KB)}" \
            if targeted else ""
        print(f"{label:38} {f:10.0f} {m:10.0f} {m - f:+9.0f}k  {target}")


def print_calculation_table(costs, what, median_runs):
    exponents = growth_exponents(costs)
    print()
    print(f"Calculation (one press of 計算する in the real form): median of {median_runs} "
          f"runs, {what}")
    print(f"{'characters':>12} {'ms':>10} {'ns/char':>10} {'growth':>8}  target")
    for size in CALC_SIZES:
        growth = f"{exponents[size]:8.2f}" if size in exponents else f"{'':8}"
        target = ""
        if size == CALC_TARGET_SIZE:
            target = f"< {CALC_1E6_TARGET_MS:.0f} ms  {verdict(costs[size] < CALC_1E6_TARGET_MS)}"
        print(f"{size:12,} {costs[size]:10.3f} {costs[size] * 1e6 / size:10.1f} {growth}  {target}")
    longest = CALC_SIZES[-1]
    linear = longest in exponents and exponents[longest] <= LINEAR_EXPONENT_LIMIT
    print(f"growth: exponent of time against length from the step before, 1 is linear; "
          f"<= {LINEAR_EXPONENT_LIMIT} from {CALC_SIZES[-2]:,} to {longest:,} characters: "
          f"{verdict(linear)}")
    return linear


def load_average():
    return os.getloadavg()[0]


def main():
    arguments = parse_arguments()
    load_before = load_average()
    bench = os.path.join(arguments.build, "bench")
    programs = {"floor": os.path.join(bench, "moravin-floor"),
                "moravin": os.path.join(bench, "moravin-marked")}
    with tempfile.TemporaryFile(mode="w+") as server_log:
        server, display = start_xvfb(server_log)
        try:
            results = measure_startups(programs, arguments.runs, display, arguments.settle)
        except RuntimeError as error:
            state = "running" if server.poll() is None else f"gone ({server.returncode})"
            server_log.seek(0)
            sys.exit(f"measure: {error}\nXvfb on {display}: {state}; its messages:\n"
                     f"{server_log.read()}")
        finally:
            stop(server)
    costs, what = calculation_costs_ms(os.path.join(bench, "calculation-benchmark"),
                                       arguments.median)

    print(f"machine: {os.cpu_count()} CPUs, load average {load_before:.2f} before the runs, "
          f"{load_average():.2f} after")
    print_startup_table(results, arguments.runs)
    linear = print_calculation_table(costs, what, arguments.median)

    ratio = median_of(results["moravin"], "startup") / median_of(results["floor"], "startup")
    extra_kb = median_of(results["moravin"], "VmRSS") - median_of(results["floor"], "VmRSS")
    calc_ms = costs[CALC_TARGET_SIZE]
    print()
    print(f"startup_ratio={ratio:.3f} rss_extra_kb={extra_kb:.0f} calc_1e6_ms={calc_ms:.2f}")
    met = ratio <= STARTUP_RATIO_TARGET and extra_kb <= RSS_EXTRA_TARGET_KB and \
        calc_ms < CALC_1E6_TARGET_MS and linear
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
