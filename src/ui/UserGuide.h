// The Help menu's windows: the user guide (the installed guide.md with its pictures) and the
// About box.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QTextBrowser;

// Where the guide may lie for a program in `programFolder`: beside an installed program, in the
// build folder, and in the desktop's data folders, in this order.
QStringList UserGuidePlaces(const QString& programFolder);
// The first of `places` that exists; empty when none does.
QString FindUserGuide(const QStringList& places);
// The message for a guide found in none of `places`.
QString GuideNotInstalledMessage(const QStringList& places);

// A window that shows a Markdown file, the pictures it names found beside it.
class TGuideForm : public QWidget {
  Q_OBJECT
public:
  explicit TGuideForm(QWidget* parent = nullptr);

  QTextBrowser* Guide_Browser = nullptr;

  void ShowGuide(const QString& path);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Shows the pictures no wider than the page, at their own size where they fit.
  void FitPictures();
  QString folder_;
};

// The text of "About Pumpfield": version, licence and the libraries used.
QString AboutText();
