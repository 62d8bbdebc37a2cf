#pragma once

#include <QString>
#include <QWidget>
#include <array>

namespace orvalen {

// The window's status bar: five panels side by side (widths 80, 65, 65, 65, and 200 or the
// rest of the bar; the first four centred, the last left-aligned).
class StatusBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int PanelCount = 5;

    explicit StatusBar(QWidget* parent = nullptr);

    QString PanelText(int index) const;
    // Repaints only that panel, and only when its text changes.
    void SetPanelText(int index, const QString& text);
    QRect PanelRect(int index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<QString, PanelCount> texts_;
};

}  // namespace orvalen
