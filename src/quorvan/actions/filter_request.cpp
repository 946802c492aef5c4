#include "quorvan/actions/filter_request.h"

#include <vector>

#include "engine/templates.h"

namespace quorvan {
namespace {

// The choice index of `button` among `first`..`first + count - 1`, or `fallback` for a
// stored value outside that range (a hand-edited or broken store): showing no choice
// at all would run the filter in a way the dialog never displayed.
int ChoiceForButton(int button, int first, int count, int fallback) {
  return button >= first && button < first + count ? button - first : fallback;
}

// The button identifier of the chosen entry of a group, 0 when nothing is chosen.
int ButtonForChoice(const FormField& group, int first) {
  const int count = static_cast<int>(group.choices.size());
  return group.selected >= 0 && group.selected < count ? first + group.selected : 0;
}

}  // namespace

Form MakeFilterForm(const config::Settings& settings) {
  const std::string command =
      settings.ReadSetting(engine::kDefaultsSection, kLastFilterCommand, "");
  const int type_button =
      settings.ReadSettingNumber(engine::kDefaultsSection, kLastFilterType, kRedirectButton);
  const int window_button =
      settings.ReadSettingNumber(engine::kDefaultsSection, kLastFilterShowState, kVisibleButton);

  Form form;
  form.identifier = std::string(kFilterFormIdentifier);
  form.title = "External Filter";
  form.fields.push_back(FormField::Edit("Filter Command:", command));
  form.fields.push_back(FormField::RadioGroup("Filter Type",
                                              {"Redirect Filter", "File Based Filter", "Literal "},
                                              ChoiceForButton(type_button, kRedirectButton, 3, 0)));
  form.fields.push_back(FormField::RadioGroup("Filter Window", {"Hidden", "Visible"},
                                              ChoiceForButton(window_button, kHiddenButton, 2, 1)));
  const config::Settings* store = &settings;
  form.validator = [store](const Form& current, std::size_t index) -> std::optional<std::string> {
    if (index != kFilterCommandField) return std::nullopt;
    if (current.fields[kFilterCommandField].text.size() <= kMaxFilterCommandChars) {
      return std::nullopt;
    }
    RememberFilterForm(*store, current);
    return MaxLengthMessage(kMaxFilterCommandChars);
  };
  return form;
}

FilterRequest FilterRequestFromForm(const Form& form) {
  FilterRequest request;
  request.command = form.fields[kFilterCommandField].text;
  const int window_button = ButtonForChoice(form.fields[kFilterWindowField], kHiddenButton);
  request.show_state =
      window_button == kHiddenButton ? platform::kShowHidden : platform::kShowNormal;
  const int type_button = ButtonForChoice(form.fields[kFilterTypeField], kRedirectButton);
  request.type = type_button == kRedirectButton    ? kRedirectFilter
                 : type_button == kFileBasedButton ? kFileFilter
                                                   : kLiteralFilter;
  return request;
}

void RememberFilterForm(const config::Settings& settings, const Form& form) {
  settings.WriteSettingNumber(engine::kDefaultsSection, kLastFilterShowState,
                              ButtonForChoice(form.fields[kFilterWindowField], kHiddenButton));
  settings.WriteSettingNumber(engine::kDefaultsSection, kLastFilterType,
                              ButtonForChoice(form.fields[kFilterTypeField], kRedirectButton));
  settings.WriteSetting(engine::kDefaultsSection, kLastFilterCommand,
                        form.fields[kFilterCommandField].text);
}

std::optional<FilterRequest> GetFilterRequest(App& app) {
  const CommandLineValues& values = app.command_line;
  if (values.has_filter_command) {
    return FilterRequest{values.filter_command, values.filter_type, values.show_state};
  }
  Form form = MakeFilterForm(app.settings);
  if (!app.ui.RunForm(form)) return std::nullopt;
  // The dialog may have been confirmed by an implementation that never ran the
  // validator, and the validator stores only refused entries: store what was confirmed.
  if (form.fields.size() != 3) return std::nullopt;
  RememberFilterForm(app.settings, form);
  return FilterRequestFromForm(form);
}

}  // namespace quorvan
