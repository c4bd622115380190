// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

/* A weston module that gives the compositor a keyboard whose keys a test
 * types: weston's headless backend has no input devices of its own. The test
 * writes key names, one a line ("Return", "Tab", "space"), into the FIFO named
 * by TINTARIUM_WESTON_KEYS; each is pressed and released on a seat of this
 * module, whose keyboard the shell gives to the window it activates.
 *   weston --backend=headless-backend.so --modules=<path>/weston_keys.so */
#include <libweston/libweston.h>
#include <weston.h>

#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

/* The seat functions belong to weston's backend interface, which libweston
 * exports but does not install a header for. */
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* ec, const char* seat_name);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void weston_seat_release(struct weston_seat* seat);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key, enum wl_keyboard_key_state state,
    enum weston_key_state_update update_state);

struct test_keyboard {
    struct weston_seat seat;
    struct wl_event_source* source;
    int fifo;
    char line[64];
    size_t length;
    struct wl_listener destroy;
};

static const struct {
    const char* name;
    uint32_t code;
} keys[] = {
    { "Return", KEY_ENTER },
    { "Tab", KEY_TAB },
    { "space", KEY_SPACE },
    { "Escape", KEY_ESC },
};

static void type_key(struct test_keyboard* keyboard, const char* name)
{
    for (size_t i = 0; i < sizeof keys / sizeof keys[0]; ++i) {
        if (strcmp(keys[i].name, name) != 0)
            continue;
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        notify_key(&keyboard->seat, &now, keys[i].code, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
        notify_key(&keyboard->seat, &now, keys[i].code, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
        return;
    }
    weston_log("weston_keys: unknown key \"%s\"\n", name);
}

static int read_keys(int fd, uint32_t mask, void* data)
{
    struct test_keyboard* keyboard = data;
    char buffer[256];
    ssize_t got = read(fd, buffer, sizeof buffer);
    for (ssize_t i = 0; i < got; ++i) {
        if (buffer[i] == '\n') {
            keyboard->line[keyboard->length] = '\0';
            type_key(keyboard, keyboard->line);
            keyboard->length = 0;
        } else if (keyboard->length + 1 < sizeof keyboard->line) {
            keyboard->line[keyboard->length++] = buffer[i];
        }
    }
    (void)mask;
    return 0;
}

static void destroy_keyboard(struct wl_listener* listener, void* data)
{
    struct test_keyboard* keyboard = wl_container_of(listener, keyboard, destroy);
    wl_list_remove(&keyboard->destroy.link);
    wl_event_source_remove(keyboard->source);
    close(keyboard->fifo);
    weston_seat_release(&keyboard->seat);
    free(keyboard);
    (void)data;
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[])
{
    const char* path = getenv("TINTARIUM_WESTON_KEYS");
    if (path == NULL) {
        weston_log("weston_keys: TINTARIUM_WESTON_KEYS names no FIFO\n");
        return -1;
    }
    struct test_keyboard* keyboard = calloc(1, sizeof *keyboard);
    if (keyboard == NULL)
        return -1;
    /* Opened for writing too, so the FIFO never reads as ended between two
     * writers. */
    keyboard->fifo = open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (keyboard->fifo < 0) {
        weston_log("weston_keys: cannot open %s\n", path);
        free(keyboard);
        return -1;
    }
    weston_seat_init(&keyboard->seat, compositor, "tintarium-test");
    weston_seat_init_keyboard(&keyboard->seat, NULL);
    keyboard->source = wl_event_loop_add_fd(
        wl_display_get_event_loop(compositor->wl_display), keyboard->fifo, WL_EVENT_READABLE, read_keys, keyboard);
    weston_compositor_add_destroy_listener_once(compositor, &keyboard->destroy, destroy_keyboard);
    (void)argc;
    (void)argv;
    return 0;
}
