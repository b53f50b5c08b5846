// What a test can see of the processes and descriptors it left behind.
#pragma once

#include <vector>

namespace kelvara::testing {

// The processes whose parent is this test program, zombies included.
std::vector<int> ChildrenOfThisProcess();
int OpenDescriptorCount();

} // namespace kelvara::testing
