#include "app/AppIdentity.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

// The resources of a static library are registered by hand, outside any namespace.
static void initIconResource() {
  Q_INIT_RESOURCE(AppIcon);
}

namespace draivo {

QIcon DraivoIcon() {
  initIconResource();
  QIcon icon;
  // Every PNG size of the installed icon; each file tells its own size.
  for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
    icon.addFile(file.filePath());
  }
  return icon;
}

void ApplyAppIdentity(QApplication& app) {
  QApplication::setDesktopFileName(QString::fromLatin1(AppId));
  app.setWindowIcon(DraivoIcon());
}

QString StartFileArgument(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (!arguments[i].startsWith(u'-')) return QFileInfo(arguments[i]).absoluteFilePath();
  }
  return {};
}

}  // namespace draivo
