// `kelvara --convert`: the window's batch run from the command line, on a
// QCoreApplication, with no display, no session bus and no skin.
#pragma once

namespace kelvara::cli {

// `argv[1]` is "--convert"; returns the program's exit status.
int RunConvert(int argc, char* argv[]);

} // namespace kelvara::cli
