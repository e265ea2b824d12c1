#!/usr/bin/env python3
"""Tells the kernel that the wall clock was set, as setting it by hand does, by setting it
forward by one nanosecond (adjtimex ADJ_SETOFFSET; an offset of zero is not taken as a set):
every timer waiting for a set of the clock hears of it, and the clock itself moves by less
than any drift. Needs CAP_SYS_TIME; exits 77 without it."""
import ctypes
import ctypes.util
import errno
import os
import sys


class TimeVal(ctypes.Structure):
    _fields_ = [("tv_sec", ctypes.c_long), ("tv_usec", ctypes.c_long)]


class Timex(ctypes.Structure):  # struct timex of <sys/timex.h>
    _fields_ = [("modes", ctypes.c_uint)] + [(n, ctypes.c_long) for n in (
        "offset", "freq", "maxerror", "esterror")] + [("status", ctypes.c_int)] + [
        (n, ctypes.c_long) for n in ("constant", "precision", "tolerance")] + [
        ("time", TimeVal)] + [(n, ctypes.c_long) for n in (
            "tick", "ppsfreq", "jitter")] + [("shift", ctypes.c_int)] + [
        (n, ctypes.c_long) for n in ("stabil", "jitcnt", "calcnt", "errcnt", "stbcnt")] + [
        ("tai", ctypes.c_int), ("reserved", ctypes.c_int * 11)]


ADJ_SETOFFSET, ADJ_NANO = 0x0100, 0x2000
libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
a_nanosecond = Timex(modes=ADJ_SETOFFSET | ADJ_NANO, time=TimeVal(0, 1))
if libc.adjtimex(ctypes.byref(a_nanosecond)) < 0:
    err = ctypes.get_errno()
    print(f"cannot tell that the clock was set: {os.strerror(err)}", file=sys.stderr)
    sys.exit(77 if err == errno.EPERM else 1)
