#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "resync/ReferenceNumbers.h"
#include "resync/Resynchronisation.h"
#include "subtitles/SubtitleTrack.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvalen {

// The chooser of the four reference subtitles of a resynchronisation: per row a caption, a
// "-" button, the number field, a "+" button and the text of the chosen subtitle. Every change
// of a field's text is validated at once, so the numbers stay increasing and within the
// track; the numbers and texts stay from one opening to the next.
class ReferenceDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int RowCount = ReferenceNumbers::FieldCount;

    explicit ReferenceDialog(QWidget* parent = nullptr);

    // Shows the dialog modally over track, its numbers first brought within the track; the
    // four numbers when the user closes it with OK, nothing otherwise.
    std::optional<ResyncQuad> Choose(const SubtitleTrack& track);

    // The controls of row 0 to 3 and the others, for the tests.
    QLabel* Caption(int row) const { return rows_[row].Caption; }
    QLineEdit* NumberField(int row) const { return rows_[row].Field; }
    QPushButton* MinusButton(int row) const { return rows_[row].Minus; }
    QPushButton* PlusButton(int row) const { return rows_[row].Plus; }
    QLabel* SubtitleLabel(int row) const { return rows_[row].Subtitle; }
    QLabel* HelpLine() const { return help_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  private:
    struct Row {
        QLabel* Caption = nullptr;
        QPushButton* Minus = nullptr;
        QLineEdit* Field = nullptr;
        QPushButton* Plus = nullptr;
        QLabel* Subtitle = nullptr;
    };

    void CreateRow(int row);
    void FieldChanged(int row, const QString& text);
    // Shows the model's texts and labels; the fields' own change events are not re-run for
    // the texts the model has already validated.
    void ShowNumbers();

    ReferenceNumbers numbers_;
    const SubtitleTrack* track_ = nullptr;
    std::array<Row, RowCount> rows_;
    QLabel* help_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool showing_ = false;
};

}  // namespace orvalen
