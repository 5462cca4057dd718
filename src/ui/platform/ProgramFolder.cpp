#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace draivo {
namespace {

// The user's data folder is named after the program, not after the process, so that
// every start finds the same folder.
constexpr const char* UserFolderName = "draivo";

bool isInstalledCopy(const QDir& executableFolder) {
  return QFileInfo::exists(executableFolder.filePath(QStringLiteral(DRAIVO_INSTALLED_MARKER)));
}

}  // namespace

QString ChooseProgramFolder(const QString& executableFolder, const QString& userFolder) {
  const QFileInfo folder(executableFolder);
  if (folder.isDir() && folder.isWritable() && !isInstalledCopy(QDir(executableFolder))) {
    return executableFolder;
  }
  // A folder that cannot be made shows up as a write error naming its full path.
  QDir().mkpath(userFolder);
  return userFolder;
}

QString ProgramFolder() {
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return ChooseProgramFolder(QCoreApplication::applicationDirPath(),
                             QDir(dataHome).filePath(QString::fromLatin1(UserFolderName)));
}

}  // namespace draivo
