#!/usr/bin/env python3
"""The record audit's wider battery recounted with SciPy, independently of Quorvel's C++: the
figures the audit test holds the program to. Needs python3-scipy (apt-get install python3-scipy).

    python3 tools/audit_scipy.py data/draws-2004-2026.csv
"""
import csv
import sys
from collections import Counter, defaultdict

from scipy.stats import chi2_contingency, chisquare

WAYS = Counter(a + b + c for a in range(10) for b in range(10) for c in range(10))


def read(path):
    draws = []
    with open(path, encoding='utf-8-sig') as f:
        for row in csv.reader(f):
            if not row or not row[0].strip().isdigit():
                continue
            draws.append((int(row[0]), [int(d) for d in row[1:4]]))
    return draws


def table(pairs):
    counts = [[0] * 10 for _ in range(10)]
    for a, b in pairs:
        counts[a][b] += 1
    return counts


def contingency(name, counts):
    stat, p, df, _ = chi2_contingency(counts, correction=False)
    print(f'{{"{name}", {stat!r}, {df}, {p!r}}},')


def halves(draws):
    n = len(draws)
    first, rest = draws[: n // 2], draws[n // 2:]
    shorter = n // 2
    classes = []
    for sums in (range(0, 14), range(27, 13, -1)):
        tail, current, expected = [], [], 0.0
        for s in sums:
            current.append(s)
            expected += shorter * WAYS[s] / 1000
            if expected >= 5:
                tail.append(current)
                current, expected = [], 0.0
        if current:
            if tail:
                tail[-1] += current
            else:
                tail.append(current)
        classes += tail
    counts = [[sum(1 for _, d in half if sum(d) in c) for c in classes] for half in (first, rest)]
    return counts


def main(path):
    draws = read(path)
    digits = [d for _, d in draws]
    for lag in (2, 3):
        for k in range(3):
            contingency(f'lag{lag}-{k + 1}', table((digits[t][k], digits[t + lag][k])
                                                   for t in range(len(digits) - lag)))
    for a, b in ((0, 1), (0, 2), (1, 2)):
        contingency(f'within-{a + 1}{b + 1}', table((d[a], d[b]) for d in digits))
    triples = Counter(100 * d[0] + 10 * d[1] + d[2] for d in digits)
    stat, p = chisquare([triples[i] for i in range(1000)])
    print(f'{{"triples", {stat!r}, 999, {p!r}}},')
    contingency('halves-sums', halves(draws))
    years = defaultdict(lambda: [0] * 10)
    for period, d in draws:
        for digit in d:
            years[period // 1000][digit] += 1
    contingency('years-digits', [c for c in years.values() if sum(c) >= 900])


if __name__ == '__main__':
    main(sys.argv[1])
