#include "quorvan/user_interface.h"

namespace quorvan {

FormField FormField::Edit(std::string label, std::string preset, std::size_t max_length) {
  FormField field;
  field.kind = Kind::kEdit;
  field.label = std::move(label);
  field.text = std::move(preset);
  field.max_length = max_length;
  return field;
}

FormField FormField::RadioGroup(std::string label, std::vector<std::string> choices, int preset) {
  FormField field;
  field.kind = Kind::kRadioGroup;
  field.label = std::move(label);
  field.choices = std::move(choices);
  field.selected = preset;
  return field;
}

FormField FormField::List(std::string label, std::vector<std::string> choices, int preset) {
  FormField field = RadioGroup(std::move(label), std::move(choices), preset);
  field.kind = Kind::kList;
  return field;
}

FormField FormField::CheckBox(std::string label, bool checked) {
  FormField field;
  field.kind = Kind::kCheckBox;
  field.label = std::move(label);
  field.checked = checked;
  return field;
}

std::string MaxLengthMessage(std::size_t max_length) {
  std::string message(kMaxLengthMessage);
  message.replace(message.find("%1"), 2, std::to_string(max_length));
  return message;
}

std::optional<std::string> Form::Check(std::size_t index) const {
  if (index >= fields.size()) return std::nullopt;
  const FormField& field = fields[index];
  if (field.kind == FormField::Kind::kEdit && field.max_length > 0 &&
      field.text.size() > field.max_length) {
    return MaxLengthMessage(field.max_length);
  }
  if (validator) return validator(*this, index);
  return std::nullopt;
}

}  // namespace quorvan
