#include "ui/UserGuide.h"

#include "core/Version.h"
#include "ui/JpegImage.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const char* const kGuideFile = "guide.md";
} // namespace

QStringList UserGuidePlaces(const QString& programFolder) {
  const QDir program(programFolder);
  QStringList places{QDir::cleanPath(program.filePath(PUMPFIELD_GUIDE_FROM_PROGRAM)),
                     QDir::cleanPath(program.filePath("docs"))};
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
    places << QDir::cleanPath(data + "/doc/pumpfield");
  places.removeDuplicates();
  for (QString& place : places)
    place += QString("/") + kGuideFile;
  return places;
}

QString FindUserGuide(const QStringList& places) {
  for (const QString& place : places)
    if (QFileInfo(place).isFile())
      return place;
  return QString();
}

QString GuideNotInstalledMessage(const QStringList& places) {
  return "The user guide is not installed: it was looked for as\n" + places.join('\n');
}

TGuideForm::TGuideForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("GuideForm");
  setWindowTitle("Pumpfield user guide");
  Guide_Browser = new QTextBrowser(this);
  Guide_Browser->setObjectName("Guide_Browser");
  Guide_Browser->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Guide_Browser);
  resize(800, 700);
}

void TGuideForm::ShowGuide(const QString& path) {
  const QFileInfo guide(path);
  Guide_Browser->setSearchPaths({guide.absolutePath()});
  Guide_Browser->setSource(QUrl::fromLocalFile(guide.absoluteFilePath()),
                           QTextDocument::MarkdownResource);
  show();
  raise();
  activateWindow();
}

QString AboutText() {
  return QString("Pumpfield %1\n"
                 "Subsurface drainage by pumped wells\n\n"
                 "Copyright 2026 Pumpfield maintainers, under the MIT licence.\n\n"
                 "Built with:\n"
                 "Qt %2 (Core, GUI, Widgets, SVG), under the GNU LGPL version 3\n"
                 "%3, under the IJG licence and the modified BSD licence\n"
                 "The Liberation fonts stand in for Arial and Courier New, under the SIL Open "
                 "Font License.")
      .arg(kPumpfieldVersion, qVersion(), JpegLibraryName());
}
