#include "app/window/SubtitleListModel.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <algorithm>
#include <cstdlib>

#include "playback/SubtitleState.h"

namespace orvalen {

namespace {

// "1:02:03.450", with a "-" before a time the timing keys moved before the film's start.
QString ListTime(int32_t ms) {
    const int64_t size = std::llabs(int64_t{ms});
    return QStringLiteral("%1%2:%3:%4.%5")
        .arg(ms < 0 ? QStringLiteral("-") : QString())
        .arg(size / 3600000)
        .arg(size / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(size / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(size % 1000, 3, 10, QLatin1Char('0'));
}

}  // namespace

SubtitleListModel::SubtitleListModel(const SubtitleState& subtitles, QObject* parent)
    : QAbstractTableModel(parent), subtitles_(subtitles) {
    Reload();
}

void SubtitleListModel::Reload() {
    beginResetModel();
    const SubtitleTrack& track = subtitles_.Track;
    rows_ = std::clamp(track.Count, 0, static_cast<int32_t>(track.Texts.size()));
    texts_.assign(static_cast<size_t>(rows_), std::nullopt);
    highlight_ = -1;
    endResetModel();
}

void SubtitleListModel::TimesMoved() {
    if (rows_ > 0) emit dataChanged(index(0, StartColumn), index(rows_ - 1, EndColumn));
}

void SubtitleListModel::SetHighlight(int row) {
    if (row < 0 || row >= rows_) row = -1;
    if (row == highlight_) return;
    const int old = highlight_;
    highlight_ = row;
    for (const int changed : {old, row}) {
        if (changed >= 0) emit dataChanged(index(changed, 0), index(changed, ColumnCount - 1));
    }
}

QString SubtitleListModel::Text(int row) const {
    if (row < 0 || row >= rows_) return {};
    std::optional<QString>& text = texts_[static_cast<size_t>(row)];
    if (!text) {
        text = QString::fromStdString(
            PlainScreenText(subtitles_, subtitles_.Track.Texts[static_cast<size_t>(row)], " / "));
    }
    return *text;
}

int32_t SubtitleListModel::StartMs(int row) const {
    return row >= 0 && row < rows_ ? subtitles_.Track.StartMs[static_cast<size_t>(row)] : 0;
}

int SubtitleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int SubtitleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SubtitleListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row >= rows_) return {};
    const bool highlighted = row == highlight_;
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case NumberColumn:
                    return row;
                case StartColumn:
                    return ListTime(subtitles_.Track.StartMs[static_cast<size_t>(row)]);
                case EndColumn:
                    return ListTime(subtitles_.Track.EndMs[static_cast<size_t>(row)]);
                default:
                    return Text(row);
            }
        case Qt::BackgroundRole:
            return highlighted ? QApplication::palette().highlight() : QVariant();
        case Qt::ForegroundRole:
            return highlighted ? QApplication::palette().highlightedText() : QVariant();
        case Qt::TextAlignmentRole:
            return index.column() == TextColumn ? QVariant()
                                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant SubtitleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case NumberColumn:
            return QStringLiteral("#");
        case StartColumn:
            return QStringLiteral("Start");
        case EndColumn:
            return QStringLiteral("End");
        default:
            return QStringLiteral("Text");
    }
}

void SubtitleListFilter::SetSearch(const QString& search) {
    if (search == search_) return;
    search_ = search;
    invalidateFilter();
}

bool SubtitleListFilter::filterAcceptsRow(int row, const QModelIndex&) const {
    if (search_.isEmpty()) return true;
    const auto* list = static_cast<const SubtitleListModel*>(sourceModel());
    return list->Text(row).contains(search_, Qt::CaseInsensitive);
}

}  // namespace orvalen
