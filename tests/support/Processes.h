// What a test can see of the processes and descriptors it left behind.
#pragma once

#include <string>
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

// The running processes whose environment holds `entry` ("NAME=value"),
// wherever they are in the process tree: a child's child that lost its
// parent is reparented away from us but keeps the environment it inherited.
std::vector<int> ProcessesWithEnvironmentEntry(const std::string& entry);
// The command name (/proc/PID/comm) of a process; empty once it is gone.
std::string CommandNameOf(int pid);

} // namespace kelvara::testing
