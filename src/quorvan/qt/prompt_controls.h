// The widgets of a prompt layout as the prompt sees them: their classes, the
// children that count as controls, and reading and setting their texts and states.
// Shared by the dialog in a window and the dialog on a terminal.
#pragma once

#include <QString>
#include <vector>

class QAbstractButton;
class QAbstractItemModel;
class QListView;
class QWidget;

namespace quorvan {

// What a widget is to the prompt: the classes a dialog layout is made of.
enum class ControlClass { kStatic, kEdit, kComboBox, kListBox, kAutoButton, kOther };

ControlClass Classify(const QWidget* widget);

// Whether a label standing directly before a control of this class labels it.
bool HasLabel(ControlClass kind);

// The children of `widget` that belong to the layout: a combo box shows only its
// edit field, and the parts that views, edits and spin boxes make for themselves
// (viewports, scroll bars, popups) are not controls of the dialog.
std::vector<QWidget*> LayoutChildren(QWidget* widget);

// Enables the widget and, for a combo box, its edit field, which the walk disabled
// on its own. Null is ignored.
void Enable(QWidget* widget);

// The text of a label, edit, editable combo box, button or group box.
void SetText(QWidget* widget, const QString& text);
// An edit's or combo box's text, a list's selected entry, a label's, button's or
// group box's text; empty for other widgets.
QString Text(const QWidget* widget);

// The list's model, made when it has none.
QAbstractItemModel* ListModel(QListView* list);
// The text of a list's selected entry (the first, by row, of several); empty when
// nothing is selected.
QString ListSelection(const QListView* list);
// Makes `row` the list's current and only selected entry.
void SelectListRow(QListView* list, int row);

// Sets one option button's state even where exclusivity would refuse to clear it.
void SetExclusiveState(QAbstractButton* button, bool checked);

}  // namespace quorvan
