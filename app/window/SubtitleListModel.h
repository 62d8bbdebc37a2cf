#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <optional>
#include <vector>

namespace orvalen {

struct SubtitleState;

// Every subtitle of the shown track as a row: number (from 0, as the resynchronisation counts
// them), start, end and text without markup. It reads the track in place; texts are decoded
// when first asked for, so a reload costs nothing per row.
class SubtitleListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { NumberColumn, StartColumn, EndColumn, TextColumn, ColumnCount };

    explicit SubtitleListModel(const SubtitleState& subtitles, QObject* parent = nullptr);

    // The track was loaded, edited or is read in another encoding.
    void Reload();
    // Only the track's times moved.
    void TimesMoved();
    // The row of the subtitle on screen, or -1.
    void SetHighlight(int row);
    int Highlight() const { return highlight_; }
    QString Text(int row) const;
    // The row's start in milliseconds.
    int32_t StartMs(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const SubtitleState& subtitles_;
    int rows_ = 0;
    int highlight_ = -1;
    mutable std::vector<std::optional<QString>> texts_;
};

// The rows whose text holds the search text, ignoring case; every row while it is empty,
// without reading any text.
class SubtitleListFilter : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetSearch(const QString& search);

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

  private:
    QString search_;
};

}  // namespace orvalen
