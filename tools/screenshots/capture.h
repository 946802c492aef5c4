// Saving real windows as PNG files, shared by the screenshot programs.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace screenshots {

// Where the pictures go, and how many could not be made.
extern QString output_directory;
extern int failures;

// Lets the windows finish laying out and painting.
void Settle();
// Saves `window` as output_directory/name.png.
void Save(QWidget* window, const QString& name);
// Runs `show_modal`, which opens a modal window, saves that window and closes it.
void SaveModal(const QString& name, const std::function<void()>& show_modal);

}  // namespace screenshots
