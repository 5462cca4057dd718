#pragma once

#include <QIcon>
#include <QString>

namespace draivo {

// The toolbar pictures of the editor, drawn in code, by button key ("Nieuw", "Openen",
// "Opslaan", "Verwijderen", "Afdrukken", "Zoeken", "Knippen", "Kopieren", "Plakken", "Undo",
// "Redo"). An unknown key gives an empty icon.
QIcon EditorIcon(const QString& key);

}  // namespace draivo
