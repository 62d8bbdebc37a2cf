#pragma once

namespace orvalen {

// Qt's dialogs keep their state (the file dialogs' history, the colour dialog's custom colours)
// in ~/.config/QtProject.conf. The program writes only its own Config.ini and the files the
// user saves: this points the user settings of Qt's native format at a folder that can never
// exist, so those writes fail quietly and nothing is read either. Call it before any dialog.
void DiscardQtSettings();

}  // namespace orvalen
