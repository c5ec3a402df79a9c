/* Times one start of a program on an X display without a window manager:
 *
 *   bench-xwatch <settle ms> <program> [args...]
 *
 * Forks the program and prints one line "<map ms> <paint ms> <peak rss KiB>": milliseconds
 * from the fork to the first map of a top-level window of at least 200 x 200 pixels, to the
 * first time that window holds more than one colour (something was drawn), and the program's
 * peak resident set size (VmHWM) read <settle ms> after the paint. The program is then ended.
 * Exits non-zero, printing why, when the window does not appear or paint within 20 s. */
#include "xcommon.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static int hasContent(Display *d, Window w, int width, int height)
{
    XImage *img = XGetImage(d, w, 0, 0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    unsigned long first = XGetPixel(img, 0, 0);
    int found = 0;
    for (int y = 0; y < height && !found; y += 4)
        for (int x = 0; x < width; x += 4)
            if (XGetPixel(img, x, y) != first) {
                found = 1;
                break;
            }
    XDestroyImage(img);
    return found;
}

static long peakRssKiB(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kib = -1;
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    fclose(f);
    return kib;
}

static void finish(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s <settle ms> <program> [args...]\n", argv[0]);
        return 2;
    }
    int settleMs = atoi(argv[1]);
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    double start = nowMs();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double mapped = -1, painted = -1;
    Window w = 0;
    int width = 0, height = 0;
    int fd = ConnectionNumber(d);
    while (painted < 0 && nowMs() - start < 20000) {
        while (w == 0 && XPending(d)) {
            XEvent ev;
            XNextEvent(d, &ev);
            if (ev.type != MapNotify || ev.xmap.event != root)
                continue;
            XWindowAttributes a;
            if (XGetWindowAttributes(d, ev.xmap.window, &a) && a.width >= 200 && a.height >= 200) {
                mapped = nowMs() - start;
                w = ev.xmap.window;
                width = a.width;
                height = a.height;
            }
        }
        if (w != 0) {
            if (hasContent(d, w, width, height))
                painted = nowMs() - start;
            else
                usleep(2000);
            continue;
        }
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        struct timeval tv = {0, 5000};
        select(fd + 1, &set, NULL, NULL, &tv);
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "%s ended before its window appeared\n", argv[2]);
            return 1;
        }
    }
    if (painted < 0) {
        fprintf(stderr, "%s: no painted window within 20 s\n", argv[2]);
        finish(pid);
        return 1;
    }
    usleep((useconds_t)settleMs * 1000);
    long rss = peakRssKiB(pid);
    finish(pid);
    printf("%.1f %.1f %ld\n", mapped, painted, rss);
    XCloseDisplay(d);
    return 0;
}
