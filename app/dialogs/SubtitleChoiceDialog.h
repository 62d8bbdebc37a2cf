#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace orvalen {

// Lets the user pick one of several candidate subtitle files. Created once and kept hidden
// between uses; the search clears it, fills it and shows it.
class SubtitleChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SubtitleChoiceDialog(QWidget* parent = nullptr);
    void Clear();
    void Add(const QString& path);
    void Preselect(int index);
    int Count() const;
    // Shows the dialog modally and returns the chosen entry's index, always within the list
    // (0 for an empty list): closing without OK chooses the first entry.
    int ShowModal();

    // The entry OK takes: the selected entry when the edit field still shows it, else the
    // entry whose text was typed exactly, else the first.
    int SelectedIndex() const;

    QLabel* PromptLabel() const { return promptLabel_; }
    QComboBox* ChoiceList() const { return choiceList_; }
    QPushButton* OkButton() const { return okButton_; }

  private:
    void AcceptChoice();

    QLabel* promptLabel_;
    QComboBox* choiceList_;
    QPushButton* okButton_;
    int result_ = 0;
};

}  // namespace orvalen
