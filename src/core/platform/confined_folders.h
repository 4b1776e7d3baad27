#pragma once
// Folders whose files are only ever reached inside them. Course folders come
// from anywhere (a USB stick, a shared drive, an archive from a colleague), and
// a symbolic link in one — a record file, a lesson folder, the roster or its
// folder, a question file — could otherwise make a practice run, a sign-on or
// an editor's OK read or rewrite a file elsewhere on the machine. Every read,
// atomic write and lock of the file layer asks here first: a path that lies in
// a confined folder (as written) must also really lie there, with every link
// on the way followed. Links that stay inside keep working.

#include <filesystem>

namespace tavolo {

// Confines the files under the folder from now on (for the whole process: the
// course folder, the per-user data folder, the records folder). Registering a
// folder twice is harmless; a folder that does not exist yet is resolved as
// far as it exists.
void ConfineFilesTo(const std::filesystem::path& folder);

// Forgets every confined folder.
void ForgetConfinedFolders();

// Where the path really leads: absolute, with every symbolic link on the way
// followed and "." and ".." taken as the file system takes them; a part that
// does not exist (a file about to be made) is kept as written. Empty for a
// loop of links.
std::filesystem::path RealPathOf(const std::filesystem::path& path);

// True when the path lies in a confined folder as written but leads out of it.
[[nodiscard]] bool LeadsOutOfConfinedFolder(const std::filesystem::path& path);

// The same check for a file or folder already opened as `path`: where the
// descriptor really is, as the system knows it (no link can be swapped in
// between the check and the open). Without /proc the check above stands alone.
[[nodiscard]] bool OpenedOutOfConfinedFolder(int fd, const std::filesystem::path& path);

}  // namespace tavolo
