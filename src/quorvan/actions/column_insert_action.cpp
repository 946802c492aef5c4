#include <algorithm>
#include <string>

#include "engine/escapes.h"
#include "quorvan/actions/actions.h"
#include "quorvan/actions/column_insert.h"
#include "quorvan/clipboard_exchange.h"
#include "quorvan/user_interface.h"

namespace quorvan {

Form MakeColumnInsertForm() {
  Form form;
  form.identifier = std::string(kColumnInsertFormIdentifier);
  form.title = "Column Insert";
  form.fields.push_back(FormField::Edit("Insert text:", "", kMaxInsertChars));
  form.fields.push_back(FormField::CheckBox("Translate escape sequences", false));
  return form;
}

namespace {

// The "Column Insert" dialog; false for Cancel.
bool AskInsertText(UserInterface& ui, std::string& text, bool& translate) {
  Form form = MakeColumnInsertForm();
  if (!ui.RunForm(form) || form.fields.size() != 2) return false;
  text = form.fields[kInsertTextField].text;
  translate = form.fields[kTranslateEscapesField].checked;
  return true;
}

}  // namespace

// One line of the entered text for each line feed of the IDE's column selection,
// written back as a column selection and pasted over it. A selection that is not a
// column selection fails before the dialog.
bool ColumnInsertAction(App& app) {
  app.ide.CopySelection();
  std::string selection;
  if (!ReadClipboardText(app, selection, false, &app.ColumnSelection)) return false;
  std::string text;
  bool translate = false;
  if (app.ColumnSelection == 0 || !AskInsertText(app.ui, text, translate)) {
    app.ColumnSelection = 0;
    return false;
  }
  if (translate) engine::TranslateEscapes(text, &app.ui);

  const auto lines = static_cast<std::size_t>(std::count(selection.begin(), selection.end(), '\n'));
  text += "\r\n";
  std::string result;
  result.reserve(lines * text.size());
  for (std::size_t i = 0; i < lines; ++i) result += text;

  const bool written = WriteClipboardText(app, result, app.ColumnSelection);
  app.ColumnSelection = 0;
  if (!written) return false;
  app.ide.PositionForPaste(1);
  app.ide.PasteResult();
  return true;
}

}  // namespace quorvan
