"""Counting verdicts and printing the report."""

import collections

from .runner import KILLED, SURVIVED, TIMEOUT, UNCOMPILABLE


class Tally:
    def __init__(self):
        self.by_file = collections.defaultdict(collections.Counter)
        self.by_module = collections.defaultdict(collections.Counter)
        self.survivors = []
        self.seconds = []  # per judged mutant, build and tests

    def add(self, module, mutant, verdict, seconds):
        self.by_file[mutant.path][verdict] += 1
        self.by_module[module][verdict] += 1
        self.seconds.append(seconds)
        if verdict == SURVIVED:
            self.survivors.append(mutant)


def _line(name, counts):
    killed = counts[KILLED] + counts[TIMEOUT]
    judged = killed + counts[SURVIVED]
    score = f"{100.0 * killed / judged:5.1f}%" if judged else "    -"
    timeouts = f" (time-out {counts[TIMEOUT]})" if counts[TIMEOUT] else ""
    return (f"  {name:48} killed {killed:4}{timeouts}  survived {counts[SURVIVED]:4}  "
            f"uncompilable {counts[UNCOMPILABLE]:4}  score {score}")


def print_report(tally, elapsed):
    print("\nPer file:")
    for path in sorted(tally.by_file):
        print(_line(path, tally.by_file[path]))
    print("Per module:")
    for module in sorted(tally.by_module):
        print(_line(module, tally.by_module[module]))
    if tally.seconds:
        mean = sum(tally.seconds) / len(tally.seconds)
        print(f"{len(tally.seconds)} mutants in {elapsed:.0f} s, {mean:.1f} s per mutant")
    print(f"\nSurviving mutants ({len(tally.survivors)}):")
    for m in tally.survivors:
        print(f"  {m.path}:{m.line}: {m.operator}: {m.original.strip()}  ->  {m.mutated.strip()}")
