#pragma once

#include <QDialog>

#include "settings/Settings.h"

namespace orvalen {

// The configuration dialog. It owns the search and display settings, loaded from Config.ini
// when it is created.
class ConfigDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ConfigDialog(QWidget* parent = nullptr);

    // The live search and display settings.
    const Settings& CurrentSettings() const;

  private:
    Settings settings_;
};

}  // namespace orvalen
