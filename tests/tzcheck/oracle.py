#!/usr/bin/env python3
"""Scenarios and their expected outcomes for the time check, worked out with Python's zoneinfo
(the tz database read independently of glibc and Qt).

For every zone (or those named) and every change of its UTC offset in the years asked for, it
writes scenarios around the change, each with the ticks to run and what must come of them:

  Z <zone> <change instant> <offset before> <offset after>
  preset <minutes> <ticks> alarm=<instant> text=<hh:mm:ss> ring=<instant> cd=<instant>:<n>,...
  typed <hh:mm> <ticks> alarm=<instant> text=<hh:mm:ss> ring=<instant>|-
  punch - <ticks> punch=<instant>:<minutes>,...
  announce <interval> <ticks> rings=<instant>,...

<ticks> lists runs of ticks a second apart as first:last,first:last (instants in seconds since
the epoch); between runs no tick comes (a stall or a suspend), and real time runs on with the
instant. The action (preset, typed time, punch in) comes right after the first tick; the
program starts a second before it.
"""

import argparse
import datetime as dt
import sys
from zoneinfo import ZoneInfo, available_timezones

UTC = dt.timezone.utc
GAPS = (0, 7, 61, 3601)  # seconds without a tick, straddling the change


def local(t, zone):
    return dt.datetime.fromtimestamp(t, zone)


def offset(t, zone):
    return int(local(t, zone).utcoffset().total_seconds())


def changes(zone, years):
    """The instants at which the zone's offset changes within `years`."""
    start = int(dt.datetime(years[0], 1, 1, tzinfo=UTC).timestamp())
    end = int(dt.datetime(years[-1] + 1, 1, 1, tzinfo=UTC).timestamp())
    step = 6 * 3600
    t = start
    before = offset(t, zone)
    while t < end:
        after = offset(t + step, zone)
        if after != before:
            lo, hi = t, t + step  # offset(lo) == before, offset(hi) == after
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if offset(mid, zone) == before:
                    lo = mid
                else:
                    hi = mid
            yield hi, before, after
        before = after
        t += step


def schedule(first, last, gap, around):
    """Ticks each second from first to last, but none for `gap` seconds around `around`."""
    if gap == 0:
        return [(first, last)]
    stall = max(first, around - gap // 2)
    return [(first, stall), (stall + gap, max(last, stall + gap + 2))]


def ticks_text(runs):
    return ",".join(f"{a}:{b}" for a, b in runs)


def first_tick_at_or_after(runs, t):
    for a, b in runs:
        if t <= b:
            return max(a, t)
    return None


def minute_starts(after, upto, zone, limit):
    """How many times the local clock begins a minute in (after, upto], counted to `limit`."""
    n = 0
    t = after + 1
    while t <= upto and n < limit:
        if local(t, zone).second == 0:
            n += 1
            t += 60
        else:
            t += 1
    return n


def text(t, zone):
    return local(t, zone).strftime("%H:%M:%S")


def occurrences(day, hh, mm, zone):
    """The instants at which the local clock of `day` shows hh:mm, or jumps over it."""
    found = set()
    for fold in (0, 1):
        wall = dt.datetime(day.year, day.month, day.day, hh, mm, tzinfo=zone, fold=fold)
        t = int(wall.timestamp())
        back = local(t, zone)
        if (back.date(), back.hour, back.minute) == (day, hh, mm):
            found.add(t)
    if found:
        return sorted(found)
    # Skipped: the jump is the first instant whose local time is past it.
    target = dt.datetime(day.year, day.month, day.day, hh, mm)
    times = [int(dt.datetime(day.year, day.month, day.day, hh, mm, tzinfo=zone, fold=f).timestamp())
             for f in (0, 1)]
    lo, hi = min(times) - 86400, max(times) + 86400
    while hi - lo > 1:
        mid = (lo + hi) // 2
        if local(mid, zone).replace(tzinfo=None) < target:
            lo = mid
        else:
            hi = mid
    return [hi]


def next_showing(now, hh, mm, zone):
    """The next time hh:mm comes after the current minute."""
    threshold = now - local(now, zone).second + 60
    today = local(now, zone).date()
    for k in range(-1, 4):
        for t in occurrences(today + dt.timedelta(days=k), hh, mm, zone):
            if t >= threshold:
                return t
    return None


def preset_lines(change, zone):
    for minutes in (1, 10, 60):
        set_at = change - 60 * minutes + 30
        alarm = set_at + 60 * minutes
        for gap in GAPS:
            runs = schedule(set_at, alarm + 3, gap, change)
            ring = first_tick_at_or_after(runs, alarm)
            checks = [(set_at, minutes)]
            after = first_tick_at_or_after(runs, change)
            if after is not None and after < alarm:
                checks.append((after, minute_starts(after, alarm, zone, 60)))
            if ring - 1 >= runs[-1][0] and ring - 1 > set_at:
                checks.append((ring - 1, minute_starts(ring - 1, alarm, zone, 60)))
            cd = ",".join(f"{t}:{n}" for t, n in checks)
            yield (f"preset {minutes} {ticks_text(runs)} alarm={alarm} text={text(alarm, zone)} "
                   f"ring={ring} cd={cd}")


def typed_lines(change, before, after, zone):
    shift = abs(after - before)
    for set_at in (change - 1800, change + 600):
        now = local(set_at, zone)
        wall_before = local(change - 1, zone)
        wall_after = local(change, zone)
        middle = (wall_before if after > before else wall_after) + dt.timedelta(seconds=shift // 2)
        choices = [now, now + dt.timedelta(minutes=1), wall_before - dt.timedelta(minutes=20),
                   wall_before, wall_after, middle, wall_after + dt.timedelta(minutes=20)]
        for c in choices:
            hh, mm = c.hour, c.minute
            alarm = next_showing(set_at, hh, mm, zone)
            runs = [(set_at, set_at), (alarm - 3, alarm + 3)]
            yield (f"typed {hh:02d}:{mm:02d} {ticks_text(runs)} alarm={alarm} "
                   f"text={text(alarm, zone)} ring={alarm}")


def punch_lines(change):
    punched = change - 2400 + 17
    for gap in GAPS:
        runs = schedule(punched, change + 2400, gap, change)
        checks = {first_tick_at_or_after(runs, change), first_tick_at_or_after(runs, change + 1200),
                  change + 2400}
        counts = ",".join(f"{t}:{(t - punched) // 60}" for t in sorted(checks))
        yield f"punch - {ticks_text(runs)} punch={counts}"


def announce_lines(change, zone):
    first = change - 35 * 60 - 7
    for interval in (10, 15, 20, 30, 60):
        for gap in GAPS:
            runs = schedule(first, change + 35 * 60, gap, change)
            rings = []
            previous = first - 1  # the program starts a second before the first tick
            for a, b in runs:
                # A run's first tick rings for its minute if that began since the tick
                # before; later ticks of the run, a second apart, only on a minute's start.
                when = local(a, zone)
                start = a - when.second
                if start > previous and when.minute % interval == 0:
                    rings.append(a)
                t = start + 60
                while t <= b:
                    when = local(t, zone)
                    assert when.second == 0, f"{zone}: an offset of odd seconds"
                    if when.minute % interval == 0:
                        rings.append(t)
                    t += 60
                previous = b
            yield f"announce {interval} {ticks_text(runs)} rings={','.join(map(str, rings))}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--years", type=int, nargs="+", default=None,
                        help="the years to check (default: this one and the next)")
    parser.add_argument("zones", nargs="*", help="zones to check (default: every zone)")
    args = parser.parse_args()
    this_year = dt.date.today().year
    years = args.years or [this_year, this_year + 1]
    zones = args.zones or sorted(z for z in available_timezones() if not z.startswith("posix"))
    out = sys.stdout
    print(f"[ oracle ] {len(zones)} zones, years {', '.join(map(str, years))}", file=sys.stderr)
    for name in zones:
        zone = ZoneInfo(name)
        for change, before, after in changes(zone, years):
            out.write(f"Z {name} {change} {before} {after}\n")
            for lines in (preset_lines(change, zone), typed_lines(change, before, after, zone),
                          punch_lines(change), announce_lines(change, zone)):
                for line in lines:
                    out.write(line + "\n")


if __name__ == "__main__":
    main()
