#pragma once

class QApplication;

namespace draivo {

// Prepares the application before its first window: "Draivo" as the name that titles message
// boxes, and Qt's own Dutch texts for the standard buttons and dialogs. The file, font and
// colour dialogs are Qt's own, since the platform's dialogs would speak the system's language.
// False when Qt's Dutch translation is not installed (the standard texts then stay English).
bool prepareDutchApplication(QApplication& application);

}  // namespace draivo
