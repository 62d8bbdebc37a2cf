#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orvalen {

// The about box: an image, the product name, its version and OK.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

  private:
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QPushButton* OKButton;
};

}  // namespace orvalen
