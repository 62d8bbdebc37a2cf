#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <optional>

class QFontDialog;
class QPushButton;

namespace orvalen {

struct FontChoice {
    QFont Font;  // face, point size, bold, italic, underline, strike-out
    QColor Color;
};

// The subtitle font chooser: Qt's font panel (face, style, size, underline, strike-out) with
// a colour button beside it, accepted or cancelled as one.
class SubtitleFontDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SubtitleFontDialog(QWidget* parent = nullptr);

    void SetChoice(const FontChoice& choice);
    FontChoice Choice() const;

    QFontDialog* FontPanel() const { return fontPanel_; }
    QPushButton* ColorButton() const { return colorButton_; }

  public slots:
    // Asks for a colour; cancelling keeps the current one.
    void ChooseColor();

  private:
    void ShowColor();

    QFontDialog* fontPanel_;
    QPushButton* colorButton_;
    QColor color_;
};

// The same face, size, style, effects and colour, however the fonts are described.
bool SameFontChoice(const FontChoice& a, const FontChoice& b);

// Runs the dialog modally from initial; nothing when the user cancels.
std::optional<FontChoice> AskSubtitleFont(QWidget* parent, const FontChoice& initial);

}  // namespace orvalen
