#include <optional>
#include <string>

#include "quorvan/actions/actions.h"
#include "quorvan/actions/common_entries.h"

namespace quorvan {

// The chosen common file is opened in the IDE; the result is the IDE's answer. An
// empty choice fails without asking the IDE.
bool CommonFilesAction(App& app) {
  std::optional<std::string> path = ChooseCommonEntry(app, CommonList::kFiles);
  if (!path || path->empty()) return false;
  return app.ide.OpenFileInIde(*path);
}

}  // namespace quorvan
