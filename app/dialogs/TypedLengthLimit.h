#pragma once

#include <QValidator>
#include <algorithm>

namespace orvalen {

// Limits what the user types in an edit to length characters. Text the program puts in the
// edit may be longer: Allow(size) lets the edit keep it, and it stays until the user's next
// change lowers the allowance with Allow(0), so the limit counts again from there.
class TypedLengthLimit : public QValidator {
  public:
    TypedLengthLimit(int length, QObject* parent) : QValidator(parent), length_(length) {}

    void Allow(qsizetype size) { allowance_ = size; }

    State validate(QString& input, int&) const override {
        return input.size() <= std::max<qsizetype>(length_, allowance_) ? Acceptable : Invalid;
    }

  private:
    qsizetype length_;
    qsizetype allowance_ = 0;
};

}  // namespace orvalen
