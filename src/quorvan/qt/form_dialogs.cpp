#include "quorvan/qt/form_dialogs.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <initializer_list>

#include "quorvan/actions/column_insert.h"
#include "quorvan/actions/filter_request.h"
#include "quorvan/qt/column_insert_dialog.h"
#include "quorvan/qt/common_entries_dialog.h"
#include "quorvan/qt/filter_dialog.h"
#include "quorvan/qt/form_generic_dialog.h"

namespace quorvan {
namespace {

struct FieldShape {
  FormField::Kind kind;
  std::size_t choices = 0;  // radio groups only: the layout's number of buttons
};

// Whether the form's fields are those a layout binds; a form that differs (another
// caller reusing an identifier) gets the generic dialog rather than wrong widgets.
bool FitsLayout(const Form& form, std::initializer_list<FieldShape> shapes) {
  if (form.fields.size() != shapes.size()) return false;
  std::size_t i = 0;
  for (const FieldShape& shape : shapes) {
    const FormField& field = form.fields[i++];
    if (field.kind != shape.kind) return false;
    if (shape.kind == FormField::Kind::kRadioGroup && field.choices.size() != shape.choices) {
      return false;
    }
  }
  return true;
}

// Centred over the owner's window, or over the screen without one, and kept on
// that screen.
void Centre(QWidget& dialog, QWidget* owner) {
  dialog.adjustSize();
  QWidget* window = owner ? owner->window() : nullptr;
  QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QPoint centre = window ? window->frameGeometry().center() : area.center();
  QRect frame(QPoint(0, 0), dialog.size());
  frame.moveCenter(centre);
  if (frame.right() > area.right()) frame.moveRight(area.right());
  if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
  if (frame.left() < area.left()) frame.moveLeft(area.left());
  if (frame.top() < area.top()) frame.moveTop(area.top());
  dialog.move(frame.topLeft());
}

}  // namespace

std::unique_ptr<FormDialog> MakeFormDialog(Form& form, QWidget* owner) {
  using Kind = FormField::Kind;
  if (form.identifier == kFilterFormIdentifier &&
      FitsLayout(form, {{Kind::kEdit}, {Kind::kRadioGroup, 3}, {Kind::kRadioGroup, 2}})) {
    return std::make_unique<FilterDialog>(form, owner);
  }
  if (form.identifier == kColumnInsertFormIdentifier &&
      FitsLayout(form, {{Kind::kEdit}, {Kind::kCheckBox}})) {
    return std::make_unique<ColumnInsertDialog>(form, owner);
  }
  if ((form.identifier == "Common Strings" || form.identifier == "Common Files") &&
      FitsLayout(form, {{Kind::kList}})) {
    return std::make_unique<CommonEntriesDialog>(form, owner);
  }
  return std::make_unique<GenericFormDialog>(form, owner);
}

bool RunFormDialog(Form& form, QWidget* owner) {
  std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, owner);
  Centre(*dialog, owner);
  return dialog->exec() == QDialog::Accepted;
}

}  // namespace quorvan
