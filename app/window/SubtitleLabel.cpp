#include "app/window/SubtitleLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "app/window/StyledSubtitle.h"

namespace orvalen {

namespace {

// Qt's own label offers no text to readers; this one offers the subtitle's plain text.
class SubtitleLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit SubtitleLabelAccessible(SubtitleLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText), label_(label) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        // Offered only while a subtitle is announced: the rich-text layout raises text events
        // of its own at each change, which readers would speak again.
        if (type == QAccessible::TextInterface && label_->Announcing()) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return Text();
        if (kind == QAccessible::Description) return QStringLiteral("Subtitle");
        return QAccessibleWidget::text(kind);
    }

    QString text(int start, int end) const override { return Text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Text().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    const QString& Text() const { return label_->PlainText(); }

    SubtitleLabel* label_;
};

QAccessibleInterface* SubtitleLabelFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(SubtitleLabel::staticMetaObject.className())) return nullptr;
    return new SubtitleLabelAccessible(static_cast<SubtitleLabel*>(object));
}

QString JoinedPlainText(const std::vector<StyledLine>& lines) {
    QStringList texts;
    for (const StyledLine& line : lines) {
        QString text;
        for (const StyledRun& run : line) {
            text += QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size()));
        }
        texts.append(text);
    }
    return texts.join(u'\n');
}

}  // namespace

SubtitleLabel::SubtitleLabel(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(SubtitleLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void SubtitleLabel::ShowLines(const std::vector<StyledLine>& lines, bool announce) {
    const QString previous = plainText_;
    plainText_ = JoinedPlainText(lines);
    setText(LabelRichText(lines));
    // The label is shown again on a new size or encoding; only a new text is announced.
    if (!announce || plainText_.isEmpty() || plainText_ == previous || !QAccessible::isActive()) {
        return;
    }
    announcing_ = true;
    QAccessibleTextUpdateEvent event(this, 0, previous, plainText_);
    QAccessible::updateAccessibility(&event);
    announcing_ = false;
}

}  // namespace orvalen
