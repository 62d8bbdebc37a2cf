#pragma once

namespace orvalen {

// Qt's dialogs keep their state (the file dialogs' history, the colour dialog's custom colours)
// in ~/.config/QtProject.conf through QSettings' default format. The program writes only its
// own Config.ini and the files the user saves: this makes that default format one that reads
// nothing and refuses every write, so no such file is made. Call it once, before any dialog.
void DiscardQtSettings();

}  // namespace orvalen
