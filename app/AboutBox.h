#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvalen {

// The about box: an image, the product name, its version and OK.
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QPushButton* OKButton;
};

// The one instance, created at start-up.
extern TAboutBox* AboutBox;

}  // namespace orvalen
