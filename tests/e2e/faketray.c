/* A notification area for the real-window tests, the least that takes an
 * icon: it owns the screen's system-tray selection, announces itself, and
 * embeds every icon that asks to dock into a 24 x 24 cell, mapped,
 * printing "docked WINDOW" for each. Started after the program, it is the
 * tray that comes late at log-in. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>

static xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return a;
}

int main(void) {
    int screen_number = 0;
    xcb_connection_t *c = xcb_connect(NULL, &screen_number);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen_number; ++i)
        xcb_screen_next(&it);
    xcb_screen_t *screen = it.data;

    xcb_window_t tray = xcb_generate_id(c);
    uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, tray, screen->root, 900, 0, 240, 24, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    /* A panel along the screen's top edge, as a real notification area
     * stands in: the window manager keeps it where it asks to be (the
     * position the user gave, in WM_NORMAL_HINTS) and above ordinary windows. */
    const xcb_atom_t dock = atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, tray, atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &dock);
    uint32_t hints[18] = {1 /* USPosition */, 900, 0, 240, 24};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, tray, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_map_window(c, tray);

    char name[32];
    snprintf(name, sizeof name, "_NET_SYSTEM_TRAY_S%d", screen_number);
    const xcb_atom_t selection = atom(c, name);
    const xcb_atom_t opcode = atom(c, "_NET_SYSTEM_TRAY_OPCODE");
    xcb_set_selection_owner(c, tray, selection, XCB_CURRENT_TIME);

    xcb_client_message_event_t manager;
    memset(&manager, 0, sizeof manager);
    manager.response_type = XCB_CLIENT_MESSAGE;
    manager.format = 32;
    manager.window = screen->root;
    manager.type = atom(c, "MANAGER");
    manager.data.data32[0] = XCB_CURRENT_TIME;
    manager.data.data32[1] = selection;
    manager.data.data32[2] = tray;
    xcb_send_event(c, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, (const char *)&manager);
    xcb_flush(c);
    printf("tray %u\n", tray);
    fflush(stdout);

    int icons = 0;
    xcb_generic_event_t *e;
    while ((e = xcb_wait_for_event(c))) {
        if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            xcb_client_message_event_t *m = (xcb_client_message_event_t *)e;
            /* SYSTEM_TRAY_REQUEST_DOCK is opcode 0; the icon's window is data[2]. */
            if (m->type == opcode && m->data.data32[1] == 0) {
                const xcb_window_t icon = m->data.data32[2];
                /* Ten cells, taken in turn: a program restarted again and
                 * again docks a new icon each time, its old one long gone. */
                xcb_reparent_window(c, icon, tray, (int16_t)(24 * (icons++ % 10)), 0);
                const uint32_t size[] = {24, 24};
                xcb_configure_window(c, icon, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                                     size);
                xcb_map_window(c, icon);
                xcb_flush(c);
                printf("docked %u\n", icon);
                fflush(stdout);
            }
        }
        free(e);
    }
    return 0;
}
