#include "data/FileKinds.h"

#include "core/TextFile.h"
#include "data/ReportContent.h"

FileKind DetectFileKind(const std::string& path) {
  TextReader file(path);
  if (!file.opened())
    return FileKind::Other;
  std::string line = file.ReadLine();
  if (line.rfind("BM", 0) == 0)
    return FileKind::Bitmap;
  file.SkipLine();
  file.SkipLine();
  if (IsKnownAimCode(file.ReadLine()))
    return FileKind::InputFile;
  file.Rewind();
  while (!file.AtEnd())
    if (IsTableMarker(file.ReadLine()))
      return FileKind::Report;
  return FileKind::Other;
}
