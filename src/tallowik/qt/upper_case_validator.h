// Forces the letters typed into a line edit to upper case, as the file-name fields
// of the main page and the template fields of the category dialog do.
#pragma once

#include <QValidator>

namespace tallowik {

class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

}  // namespace tallowik
