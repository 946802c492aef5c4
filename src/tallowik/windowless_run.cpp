#include "tallowik/windowless_run.h"

#include <cstdio>

#include "tallowik/main_page_model.h"

namespace tallowik {
namespace {

bool SelectNamedCategory(MainPageModel& page, const std::string& text) {
  const std::vector<CategoryEntry>& categories = page.values().categories;
  for (std::size_t i = 0; i < categories.size(); ++i) {
    if (BeginsIgnoringCase(categories[i].name, text)) {
      page.SelectCategory(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

}  // namespace

void StandardErrorMessages::ShowMessage(std::string_view caption, std::string_view text) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
}

int RunWindowless(const ParsedCommandLine& parsed, const config::Settings& settings,
                  platform::DdeClient& dde, const engine::Clock& clock, MessageSink& messages) {
  std::optional<ProjectArguments> project = CheckCommandLine(parsed.positional, messages);
  if (!project) return 1;
  MainPageModel page(settings, *project);
  page.SetUp();

  const WindowlessOptions& options = parsed.options;
  if (options.category && !SelectNamedCategory(page, *options.category)) {
    messages.ShowMessage("No base class category begins with \"" + *options.category + "\".");
    return 1;
  }
  page.SetClassName(options.class_name);
  MainPageValues& values = page.values();
  if (options.base_class) values.base_class = *options.base_class;
  if (options.resource) values.resource = *options.resource;
  if (options.description) values.description = *options.description;
  if (options.specific) values.class_specific = *options.specific;
  if (options.header) values.header_file = *options.header;
  if (options.source) values.source_file = *options.source;
  if (options.add_to_clw) values.add_to_clw = *options.add_to_clw;

  // The page's question has no one to answer it here: it is shown as a message and
  // the run stops, as a user's Cancel would.
  const bool left = page.Leave([&messages](std::string_view question) {
    messages.ShowMessage(question);
    return false;
  });
  if (!left) return 1;

  ClassGenerator generator(settings, clock, messages, dde);
  const std::optional<GenerationResult> result = page.Commit(generator);
  if (!result) return 1;
  switch (*result) {
    case GenerationResult::kGenerated:
      return 0;
    case GenerationResult::kNoCategory:
      // The sheet ends silently here; a script must not take it for success.
      messages.ShowMessage("No base class category is configured; no class files were generated.");
      return 1;
    case GenerationResult::kHeaderFailed:
    case GenerationResult::kSourceFailed:
      return 1;
  }
  return 1;
}

}  // namespace tallowik
