#!/usr/bin/env python3
"""Prints the editor's speed goals as a table (goal / before / after) from the JSON of bench_editor_goals.

Usage: bench/goals_table.py BEFORE.json AFTER.json
Each figure is the median CPU time of the repetitions (the single run when there were none); ratios are
taken between benchmarks of the same file, so each version is compared with its own baseline.
"""
import json
import sys


def medians(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    result = {}
    for run in runs:
        name = run["run_name"]
        if run.get("aggregate_name") == "median" or (run.get("run_type") == "iteration" and name not in result):
            result[name] = run
    return result


def cpu_us(runs, name):
    run = runs.get(name)
    if not run:
        return None
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run["time_unit"]]
    return run["cpu_time"] * scale


def counter(runs, name, key):
    run = runs.get(name)
    return run.get(key) if run else None


def fmt(value, unit=""):
    if value is None:
        return "-"
    if abs(value) >= 100:
        return f"{value:.0f}{unit}"
    if abs(value) >= 10:
        return f"{value:.1f}{unit}"
    return f"{value:.2f}{unit}"


def ratio(runs, a, b):
    x, y = cpu_us(runs, a), cpu_us(runs, b)
    return x / y if x and y else None


def rows(runs):
    types = [cpu_us(runs, f"TypeChar/{n}") for n in (1000, 10000, 100000)]
    returns = [cpu_us(runs, f"Return/{n}") for n in (1000, 10000, 100000)]
    flat = max(returns) / min(returns) if all(returns) else None
    return [
        ("load, wrap off, vs the split", "<= 1.0x", fmt(ratio(runs, "LoadWrapOff/10MB", "Split/10MB"), "x")),
        ("load, wrap on, vs the split", "<= 2x", fmt(ratio(runs, "LoadWrapOn/10MB", "Split/10MB"), "x")),
        ("typed character at 1k / 10k / 100k lines", "<= 1 us", " / ".join(fmt(t, " us") for t in types)),
        ("Return at 1k / 10k / 100k lines", "<= 2 us, flat within 1.5x",
         " / ".join(fmt(t, " us") for t in returns) + f" ({fmt(flat, 'x')})"),
        ("typing inside one 10 KB paragraph", "<= 5 us", fmt(cpu_us(runs, "TypeLongParagraph/10240"), " us")),
        ("first keystroke after loading 100k lines", "<= 1 ms", fmt(cpu_us(runs, "FirstKeyAfterLoad/100000"), " us")),
        ("worst single keystroke (TypeChar / Return at 100k lines)", "<= 50 us",
         fmt(counter(runs, "TypeChar/100000", "max_us"), " us") + " / " +
         fmt(counter(runs, "Return/100000", "max_us"), " us")),
        ("  the same worst for fixed work as long as a mean key (the machine's own)", "-",
         fmt(counter(runs, "TypeChar/100000", "noise_max_us"), " us") + " / " +
         fmt(counter(runs, "Return/100000", "noise_max_us"), " us")),
        ("tokenizer vs the byte-classify loop", ">= 0.5", fmt(ratio(runs, "Classify/10MB", "Tokenize/10MB"))),
        ("typed character in one 10 MB line, wrap on / off", "<= 1 ms",
         fmt(cpu_us(runs, "TypeInHugeLine/10MB"), " us") + " / " + fmt(cpu_us(runs, "TypeInHugeLineWrapOff/10MB"), " us")),
        ("undo memory after 64 keys on that line", "< 1 MB",
         fmt(counter(runs, "TypeInHugeLine/10MB", "undo_kb_64_keys"), " KB")),
        ("heap bytes per row besides the text, wrap off / on", "-",
         fmt(counter(runs, "LoadWrapOff/10MB", "heap_bytes_per_row")) + " / " +
         fmt(counter(runs, "LoadWrapOn/10MB", "heap_bytes_per_row"))),
    ]


def main():
    before, after = medians(sys.argv[1]), medians(sys.argv[2])
    print("| case | goal | before | after |")
    print("|---|---|---|---|")
    for (case, goal, old), (_, _, new) in zip(rows(before), rows(after)):
        print(f"| {case} | {goal} | {old} | {new} |")


if __name__ == "__main__":
    main()
