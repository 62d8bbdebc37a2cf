#pragma once

#include <QDialog>

namespace orvalen {

// The chooser of the four reference subtitles of a resynchronisation.
class TSynchroBox : public QDialog {
    Q_OBJECT
  public:
    explicit TSynchroBox(QWidget* parent = nullptr);
};

extern TSynchroBox* SynchroBox;

}  // namespace orvalen
