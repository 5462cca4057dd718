#include "platform/DutchApplication.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace draivo {

bool prepareDutchApplication(QApplication& application) {
  // The name, not the display name: a display name would be appended to every window title.
  QApplication::setApplicationName(QStringLiteral("Draivo"));
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  auto* qtTexts = new QTranslator(&application);
  if (!qtTexts->load(QStringLiteral("qtbase_nl"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qtTexts;
    return false;
  }
  QApplication::installTranslator(qtTexts);
  return true;
}

}  // namespace draivo
