#include <QApplication>

#include "app/frmGraphic.h"
#include "platform/DutchApplication.h"
#include "platform/QtDialogs.h"
#include "platform/ScreenSize.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  draivo::prepareDutchApplication(app);
  draivo::QtDialogs dialogs;
  draivo::frmGraphic window(dialogs);
  if (!window.Form_Load(draivo::primaryScreenSize())) return 0;
  QObject::connect(&window, &draivo::frmGraphic::closing, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  return app.exec();
}
