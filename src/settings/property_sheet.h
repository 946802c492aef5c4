// A modal tabbed property sheet with the button row OK / Cancel / Apply Now / Help
// and a configuration chooser. While the sheet exists, the configuration in force
// (Settings::CurrentConfiguration) is the chooser's text; closing the sheet, by any
// button, stores that text as "Last Configuration".
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "config/settings.h"
#include "settings/help_window.h"

class QComboBox;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QVBoxLayout;

namespace settings {

class PropertyPage;

inline constexpr char kLoseChangesQuestion[] = "Lose changes to current Configuration?";
inline constexpr char kLastConfiguration[] = "Last Configuration";
inline constexpr char kNumberOfConfigs[] = "Number of Configs";
inline constexpr char kConfigurationBase[] = "Configuration";

// The non-empty names "Configuration0" ... of section "Configurations", up to
// "Number of Configs", in stored order.
QStringList ListedConfigurations(const config::Settings& settings);

class PropertySheet : public QDialog {
  Q_OBJECT

 public:
  // `chooser_id` is the chooser's control identifier, kept as its "controlId"
  // property.
  PropertySheet(config::Settings& settings, const QString& title, int chooser_id,
                QWidget* parent = nullptr);
  ~PropertySheet() override;

  // Pages in order; the sheet takes ownership. The first page added is shown first.
  void AddPage(PropertyPage* page);
  // A menu "&Help" above the pages whose one item `about_text` runs `show_about`: a
  // sheet has no window menu to extend with its about box.
  void AddAboutMenu(const QString& about_text, std::function<void()> show_about);
  int page_count() const { return static_cast<int>(pages_.size()); }
  PropertyPage* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
  int active_index() const { return active_; }
  PropertyPage* active_page() const { return active_ < 0 ? nullptr : page(active_); }
  // Makes page `index` active, after the active page has agreed to stop being
  // active; false when it refused.
  bool SetActivePage(int index);

  config::Settings& settings() const { return settings_; }
  // "Default" and the listed configurations, sorted, with "Last Configuration"
  // selected ("Default" when it names none of them).
  void FillConfigurationChooser();
  QString ChooserText() const;
  const QString& last_confirmed_configuration() const { return last_confirmed_; }

  // The help file, an HTML file with one anchor per context number.
  void SetHelpFile(const QString& path) { help_file_ = path; }
  HelpWindow* help_window() const { return help_window_; }

  QComboBox* chooser() const { return chooser_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* cancel_button() const { return cancel_; }
  QPushButton* apply_button() const { return apply_; }
  QPushButton* help_button() const { return help_; }

  // The button handlers, public so that a page (a double-click) can press OK.
  virtual void OkPressed();
  void CancelPressed();
  void ApplyPressed();
  void HelpPressed();
  // Opens the help window at `context`.
  void ShowHelp(int context);
  // The context Help opens while a dialog of a page is shown; 0: the active page's
  // index plus one. See DialogHelpContext.
  void SetDialogHelpContext(int context) { dialog_help_context_ = context; }
  int HelpContext() const { return dialog_help_context_ ? dialog_help_context_ : active_ + 1; }
  // The next or previous page, wrapping around, through the same leave and activate
  // steps as a click on its tab (Ctrl+Tab, Ctrl+PageDown; Ctrl+Shift+Tab, Ctrl+PageUp).
  void ActivateNeighbour(int step);

  void done(int result) override;
  // Escape and the window's close button cancel.
  void reject() override { CancelPressed(); }

 protected:
  // The layout above the tabs, for a menu bar.
  QVBoxLayout* main_layout() const { return main_layout_; }
  void showEvent(QShowEvent* event) override;

 private:
  void TabClicked(int index);
  void ChooserChanged();
  void UpdateApplyButton();
  void SelectInChooser(const QString& name);

  config::Settings& settings_;
  std::vector<PropertyPage*> pages_;
  int active_ = -1;
  QVBoxLayout* main_layout_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QComboBox* chooser_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* help_ = nullptr;
  QString last_confirmed_;
  bool filling_chooser_ = false;
  bool closed_ = false;
  QString help_file_;
  QPointer<HelpWindow> help_window_;
  int dialog_help_context_ = 0;
};

// While it lives, the sheet that owns `dialog`'s parent opens `context` for Help, and
// F1 in the dialog opens it; the sheet's own context comes back when it ends, also
// after Cancel. Without such a sheet it does nothing.
class DialogHelpContext {
 public:
  DialogHelpContext(QWidget* dialog, int context);
  ~DialogHelpContext();
  DialogHelpContext(const DialogHelpContext&) = delete;
  DialogHelpContext& operator=(const DialogHelpContext&) = delete;

 private:
  QPointer<PropertySheet> sheet_;
};

}  // namespace settings
