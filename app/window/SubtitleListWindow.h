#pragma once

#include <QWidget>

#include "app/window/SubtitleListModel.h"

class QLineEdit;
class QTableView;

namespace orvalen {

// View > Subtitle List: a window of its own listing every subtitle of the shown track, the one
// on screen highlighted and kept in view, filtered by a search box as one types. A double
// click or Enter on a row asks to play from that subtitle's start.
class SubtitleListWindow : public QWidget {
    Q_OBJECT
  public:
    SubtitleListWindow(const SubtitleState& subtitles, QWidget* parent);

    SubtitleListModel& Model() { return model_; }
    QTableView* View() const { return view_; }
    QLineEdit* SearchBox() const { return search_; }

    // The track changed: whole, or only its times.
    void Reload();
    void TimesMoved();
    // The subtitle on screen (-1 for none). Costs nothing when it has not changed.
    void ShowLine(int row);

  signals:
    void LineChosen(int row);
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void KeepHighlightInView();

    SubtitleListModel model_;
    SubtitleListFilter filter_;
    QLineEdit* search_ = nullptr;
    QTableView* view_ = nullptr;
};

}  // namespace orvalen
