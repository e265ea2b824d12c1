#!/usr/bin/env bash
# Short of descriptors or threads, the clock says so in one line and never dies without its
# shut-down: too low a limit on open files is named at start (status 1); a low one that
# suffices leaves SIGTERM its orderly end (lock and socket gone, status 0); a second thread
# that cannot be made leaves the drawing to the main thread.
[ -n "${CHECKER:-}" ] || exec bash "$(dirname "$0")/../e2e/run_xvfb.sh" ../hostile/limits.sh "$@"
command -v cc > /dev/null || { echo "SKIP: no C compiler for the thread shim"; exit 77; }
lock=$XDG_RUNTIME_DIR/velto-$(id -un).lock
socket=$XDG_RUNTIME_DIR/velto-$(id -un).socket

# ulimit -n sets the hard limit too, so the clock cannot raise it.
status=0
out=$(ulimit -n 16 && "$VELTO" 2>&1) || status=$?
[ "$status" = 1 ] && grep -q "^velto: the program may have no more than 16 files open" <<< "$out" ||
  fail "ulimit -n 16: status $status, said: $out"
[ ! -e "$lock" ] || fail "ulimit -n 16: a lock was left behind"
echo "ok   ulimit -n 16: $out"

# No thread for the pictures drawn ahead: pthread_create fails once, for Qt's pool asked by
# the program itself (a few frames up), and Qt says so.
cat > "$WORK/nothread.c" << 'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <execinfo.h>
#include <pthread.h>
#include <string.h>
typedef int (*create_fn)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
static const char* base(const char* path) {
    const char* slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}
int pthread_create(pthread_t* t, const pthread_attr_t* a, void* (*f)(void*), void* arg) {
    static int failed;
    create_fn real = (create_fn)dlsym(RTLD_NEXT, "pthread_create");
    void* frames[8];
    int n = backtrace(frames, 8);
    Dl_info info;
    if (!failed && n > 1 && dladdr(frames[1], &info) && info.dli_fname &&
        strncmp(base(info.dli_fname), "libQt6Core", 10) == 0) {
        for (int i = 2; i < n; ++i) {
            if (dladdr(frames[i], &info) && info.dli_fname &&
                strcmp(base(info.dli_fname), "velto") == 0) {
                failed = 1;
                return EAGAIN;
            }
        }
    }
    return real(t, a, f, arg);
}
C
cc -shared -fPIC -O1 -o "$WORK/nothread.so" "$WORK/nothread.c" -ldl || fail "the shim did not build"
: > "$WORK/velto.log"
EXTRA_PRELOAD=$WORK/nothread.so start_clock "2026-12-08 10:10:30"
grep -q "Thread creation error" "$WORK/velto.log" ||
  { cat "$WORK/velto.log"; fail "no thread: not said"; }
shoot nothread.png
"$CHECKER" "$WORK/nothread.png" "$X" "$Y" time 10:10 30 || fail "no thread: drawn wrong"
kill "$PID"
wait "$PID" || fail "no thread: the clock did not end cleanly"
echo "ok   no thread: $(grep -m 1 "Thread creation error" "$WORK/velto.log")"
# Enough to run, and a signal still ends it in order (the limit holds for the rest of this
# check, hence last).
ulimit -n 40
start_clock "@2026-12-08 10:00:00"
[ -e "$lock" ] && [ -S "$socket" ] || fail "ulimit -n 40: no lock and socket"
kill -TERM "$PID"
status=0
wait "$PID" || status=$?
[ "$status" = 0 ] || fail "ulimit -n 40: SIGTERM ended it with status $status"
[ ! -e "$lock" ] && [ ! -e "$socket" ] || fail "ulimit -n 40: the shut-down did not run"
echo "ok   ulimit -n 40: SIGTERM ends it in order"
echo "hostile limits ok"
