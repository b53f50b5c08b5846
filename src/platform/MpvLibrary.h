// libmpv, opened when the first player is made instead of linked into the
// program: it maps the sound servers', GL's and every codec's libraries
// (about two hundred), none of which the window's first picture needs.
//
// The preview's player and the short sounds call mpv through the functions
// resolved here; the library is opened once per process and stays open.
#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

#include <string>

namespace kelvara::platform {

// The library's file name: its ABI, which the functions below are built for.
inline constexpr const char* kMpvLibraryName = "libmpv.so.2";

// The functions of libmpv the program uses, named as libmpv's without the
// `mpv_` prefix.
struct MpvFunctions {
    decltype(&::mpv_create) create = nullptr;
    decltype(&::mpv_initialize) initialize = nullptr;
    decltype(&::mpv_terminate_destroy) terminate_destroy = nullptr;
    decltype(&::mpv_set_option_string) set_option_string = nullptr;
    decltype(&::mpv_error_string) error_string = nullptr;
    decltype(&::mpv_free) free = nullptr;
    decltype(&::mpv_get_property) get_property = nullptr;
    decltype(&::mpv_get_property_string) get_property_string = nullptr;
    decltype(&::mpv_set_property_async) set_property_async = nullptr;
    decltype(&::mpv_command_async) command_async = nullptr;
    decltype(&::mpv_observe_property) observe_property = nullptr;
    decltype(&::mpv_request_log_messages) request_log_messages = nullptr;
    decltype(&::mpv_set_wakeup_callback) set_wakeup_callback = nullptr;
    decltype(&::mpv_wait_event) wait_event = nullptr;
    decltype(&::mpv_wakeup) wakeup = nullptr;
    decltype(&::mpv_render_context_create) render_context_create = nullptr;
    decltype(&::mpv_render_context_free) render_context_free = nullptr;
    decltype(&::mpv_render_context_render) render_context_render = nullptr;
    decltype(&::mpv_render_context_set_update_callback) render_context_set_update_callback = nullptr;
    decltype(&::mpv_render_context_update) render_context_update = nullptr;
};

// The outcome of opening libmpv: every function, or why there are none.
struct MpvLibrary {
    const MpvFunctions* functions = nullptr;
    std::string error; // set when `functions` is null
};

// Opens libmpv at the first call (from any thread; later calls wait for the
// first) and gives the same outcome to every call after it.
const MpvLibrary& LoadMpv();

} // namespace kelvara::platform
