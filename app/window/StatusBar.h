#pragma once

#include <QString>
#include <QWidget>
#include <array>

namespace orvalen {

// The status bar's panels, left to right: the picture's size, the media mode, the film's
// length, the position, and the frame rate or the step of an edit.
enum class StatusPanel { PictureSize, Mode, Length, Position, Status };

// The window's status bar: the panels side by side (widths 80, 65, 65, 65, and 200 or the
// rest of the bar; the first four centred, the last left-aligned).
class StatusBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int PanelCount = static_cast<int>(StatusPanel::Status) + 1;

    explicit StatusBar(QWidget* parent = nullptr);

    QString PanelText(StatusPanel panel) const;
    // Repaints only that panel, and only when its text changes.
    void SetPanelText(StatusPanel panel, const QString& text);
    QRect PanelRect(StatusPanel panel) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<QString, PanelCount> texts_;
};

}  // namespace orvalen
