// SPDX-License-Identifier: MIT
/* Loads libtktime32 with dlopen, as a foreign program would, calls FlashScreen
   and reports what it saw; flash_test.py decides whether that is right. Plain
   C, so the public header is checked to compile as C.

   flash_probe shake LIBRARY     a window at (100, 200), shaken twice: each
                                 call's result, duration and every position
                                 the window took (ConfigureNotify)
   flash_probe calls LIBRARY     calls with ids that are no window to shake
   flash_probe play LIBRARY GAP  no window: the sound alone, called a second
                                 time GAP ms after the first when GAP > 0
   flash_probe unload LIBRARY    dlclose right after calls, from this thread
                                 and another; whether the library's code and
                                 threads are gone afterwards
   flash_probe managed LIBRARY GRAVITY
                                 a window the window manager framed, with that
                                 win_gravity: where its frame went */
#define _POSIX_C_SOURCE 200809L

#include "tktime32.h"

#include <dirent.h>
#include <dlfcn.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

/* The header's own declaration gives the type, so a mismatch fails here. */
typedef __typeof__(FlashScreen) FlashFunction;

static void *open_library(const char *path, FlashFunction **flash)
{
    void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        exit(2);
    }
    void *symbol = dlsym(handle, "FlashScreen");
    if (!symbol) {
        fprintf(stderr, "dlsym: %s\n", dlerror());
        exit(2);
    }
    memcpy(flash, &symbol, sizeof symbol);
    return handle;
}

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static void sleep_ms(long ms)
{
    struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0) { }
}

static void sync_with(xcb_connection_t *c)
{
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
}

static xcb_connection_t *connect_display(xcb_screen_t **screen)
{
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "no X display\n");
        exit(2);
    }
    *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return c;
}

/* An override-redirect window, so no window manager moves it, that reports
   its moves to this connection. */
static xcb_window_t map_window(xcb_connection_t *c, xcb_screen_t *screen, int x, int y)
{
    xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {1, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, (int16_t)x, (int16_t)y, 160, 90, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK,
                      values);
    xcb_map_window(c, window);
    xcb_flush(c);
    for (;;) {
        xcb_generic_event_t *event = xcb_wait_for_event(c);
        if (!event) {
            fprintf(stderr, "X connection lost\n");
            exit(2);
        }
        const int mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        free(event);
        if (mapped)
            return window;
    }
}

static int shake(const char *library)
{
    xcb_screen_t *screen;
    xcb_connection_t *c = connect_display(&screen);
    const xcb_window_t window = map_window(c, screen, 100, 200);
    FlashFunction *flash;
    void *handle = open_library(library, &flash);
    for (int call = 1; call <= 2; ++call) {
        const double start = now_ms();
        const int result = flash(window);
        const double took = now_ms() - start;
        /* The library waits for the server to carry out its moves; one round
           trip more and their events are all queued here. */
        sync_with(c);
        printf("call %d: result %d, %.1f ms, positions", call, result, took);
        xcb_generic_event_t *event;
        while ((event = xcb_poll_for_queued_event(c))) {
            if ((event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY) {
                const xcb_configure_notify_event_t *moved = (const xcb_configure_notify_event_t *)event;
                if (moved->window == window)
                    printf(" %d,%d", moved->x, moved->y);
            }
            free(event);
        }
        printf("\n");
    }
    dlclose(handle);
    xcb_disconnect(c);
    return 0;
}

/* A window left to the window manager, which frames it: FlashScreen must move
   the frame around where it was, as if the window had no frame. */
static int managed(const char *library, uint32_t gravity)
{
    xcb_screen_t *screen;
    xcb_connection_t *c = connect_display(&screen);
    xcb_window_t window = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 100, 200, 160, 90, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK, &mask);
    /* WM_NORMAL_HINTS: a position the user chose (so it is kept) and the
       gravity to place the frame by. */
    uint32_t hints[18] = {0};
    hints[0] = 1u /* USPosition */ | (1u << 9) /* PWinGravity */;
    hints[1] = 100;
    hints[2] = 200;
    hints[17] = gravity;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                        hints);
    xcb_map_window(c, window);
    xcb_flush(c);
    for (int reparented = 0, mapped = 0; !(reparented && mapped);) {
        xcb_generic_event_t *event = xcb_wait_for_event(c);
        if (!event)
            return 2;
        reparented |= (event->response_type & 0x7f) == XCB_REPARENT_NOTIFY;
        mapped |= (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        free(event);
    }
    xcb_window_t frame = window;
    for (;;) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, xcb_query_tree(c, frame), NULL);
        const int top = tree && tree->parent == tree->root;
        if (tree && !top)
            frame = tree->parent;
        free(tree);
        if (!tree || top)
            break;
    }
    xcb_change_window_attributes(c, frame, XCB_CW_EVENT_MASK, &mask);
    xcb_get_geometry_reply_t *where = xcb_get_geometry_reply(c, xcb_get_geometry(c, frame), NULL);
    printf("frame at %d,%d\n", where->x, where->y);
    free(where);
    FlashFunction *flash;
    void *handle = open_library(library, &flash);
    for (int call = 1; call <= 2; ++call) {
        flash(window);
        /* The window manager carries the moves out after the call returns. */
        printf("call %d: frame positions", call);
        int seen = 0;
        const double deadline = now_ms() + 3000;
        while (seen < 20 && now_ms() < deadline) {
            xcb_generic_event_t *event = xcb_poll_for_event(c);
            if (!event) {
                sleep_ms(5);
                continue;
            }
            if (event->response_type == XCB_CONFIGURE_NOTIFY) {
                const xcb_configure_notify_event_t *moved = (const xcb_configure_notify_event_t *)event;
                if (moved->window == frame) {
                    printf(" %d,%d", moved->x, moved->y);
                    ++seen;
                }
            }
            free(event);
        }
        printf("\n");
    }
    dlclose(handle);
    xcb_disconnect(c);
    return 0;
}

static int calls(const char *library)
{
    FlashFunction *flash;
    void *handle = open_library(library, &flash);
    unsigned long root = 0;
    unsigned long destroyed = 0;
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (!xcb_connection_has_error(c)) {
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        root = screen->root;
        destroyed = map_window(c, screen, 10, 10);
        xcb_destroy_window(c, (xcb_window_t)destroyed);
        sync_with(c);
    }
    const struct
    {
        const char *name;
        unsigned long id;
    } cases[] = {
        {"zero", 0},
        {"destroyed", destroyed},
        {"root", root},
        {"all-ones", 0xFFFFFFFFul},
        {"beyond-32-bits", (unsigned long)-1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const double start = now_ms();
        const int result = flash(cases[i].id);
        printf("%s: result %d, %.1f ms\n", cases[i].name, result, now_ms() - start);
    }
    dlclose(handle);
    xcb_disconnect(c);
    return 0;
}

static int play(const char *library, long gap)
{
    FlashFunction *flash;
    void *handle = open_library(library, &flash);
    printf("result %d\n", flash(0));
    if (gap > 0) {
        sleep_ms(gap);
        printf("result %d\n", flash(0));
    }
    fflush(stdout);
    sleep_ms(1500); /* the sound plays on in this process */
    dlclose(handle);
    return 0;
}

static int count_threads(void)
{
    DIR *tasks = opendir("/proc/self/task");
    int count = 0;
    for (struct dirent *entry; tasks && (entry = readdir(tasks));)
        count += entry->d_name[0] != '.';
    if (tasks)
        closedir(tasks);
    return count;
}

static int library_mapped(void)
{
    FILE *maps = fopen("/proc/self/maps", "r");
    char line[4096];
    int found = 0;
    while (maps && fgets(line, sizeof line, maps))
        found |= strstr(line, "libtktime32") != NULL;
    if (maps)
        fclose(maps);
    return found;
}

struct worker
{
    FlashFunction *flash;
    unsigned long window;
    pthread_mutex_t lock;
    pthread_cond_t changed;
    int called;
    int may_exit;
};

/* Calls FlashScreen, then stays alive until the library is gone: a thread
   that used the library must be able to end after dlclose. */
static void *worker_main(void *arg)
{
    struct worker *w = arg;
    w->flash(w->window);
    pthread_mutex_lock(&w->lock);
    w->called = 1;
    pthread_cond_broadcast(&w->changed);
    while (!w->may_exit)
        pthread_cond_wait(&w->changed, &w->lock);
    pthread_mutex_unlock(&w->lock);
    return NULL;
}

static int unload(const char *library)
{
    xcb_screen_t *screen;
    xcb_connection_t *c = connect_display(&screen);
    const xcb_window_t window = map_window(c, screen, 300, 300);
    const int threads_before = count_threads();
    /* A window to shake: dlclose while the sound plays. No window: dlclose
       while the library may still be connecting to the sound server. */
    const unsigned long targets[] = {window, 0};
    for (size_t i = 0; i < 2; ++i) {
        FlashFunction *flash;
        void *handle = open_library(library, &flash);
        flash(targets[i]);
        dlclose(handle);
        printf("main thread, window %lu: mapped %d, threads %d of %d\n", targets[i], library_mapped(), count_threads(),
               threads_before);
    }
    for (size_t i = 0; i < 2; ++i) {
        struct worker w = {
            .window = targets[i], .lock = PTHREAD_MUTEX_INITIALIZER, .changed = PTHREAD_COND_INITIALIZER};
        void *handle = open_library(library, &w.flash);
        pthread_t thread;
        pthread_create(&thread, NULL, worker_main, &w);
        pthread_mutex_lock(&w.lock);
        while (!w.called)
            pthread_cond_wait(&w.changed, &w.lock);
        pthread_mutex_unlock(&w.lock);
        dlclose(handle);
        pthread_mutex_lock(&w.lock);
        w.may_exit = 1;
        pthread_cond_broadcast(&w.changed);
        pthread_mutex_unlock(&w.lock);
        pthread_join(thread, NULL);
        printf("other thread, window %lu: mapped %d, threads %d of %d\n", w.window, library_mapped(), count_threads(),
               threads_before);
    }
    xcb_disconnect(c);
    return 0;
}

int main(int argc, char **argv)
{
    setvbuf(stdout, NULL, _IOLBF, 0);
    if (argc == 3 && strcmp(argv[1], "shake") == 0)
        return shake(argv[2]);
    if (argc == 3 && strcmp(argv[1], "calls") == 0)
        return calls(argv[2]);
    if (argc == 4 && strcmp(argv[1], "play") == 0)
        return play(argv[2], atol(argv[3]));
    if (argc == 3 && strcmp(argv[1], "unload") == 0)
        return unload(argv[2]);
    if (argc == 4 && strcmp(argv[1], "managed") == 0)
        return managed(argv[2], (uint32_t)atol(argv[3]));
    fprintf(stderr, "usage: flash_probe shake|calls|unload LIBRARY | play LIBRARY GAP_MS | managed LIBRARY GRAVITY\n");
    return 2;
}
