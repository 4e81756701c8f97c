// File-name and working-directory helpers over std::filesystem.
#pragma once

#include <string>

// `path` with the extension of its file-name part replaced by `extension` (".out"); a name
// without an extension gets it appended.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
// The file-name part of `path`, without its folder.
std::string ExtractFileName(const std::string& path);
// The folder part of `path`, without the trailing separator.
std::string ExtractFileDir(const std::string& path);
std::string ExpandFileName(const std::string& path);
// Whether `path` names a regular file (links followed).
bool FileExists(const std::string& path);
// Whether anything exists under `path`: a file, a folder, a named pipe, a device.
bool PathExists(const std::string& path);
// Deletes a file; a missing file is no error. Returns whether a file was deleted.
bool DeleteFileIfExists(const std::string& path);
// Whether both names lead to one existing file (the same device and inode, links followed).
bool SameFile(const std::string& first, const std::string& second);
// Names the same file by the same text: an existing file by its device and inode, a new one by
// its path with links followed.
std::string FileIdentity(const std::string& path);
// The name as a file or report echoes it: control characters (a new line in a folder name)
// written as \t, \n, \r or \xHH, so that a name always stays on its one line.
std::string VisibleFileName(const std::string& path);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& dir);
