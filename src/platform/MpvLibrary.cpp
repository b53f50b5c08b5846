#include "platform/MpvLibrary.h"

#include <dlfcn.h>

namespace kelvara::platform {
namespace {

// Resolves one function by its libmpv name; false when the library lacks it.
template <typename Function>
bool Resolve(void* library, const char* name, Function& function, std::string& missing)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function && missing.empty())
        missing = name;
    return function != nullptr;
}

MpvLibrary Open()
{
    // Local: mpv's symbols must not stand in for anything the program or a
    // later library looks up. Never closed: mpv's threads may outlive players.
    void* library = dlopen(kMpvLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        return { nullptr, std::string(kMpvLibraryName) + " could not be opened: " + (reason ? reason : "") };
    }
    static MpvFunctions functions;
    std::string missing;
    Resolve(library, "mpv_create", functions.create, missing);
    Resolve(library, "mpv_initialize", functions.initialize, missing);
    Resolve(library, "mpv_terminate_destroy", functions.terminate_destroy, missing);
    Resolve(library, "mpv_set_option_string", functions.set_option_string, missing);
    Resolve(library, "mpv_error_string", functions.error_string, missing);
    Resolve(library, "mpv_free", functions.free, missing);
    Resolve(library, "mpv_get_property", functions.get_property, missing);
    Resolve(library, "mpv_get_property_string", functions.get_property_string, missing);
    Resolve(library, "mpv_set_property_async", functions.set_property_async, missing);
    Resolve(library, "mpv_command_async", functions.command_async, missing);
    Resolve(library, "mpv_observe_property", functions.observe_property, missing);
    Resolve(library, "mpv_request_log_messages", functions.request_log_messages, missing);
    Resolve(library, "mpv_set_wakeup_callback", functions.set_wakeup_callback, missing);
    Resolve(library, "mpv_wait_event", functions.wait_event, missing);
    Resolve(library, "mpv_wakeup", functions.wakeup, missing);
    Resolve(library, "mpv_render_context_create", functions.render_context_create, missing);
    Resolve(library, "mpv_render_context_free", functions.render_context_free, missing);
    Resolve(library, "mpv_render_context_render", functions.render_context_render, missing);
    Resolve(library, "mpv_render_context_set_update_callback", functions.render_context_set_update_callback,
        missing);
    Resolve(library, "mpv_render_context_update", functions.render_context_update, missing);
    if (!missing.empty())
        return { nullptr, std::string(kMpvLibraryName) + " lacks " + missing };
    return { &functions, {} };
}

} // namespace

const MpvLibrary& LoadMpv()
{
    static const MpvLibrary library = Open();
    return library;
}

} // namespace kelvara::platform
