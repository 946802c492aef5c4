// The generation run: a new class's header and implementation file from the
// templates of its base-class category, its registration in the ClassWizard file and
// the request that the IDE open the implementation file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "engine/variables.h"
#include "platform/ide_link.h"
#include "tallowik/messages.h"
#include "tallowik/new_class.h"

namespace tallowik {

// What the main page hands to `GenerateClass`.
struct GenerationRequest {
  ClassFields fields;
  // The category number stored with the selected entry of the category list;
  // nullopt when no entry is selected.
  std::optional<int> category;
  // The "Add Class to Class Wizard" box is checked and enabled.
  bool add_to_class_wizard = false;
  std::string class_wizard_file;
};

enum class GenerationResult {
  kGenerated,     // both files written (registered and opened as asked)
  kNoCategory,    // no usable category: nothing written, nothing shown
  kHeaderFailed,  // message shown; nothing written
  kSourceFailed,  // message shown; the header stays as written
};

// The key of category `number`: "Class Number " and the decimal number.
std::string CategoryKey(int number);

// Every configuration value comes from the configuration in force. File names are
// used as given, relative to the current directory (the project directory).
class ClassGenerator {
 public:
  ClassGenerator(const config::Settings& settings, const engine::Clock& clock,
                 MessageSink& messages, platform::DdeClient& dde)
      : settings_(settings), clock_(clock), messages_(messages), dde_(dde) {}

  // `GenerateClass`. A category counts when it is selected and its number lies in
  // 0 .. "Number" of "Base Classes" less one. Writes the header from the category's
  // "Header Template", then the implementation file from its "Source Template",
  // registers the class when asked, then asks the IDE to open the implementation file
  // (an empty name or a refused request is silent). Each failure ends the run. The
  // caller clears the page's changed state and stores the last-used values after
  // kGenerated.
  GenerationResult GenerateClass(const GenerationRequest& request);

  // `GenerateFile`: reloads the per-file values of `new_class`, finds `template_name`
  // on the template search path and appends its substituted pieces to `output_name`
  // (created when missing). Messages, each followed by failure: "Unable to open
  // template file <template_name>" (the output is not touched), "Unable to create or
  // open file <output_name>", "Unable to write file <output_name>" when writing or
  // closing fails, "Insufficient memory, files not created!".
  bool GenerateFile(NewClass& new_class, const std::string& template_name,
                    const std::string& output_name);

 private:
  bool WriteFile(const NewClass& new_class, const std::string& template_text,
                 const std::string& output_name);

  const config::Settings& settings_;
  const engine::Clock& clock_;
  MessageSink& messages_;
  platform::DdeClient& dde_;
};

}  // namespace tallowik
