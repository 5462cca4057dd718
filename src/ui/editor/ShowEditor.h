#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace draivo {

class frmNC_Editor;

// "Editor ...": opens the NC editor on the given program file ("" for a new document), or
// brings the open editor forward. The editor lives until it is closed; its "&Afsluiten"
// calls onExit, which ends the whole system (QApplication::quit when none is given).
frmNC_Editor* showEditor(QWidget* mainWindow, const QString& fileName,
                         std::function<void()> onExit = {});

}  // namespace draivo
