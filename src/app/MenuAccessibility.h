// Pop-up menus as screen readers meet them: while a menu is open it is one of
// the program's windows on the accessibility bus, with its items.
#pragma once

namespace kelvara {

// Installs the application's accessible side that lists the open menus; once
// per process, at any time.
void InstallMenuAccessibility();

} // namespace kelvara
