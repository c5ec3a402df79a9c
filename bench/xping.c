/* Measures how fast a program's window answers the window manager's ping (_NET_WM_PING), as a
 * desktop does to tell a hung program, on an X display without a window manager:
 *
 *   bench-xping <duration ms> <window title>
 *
 * Finds the top-level window with that title (WM_NAME), then for <duration ms> sends it one
 * ping at a time, the next 10 ms after the answer to the last, and prints one line
 * "<pings> <median ms> <max ms>". Answers go to the root window with substructure redirect, so
 * this program takes that selection, which only works while no window manager runs.
 * Exits non-zero, printing why, when the window is not found within 20 s. */
#include "xcommon.h"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

static Window findWindow(Display *d, Window root, const char *title)
{
    Window parent, *children = NULL, found = 0;
    unsigned int n = 0;
    if (!XQueryTree(d, root, &root, &parent, &children, &n))
        return 0;
    for (unsigned int i = 0; i < n && !found; ++i) {
        char *name = NULL;
        if (XFetchName(d, children[i], &name) && name) {
            if (strcmp(name, title) == 0)
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

static int compare(const void *a, const void *b)
{
    const double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s <duration ms> <window title>\n", argv[0]);
        return 2;
    }
    const double duration = atof(argv[1]);
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "no display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureRedirectMask | SubstructureNotifyMask);
    const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(d, "_NET_WM_PING", False);

    Window w = 0;
    const double searchStart = nowMs();
    while (!(w = findWindow(d, root, argv[2]))) {
        if (nowMs() - searchStart > 20000) {
            fprintf(stderr, "no window titled \"%s\"\n", argv[2]);
            return 1;
        }
        usleep(20000);
    }

    static double latencies[100000];
    int count = 0;
    const int fd = ConnectionNumber(d);
    const double start = nowMs();
    unsigned long stamp = 1;
    while (nowMs() - start < duration && count < (int)(sizeof latencies / sizeof *latencies)) {
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = protocols;
        e.xclient.format = 32;
        e.xclient.data.l[0] = (long)ping;
        e.xclient.data.l[1] = (long)stamp;
        e.xclient.data.l[2] = (long)w;
        const double sent = nowMs();
        XSendEvent(d, w, False, NoEventMask, &e);
        XFlush(d);
        int answered = 0;
        while (!answered && nowMs() - sent < 30000) {
            while (XPending(d)) {
                XEvent r;
                XNextEvent(d, &r);
                if (r.type == ClientMessage && (Atom)r.xclient.data.l[0] == ping &&
                    (unsigned long)r.xclient.data.l[1] == stamp)
                    answered = 1;
                else if (r.type == MapRequest) /* no window manager: map what asks for it */
                    XMapWindow(d, r.xmaprequest.window);
                else if (r.type == ConfigureRequest) {
                    XWindowChanges c;
                    c.x = r.xconfigurerequest.x;
                    c.y = r.xconfigurerequest.y;
                    c.width = r.xconfigurerequest.width;
                    c.height = r.xconfigurerequest.height;
                    c.border_width = r.xconfigurerequest.border_width;
                    c.sibling = r.xconfigurerequest.above;
                    c.stack_mode = r.xconfigurerequest.detail;
                    XConfigureWindow(d, r.xconfigurerequest.window,
                                     (unsigned)r.xconfigurerequest.value_mask, &c);
                }
            }
            if (answered)
                break;
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            struct timeval tv = {0, 5000};
            select(fd + 1, &set, NULL, NULL, &tv);
        }
        if (!answered)
            break;
        latencies[count++] = nowMs() - sent;
        ++stamp;
        usleep(10000);
    }
    if (count == 0) {
        fprintf(stderr, "no answer\n");
        return 1;
    }
    qsort(latencies, (size_t)count, sizeof *latencies, compare);
    printf("%d %.1f %.1f\n", count, latencies[count / 2], latencies[count - 1]);
    return 0;
}
