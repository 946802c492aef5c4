// What the external filter runs: the command, its type and the window state, taken
// from the switches "/E", "/B", "/L", "/H" or from the "External Filter" dialog, whose
// choices are remembered in the configuration between runs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "platform/process.h"
#include "quorvan/app.h"
#include "quorvan/command_line.h"
#include "quorvan/user_interface.h"

namespace quorvan {

struct FilterRequest {
  std::string command;  // the program and its arguments, or (literal) the whole line
  int type = kRedirectFilter;
  int show_state = platform::kShowNormal;
};

// The dialog's button identifiers; the remembered values store these, not the type
// and state numbers.
inline constexpr int kHiddenButton = 1010;
inline constexpr int kVisibleButton = 1011;
inline constexpr int kRedirectButton = 1014;
inline constexpr int kFileBasedButton = 1015;
inline constexpr int kLiteralButton = 1016;

inline constexpr std::string_view kLastFilterCommand = "Last Filter Command";
inline constexpr std::string_view kLastFilterType = "Last Filter Type";
inline constexpr std::string_view kLastFilterShowState = "Last Filter Show State";

inline constexpr std::string_view kFilterFormIdentifier = "External Filter";
inline constexpr std::size_t kMaxFilterCommandChars = 125;

// Field positions of the "External Filter" form, in tab order.
inline constexpr std::size_t kFilterCommandField = 0;
inline constexpr std::size_t kFilterTypeField = 1;
inline constexpr std::size_t kFilterWindowField = 2;

// The "External Filter" form preset from the remembered values (first run: an empty
// command, "Redirect Filter", "Visible"). Its validator stores the three values, as
// they stand, before it refuses a command longer than kMaxFilterCommandChars, so a
// refused confirmation is remembered too; the edit therefore carries no max_length
// of its own (the form would check that before the validator).
Form MakeFilterForm(const config::Settings& settings);

// The request that a confirmed form stands for. A type group with nothing chosen
// counts as literal, a window group with nothing chosen as visible.
FilterRequest FilterRequestFromForm(const Form& form);

// Stores "Last Filter Command", "Last Filter Type" and "Last Filter Show State"
// (section "Defaults") from the form; a group with nothing chosen stores 0.
void RememberFilterForm(const config::Settings& settings, const Form& form);

// From the switches when "/E" was given; otherwise from the dialog, whose values are
// remembered when it is confirmed. nullopt when the dialog is cancelled.
std::optional<FilterRequest> GetFilterRequest(App& app);

}  // namespace quorvan
