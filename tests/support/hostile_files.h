#pragma once
// Things a course folder from elsewhere may hold in place of ordinary files:
// FIFOs, links planted where we write, read-only targets, leftovers of ours.

#include <filesystem>
#include <string>
#include <vector>

namespace tavolo::test {

// A FIFO at path (parent folders created). Opening it for reading blocks until
// a writer comes, which no test provides: a reader that opens it hangs.
void MakeFifo(const std::filesystem::path& path);

// A symlink at link pointing to target (which need not exist).
void PlantSymlink(const std::filesystem::path& target, const std::filesystem::path& link);

// Sets the file's permission bits to r--r--r--.
void MakeReadOnly(const std::filesystem::path& path);

// Sets the modification time that many seconds into the past.
void MakeOlder(const std::filesystem::path& path, int seconds);

// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// True when the tests run with the privilege to write read-only files.
bool RunningAsRoot();

}  // namespace tavolo::test
