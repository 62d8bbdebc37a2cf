#pragma once

#include <QDialog>

namespace orvalen {

// The chooser of the four reference subtitles of a resynchronisation.
class ReferenceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ReferenceDialog(QWidget* parent = nullptr);
};

}  // namespace orvalen
