// What kind of this program's files a file is, told by its content rather than its extension
// (".inp" and ".out" are used by other programs too).
#pragma once

#include <string>

enum class FileKind {
  InputFile, // its fourth line is one of the aim codes
  Report,    // it holds a table marker line " Output data:"
  Bitmap,    // a Windows bitmap ("BM")
  Other      // none of these, or a file that cannot be read
};

FileKind DetectFileKind(const std::string& path);
