// Files dropped on the main window open as if named on the command line; any other drop of
// files is refused before a control can take it (a field would paste the file's path).
#include "ui/UMainForm.h"

#include "data/FileKinds.h"
#include "ui/PumpfieldApplication.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {
// The one local file of `mime` when it is an input file, a report or a graph bitmap.
QString OpenableFile(const QMimeData* mime) {
  if (!mime || mime->urls().size() != 1 || !mime->urls().constFirst().isLocalFile())
    return QString();
  const QString path = mime->urls().constFirst().toLocalFile();
  return DetectFileKind(FromQ(path)) == FileKind::Other ? QString() : path;
}

class FileDropFilter : public QObject {
public:
  explicit FileDropFilter(TMainForm* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
      return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* drop = static_cast<QDropEvent*>(event);
    // Text dragged from field to field is editing, left to the fields.
    if (!widget || widget->window() != window_ || !drop->mimeData()->hasUrls())
      return false;
    // The file is looked at once per entry, not at every move.
    if (type == QEvent::DragEnter || drop->mimeData() != lastDrag_) {
      lastDrag_ = drop->mimeData();
      file_ = OpenableFile(drop->mimeData());
    }
    if (file_.isEmpty()) {
      drop->ignore();
      return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
      lastDrag_ = nullptr;
      // Opened once the drop has ended: the file's messages and questions are modal.
      QTimer::singleShot(0, window_, [window = window_, file = file_] {
        window->activateWindow();
        RunGuarded([window, file] { window->OpenFile(file); });
      });
    }
    return true;
  }

private:
  TMainForm* window_;
  const QMimeData* lastDrag_ = nullptr;
  QString file_;
};
} // namespace

void TMainForm::AcceptFileDrops() {
  setAcceptDrops(true);
  fileDropFilter_ = new FileDropFilter(this);
  qApp->installEventFilter(fileDropFilter_);
}
