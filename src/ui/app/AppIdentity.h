#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

class QApplication;

namespace draivo {

// The application id: the name of the desktop entry, the metainfo and the icon.
inline constexpr const char* AppId = DRAIVO_APP_ID;

// Draivo's icon in every size it is drawn in, kept in the program's resources.
QIcon DraivoIcon();

// Ties the application to its desktop entry and gives every window Draivo's icon.
void ApplyAppIdentity(QApplication& app);

// The program file named on the command line, as an absolute path; empty when none.
QString StartFileArgument(const QStringList& arguments);

}  // namespace draivo
