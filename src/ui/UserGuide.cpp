#include "ui/UserGuide.h"

#include "core/Version.h"
#include "ui/JpegImage.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

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
  Guide_Browser->viewport()->installEventFilter(this);
  resize(800, 700);
}

void TGuideForm::ShowGuide(const QString& path) {
  const QFileInfo guide(path);
  folder_ = guide.absolutePath();
  Guide_Browser->setSearchPaths({folder_});
  Guide_Browser->setSource(QUrl::fromLocalFile(guide.absoluteFilePath()),
                           QTextDocument::MarkdownResource);
  FitPictures();
  show();
  raise();
  activateWindow();
}

bool TGuideForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Guide_Browser->viewport() && event->type() == QEvent::Resize)
    FitPictures();
  return QWidget::eventFilter(watched, event);
}

void TGuideForm::FitPictures() {
  QTextDocument* document = Guide_Browser->document();
  const int room = Guide_Browser->viewport()->width() - 2 * int(document->documentMargin());
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
    for (auto part = block.begin(); !part.atEnd(); ++part) {
      const QTextFragment fragment = part.fragment();
      QTextImageFormat picture = fragment.charFormat().toImageFormat();
      if (!picture.isValid())
        continue;
      const QSize natural = QImageReader(QDir(folder_).filePath(picture.name())).size();
      if (natural.isEmpty())
        continue;
      const double scale = std::min(1.0, double(room) / natural.width());
      picture.setWidth(natural.width() * scale);
      picture.setHeight(natural.height() * scale);
      QTextCursor cursor(document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(picture);
    }
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
