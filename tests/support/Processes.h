// What a test can see of the processes and descriptors it left behind.
#pragma once

#include <vector>

namespace kelvara::testing {

// The processes whose parent is `parent` now, zombies included.
std::vector<int> ChildrenOf(int parent);
// The processes whose parent is this test program, zombies included.
std::vector<int> ChildrenOfThisProcess();
// `root`'s children, their children, and so on.
std::vector<int> DescendantsOf(int root);
// False once the process has ended (a zombie counts as ended).
bool IsRunning(int pid);
int OpenDescriptorCount();

} // namespace kelvara::testing
