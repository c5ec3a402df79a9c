/* What the X tools of the benchmarks share: a monotonic clock in milliseconds, and an error
 * handler for windows that vanish while they are inspected (such errors are expected). */
#ifndef ORBIS_BENCH_XCOMMON_H
#define ORBIS_BENCH_XCOMMON_H
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <time.h>

static inline double nowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static inline int ignoreErrors(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0;
}
#endif
