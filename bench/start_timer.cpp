// How long a program takes from its start to its window painted on the screen: starts the
// program and waits for the X server to report the first drawing into a mapped top-level
// window with the given title, then ends it.
//   velto_start_timer TITLE PROGRAM [ARGS...]   prints the milliseconds, e.g. "41.7"
// Listening on the server itself, rather than asking it over and over, measures to the
// fraction of a millisecond and adds no load of its own while the program starts. Each new
// top-level window is watched for drawing (DAMAGE) from its creation on, so that a paint
// right after the map is not missed.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string windowTitle(xcb_connection_t* x, xcb_window_t window) {
    const auto cookie =
        xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(x, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {text, static_cast<size_t>(xcb_get_property_value_length(reply.get()))};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "start_timer: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        std::fprintf(stderr, "start_timer: the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        x, xcb_damage_query_version(x, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));

    const auto t0 = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror("start_timer: exec");
        _exit(127);
    }
    double ms = -1;
    std::set<xcb_window_t> mapped;
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        const int type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (!created->override_redirect) {
                xcb_damage_create(x, xcb_generate_id(x), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(x);
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect) {
                mapped.insert(map->window);
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (mapped.contains(drawn->drawable) && windowTitle(x, drawn->drawable) == argv[1]) {
                ms =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                        .count();
            }
        }
        std::free(event);
        if (ms >= 0) {
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    if (ms < 0) {
        std::fprintf(stderr, "start_timer: the window \"%s\" was never painted\n", argv[1]);
        return 1;
    }
    std::printf("%.1f\n", ms);
    return 0;
}
