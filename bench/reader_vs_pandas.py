#!/usr/bin/python3
"""Reading and writing a 1,000,000 x 8 trend file: the engine against pandas, in one run.

usage: bench/reader_vs_pandas.py BUILD_DIR [--rows N] [--repeat K]

Prints each time (best of K), the engine's peak memory, and the ratios the goals are set in.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time


def ensure_pandas():
    try:
        import pandas  # noqa: F401
    except ImportError:
        print("installing python3-pandas", file=sys.stderr)
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "install", "-y", "-q", "python3-pandas"], check=True,
                       env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def best(repeat, action):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        action()
        times.append(time.perf_counter() - start)
    return min(times)


def run_tool(args):
    """Wall time and peak resident memory (KB) of one run, measured by GNU time."""
    start = time.perf_counter()
    result = subprocess.run(["/usr/bin/time", "-f", "%M", *args], check=True,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    elapsed = time.perf_counter() - start
    return elapsed, int(result.stderr.strip().splitlines()[-1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--rows", type=int, default=1000000)
    parser.add_argument("--repeat", type=int, default=3)
    options = parser.parse_args()
    ensure_pandas()
    import pandas as pd

    build = os.path.abspath(options.build)
    generator = os.path.join(build, "tools", "trend-demo-data")
    trendtool = os.path.join(build, "app", "trendtool")
    io_bench = os.path.join(build, "bench", "trend_bench_io")
    work = tempfile.mkdtemp(prefix="trendbench-")
    big = os.path.join(work, "big.csv")
    early = os.path.join(work, "early.csv")
    subprocess.run([generator, "--bench-file", big, "--rows", str(options.rows)], check=True)
    subprocess.run([generator, "--bench-file", early, "--rows", str(options.rows // 10),
                    "--start", "2021/03/01 00:00:00"], check=True)
    megabytes = os.path.getsize(big) / 1e6

    frame = None

    def pandas_read():
        nonlocal frame
        frame = pd.read_csv(big, skiprows=3, na_values=["N"])
        frame["Date Time"] = pd.to_datetime(frame["Date Time"], format="%Y/%m/%d %H:%M:%S")

    pandas_load = best(options.repeat, pandas_read)
    out_pandas = os.path.join(work, "pandas.csv")
    pandas_write = best(options.repeat, lambda: frame.to_csv(out_pandas, index=False))

    runs = [run_tool([trendtool, "info", work, "big.csv"]) for _ in range(options.repeat)]
    engine_load = min(r[0] for r in runs)
    peak_kb = max(r[1] for r in runs)

    def io(*args):
        output = subprocess.run([io_bench, *args], check=True, capture_output=True, text=True)
        return output.stdout.split()

    per_cell = float(io("load", big)[5])
    out_engine = os.path.join(work, "engine.csv")
    engine_write = min(float(io("write", big, out_engine)[1]) for _ in range(options.repeat))
    add_runs = [io("addfile", big, early) for _ in range(options.repeat)]
    add = min(float(r[1]) for r in add_runs)
    alone = min(float(r[3]) for r in add_runs)

    print(f"file: {options.rows} rows x 8 columns, {megabytes:.1f} MB")
    print(f"load    pandas read_csv + to_datetime {pandas_load:.3f} s ({megabytes / pandas_load:.0f} MB/s)")
    print(f"load    trendtool info                {engine_load:.3f} s ({megabytes / engine_load:.0f} MB/s)"
          f"  ratio {pandas_load / engine_load:.1f}x  (goal >= 6x, aim 10x)")
    print(f"memory  trendtool info peak           {peak_kb / 1024:.0f} MB  (goal <= 120 MB)")
    print(f"memory  data set                      {per_cell:.2f} bytes per value cell  (goal <= 10)")
    print(f"write   pandas to_csv                 {pandas_write:.3f} s")
    print(f"write   summary writer                {engine_write:.3f} s"
          f"  ratio {pandas_write / engine_write:.1f}x  (goal >= 3x)")
    print(f"addfile earlier {options.rows // 10} rows into {options.rows}: {add:.4f} s,"
          f" reading it alone {alone:.4f} s  ratio {add / alone:.2f}  (goal <= 3)")
    subprocess.run(["rm", "-rf", work])


if __name__ == "__main__":
    main()
