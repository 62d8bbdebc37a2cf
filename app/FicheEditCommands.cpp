#include "app/Fiche.h"

namespace orvalen {

// Resynchronisation, merge and save are not built yet; their menu items are disabled.

void TFiche::AutoResyncClick() {}

void TFiche::MergeFileClick() {}

void TFiche::SauvegarderClick() {}

void TFiche::FormKeyPress(char&) {}

}  // namespace orvalen
