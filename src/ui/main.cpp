#include <QApplication>
#include <QTimer>

#include "app/AppIdentity.h"
#include "app/frmGraphic.h"
#include "platform/DutchApplication.h"
#include "platform/QtDialogs.h"
#include "platform/ScreenSize.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  draivo::ApplyAppIdentity(app);
  draivo::prepareDutchApplication(app);
  draivo::QtDialogs dialogs;
  draivo::frmGraphic window(dialogs);
  if (!window.Form_Load(draivo::primaryScreenSize())) return 0;
  QObject::connect(&window, &draivo::frmGraphic::closing, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  // A program named on the command line (the desktop's "Open with") is loaded once the
  // window runs, and waits for Start like any opened program.
  const QString startFile = draivo::StartFileArgument(QApplication::arguments());
  if (!startFile.isEmpty()) {
    QTimer::singleShot(0, &window, [&window, startFile] { window.runProgramFile(startFile); });
  }
  return app.exec();
}
