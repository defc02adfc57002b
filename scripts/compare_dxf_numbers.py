#!/usr/bin/env python3
"""Tells how two DXF outputs of the same job differ, for scripts/windows.

Usage: compare_dxf_numbers.py LINUX_OUTPUT WINDOWS_OUTPUT

Prints one line per differing line ("line N: linux-text | windows-text").
Exit status 0 when the files have the same lines and every differing line
is a number that differs only in its last digits (relative difference below
1e-12), as the rounding of one math-library result can make it; 1 for any
other difference.
"""

import sys

LAST_DIGITS = 1e-12


def only_last_digits(left, right):
    try:
        a, b = float(left), float(right)
    except ValueError:
        return False
    return abs(a - b) <= LAST_DIGITS * max(abs(a), abs(b))


def main():
    with open(sys.argv[1], "rb") as first, open(sys.argv[2], "rb") as second:
        linux_lines = first.read().split(b"\r\n")
        windows_lines = second.read().split(b"\r\n")
    if len(linux_lines) != len(windows_lines):
        print(f"  {len(linux_lines)} lines on Linux, {len(windows_lines)} on Windows")
        return 1
    structural = False
    for number, (left, right) in enumerate(zip(linux_lines, windows_lines), start=1):
        if left == right:
            continue
        left_text, right_text = left.decode("latin-1"), right.decode("latin-1")
        print(f"  line {number}: {left_text.strip()} | {right_text.strip()}")
        structural = structural or not only_last_digits(left_text, right_text)
    return 1 if structural else 0


if __name__ == "__main__":
    sys.exit(main())
