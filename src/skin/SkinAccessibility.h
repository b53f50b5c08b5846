// Names, roles, states and values of the skinned controls for screen readers
// (and for the tests that drive the program through them).
#pragma once

namespace kelvara {

// The property of a tab strip that holds its tabs' names, in tab order.
inline constexpr const char* kTabNamesProperty = "kelvaraTabNames";

// Installs the accessibility factory of the skin's controls; once per process.
void InstallSkinAccessibility();

} // namespace kelvara
