#include "app/window/SubtitleListWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace orvalen {

SubtitleListWindow::SubtitleListWindow(const SubtitleState& subtitles, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(subtitles) {
    setWindowTitle(QStringLiteral("Subtitle List"));
    filter_.setSourceModel(&model_);

    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Search"));
    search_->setClearButtonEnabled(true);

    view_ = new QTableView(this);
    view_->setModel(&filter_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setShowGrid(false);
    // Fixed row heights and column widths: nothing is measured over the rows, however many.
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* columns = view_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    view_->setColumnWidth(SubtitleListModel::NumberColumn, digit * 6);
    view_->setColumnWidth(SubtitleListModel::StartColumn, digit * 12);
    view_->setColumnWidth(SubtitleListModel::EndColumn, digit * 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(search_);
    layout->addWidget(view_);
    resize(420, 480);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_.SetSearch(text);
        KeepHighlightInView();
    });
    // Enter, and a double click, activate a row.
    connect(view_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        emit LineChosen(filter_.mapToSource(index).row());
    });
}

void SubtitleListWindow::Reload() {
    model_.Reload();
}

void SubtitleListWindow::TimesMoved() {
    model_.TimesMoved();
}

void SubtitleListWindow::ShowLine(int row) {
    if (row == model_.Highlight()) return;
    model_.SetHighlight(row);
    if (isVisible()) KeepHighlightInView();
}

void SubtitleListWindow::KeepHighlightInView() {
    const QModelIndex shown =
        filter_.mapFromSource(model_.index(model_.Highlight(), SubtitleListModel::TextColumn));
    if (shown.isValid()) view_->scrollTo(shown, QAbstractItemView::EnsureVisible);
}

void SubtitleListWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) emit Closed();
}

void SubtitleListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    KeepHighlightInView();
}

}  // namespace orvalen
