#pragma once

#include <QLabel>
#include <QString>
#include <vector>

#include "subtitles/Markup.h"

namespace orvalen {

// The label under the picture that shows the subtitle. For screen readers it is a live region:
// its text is the subtitle without markup, and an announced subtitle raises the text-change
// event that AT-SPI readers speak.
class SubtitleLabel : public QLabel {
    Q_OBJECT
  public:
    explicit SubtitleLabel(QWidget* parent);

    // Shows lines (none clears the label); announce tells screen readers.
    void ShowLines(const std::vector<StyledLine>& lines, bool announce);
    const QString& PlainText() const { return plainText_; }
    bool Announcing() const { return announcing_; }

  private:
    QString plainText_;
    bool announcing_ = false;
};

}  // namespace orvalen
