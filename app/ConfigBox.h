#pragma once

#include <QDialog>

#include "settings/Settings.h"

namespace orvalen {

// The configuration dialog. It owns the search and display settings, loaded from Config.ini
// when it is created.
class TConfigBox : public QDialog {
    Q_OBJECT
  public:
    explicit TConfigBox(QWidget* parent = nullptr);

    Settings Values;
};

extern TConfigBox* ConfigBox;

}  // namespace orvalen
