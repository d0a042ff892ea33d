#!/usr/bin/python3
"""Starts Orca with its debug file written line by line, so that a test can
read each utterance as it is logged (Orca itself buffers the file).

Usage: orca_line_log.py ORCA_ARGUMENTS...   (including --debug-file FILE)
"""
import builtins
import runpy
import sys

_open = builtins.open


def line_buffered_open(file, mode="r", *args, **kwargs):
    if "w" in mode and "b" not in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return _open(file, mode, *args, **kwargs)


builtins.open = line_buffered_open
sys.argv = ["/usr/bin/orca"] + sys.argv[1:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
