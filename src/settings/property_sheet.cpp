#include "settings/property_sheet.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/help_window.h"
#include "settings/message_box.h"
#include "settings/property_page.h"
#include "settings/text_codec.h"

namespace settings {
namespace {

constexpr int kButtonWidth = 80;

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setMinimumWidth(kButtonWidth);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

QStringList ListedConfigurations(const config::Settings& settings) {
  QStringList names;
  const int count = settings.ReadSectionNumber(config::kConfigurationsSection, kNumberOfConfigs, 0);
  for (int i = 0; i < count; ++i) {
    std::string name =
        settings.ReadSectionValue(config::kConfigurationsSection, kConfigurationBase, i, "");
    if (!name.empty()) names.append(FromBytes(name));
  }
  return names;
}

PropertySheet::PropertySheet(config::Settings& settings, const QString& title, int chooser_id,
                             QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("propertySheet");
  setWindowTitle(title);

  main_layout_ = new QVBoxLayout(this);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName("pageTabs");
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  stack_ = new QStackedWidget(this);
  stack_->setObjectName("pageStack");
  stack_->setFrameShape(QFrame::StyledPanel);
  main_layout_->addWidget(tabs_);
  main_layout_->addWidget(stack_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ok_ = MakeButton(tr("OK"), "okButton", this);
  ok_->setDefault(true);
  cancel_ = MakeButton(tr("Cancel"), "cancelButton", this);
  apply_ = MakeButton(tr("&Apply Now"), "applyButton", this);
  apply_->setEnabled(false);
  help_ = MakeButton(tr("Help"), "helpButton", this);
  chooser_ = new QComboBox(this);
  chooser_->setObjectName("configurationChooser");
  chooser_->setProperty("controlId", chooser_id);
  chooser_->setMinimumWidth(kButtonWidth);
  chooser_->setEditable(false);
  chooser_->setMaxVisibleItems(3);
  chooser_->addItem(FromBytes(config::kDefaultConfiguration));
  for (QWidget* w : std::initializer_list<QWidget*>{ok_, cancel_, apply_, help_, chooser_}) {
    buttons->addWidget(w);
  }
  main_layout_->addLayout(buttons);

  connect(tabs_, &QTabBar::currentChanged, this, &PropertySheet::TabClicked);
  connect(ok_, &QPushButton::clicked, this, &PropertySheet::OkPressed);
  connect(cancel_, &QPushButton::clicked, this, &PropertySheet::CancelPressed);
  connect(apply_, &QPushButton::clicked, this, &PropertySheet::ApplyPressed);
  connect(help_, &QPushButton::clicked, this, &PropertySheet::HelpPressed);
  connect(chooser_, &QComboBox::currentIndexChanged, this, &PropertySheet::ChooserChanged);

  const struct {
    QKeySequence keys;
    int step;
  } page_keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                   {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                   {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
  for (const auto& page_key : page_keys) {
    auto* shortcut = new QShortcut(page_key.keys, this);
    connect(shortcut, &QShortcut::activated, this,
            [this, step = page_key.step] { ActivateNeighbour(step); });
  }
  auto* help_key = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help_key, &QShortcut::activated, this, &PropertySheet::HelpPressed);

  settings_.SetChooserHook(
      [this]() -> std::optional<std::string> { return ToBytes(chooser_->currentText()); });
  FillConfigurationChooser();
}

PropertySheet::~PropertySheet() {
  settings_.SetChooserHook(nullptr);
  delete help_window_;
}

void PropertySheet::AddPage(PropertyPage* page) {
  pages_.push_back(page);
  stack_->addWidget(page);
  connect(page, &PropertyPage::modifiedChanged, this, &PropertySheet::UpdateApplyButton);
  const QSignalBlocker block(tabs_);
  tabs_->addTab(page->title());
  if (active_ < 0) {
    active_ = 0;
    page->EnsureCreated();
    page->OnSetActive();
    tabs_->setCurrentIndex(0);
    stack_->setCurrentWidget(page);
  }
  UpdateApplyButton();
}

void PropertySheet::AddAboutMenu(const QString& about_text, std::function<void()> show_about) {
  auto* menu_bar = new QMenuBar(this);
  menu_bar->setObjectName("sheetMenuBar");
  QMenu* help_menu = menu_bar->addMenu(tr("&Help"));
  QAction* about = help_menu->addAction(about_text);
  about->setObjectName("aboutAction");
  connect(about, &QAction::triggered, this, std::move(show_about));
  main_layout_->setMenuBar(menu_bar);
}

bool PropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= page_count()) return false;
  if (index == active_) return true;
  if (PropertyPage* current = active_page(); current && !current->OnKillActive()) {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(active_);
    return false;
  }
  active_ = index;
  PropertyPage* next = page(index);
  {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(index);
  }
  stack_->setCurrentWidget(next);
  next->EnsureCreated();
  next->OnSetActive();
  UpdateApplyButton();
  return true;
}

void PropertySheet::TabClicked(int index) { SetActivePage(index); }

void PropertySheet::ActivateNeighbour(int step) {
  const int count = page_count();
  if (count < 2 || active_ < 0) return;
  SetActivePage(((active_ + step) % count + count) % count);
}

void PropertySheet::UpdateApplyButton() {
  PropertyPage* page = active_page();
  apply_->setEnabled(page && page->modified());
}

void PropertySheet::FillConfigurationChooser() {
  filling_chooser_ = true;
  chooser_->clear();
  QStringList names{FromBytes(config::kDefaultConfiguration)};
  names.append(ListedConfigurations(settings_));
  // A sorted list, as the user sees it: letter case does not order the names.
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  chooser_->addItems(names);
  std::string last = settings_.ReadSectionValue(config::kConfigurationsSection, kLastConfiguration,
                                                config::kDefaultConfiguration);
  SelectInChooser(FromBytes(last));
  filling_chooser_ = false;
  last_confirmed_ = chooser_->currentText();
}

void PropertySheet::SelectInChooser(const QString& name) {
  int found = -1;
  for (int i = 0; i < chooser_->count() && found < 0; ++i) {
    if (QString::compare(chooser_->itemText(i), name, Qt::CaseInsensitive) == 0) found = i;
  }
  if (found < 0) found = chooser_->findText(FromBytes(config::kDefaultConfiguration));
  const QSignalBlocker block(chooser_);
  chooser_->setCurrentIndex(found);
}

QString PropertySheet::ChooserText() const { return chooser_->currentText(); }

void PropertySheet::ChooserChanged() {
  if (filling_chooser_) return;
  for (PropertyPage* page : pages_) {
    if (!page->created() || page->IsPageClean()) continue;
    if (!AskYesNo(this, tr(kLoseChangesQuestion))) {
      SelectInChooser(last_confirmed_);
      return;
    }
    break;
  }
  for (PropertyPage* page : pages_) {
    if (page->created()) page->ReloadPage();
  }
  last_confirmed_ = chooser_->currentText();
  UpdateApplyButton();
}

void PropertySheet::OkPressed() {
  if (PropertyPage* current = active_page(); current && !current->OnKillActive()) return;
  for (PropertyPage* page : pages_) page->OnOK();
  done(Accepted);
}

void PropertySheet::CancelPressed() {
  for (PropertyPage* page : pages_) page->OnCancel();
  done(2);
}

void PropertySheet::ApplyPressed() {
  PropertyPage* current = active_page();
  if (!current || !current->OnKillActive()) return;
  current->OnOK();
  UpdateApplyButton();
}

void PropertySheet::HelpPressed() { ShowHelp(HelpContext()); }

void PropertySheet::ShowHelp(int context) {
  if (!help_window_) help_window_ = new HelpWindow;
  if (!help_window_->ShowTopic(help_file_, context)) {
    ShowMessage(this, tr("Unable to open help file %1").arg(help_file_));
  }
}

void PropertySheet::done(int result) {
  if (!closed_) {
    closed_ = true;
    settings_.WriteSectionValue(config::kConfigurationsSection, kLastConfiguration,
                                ToBytes(chooser_->currentText()));
    if (help_window_) help_window_->close();
  }
  QDialog::done(result);
}

void PropertySheet::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* screen = this->screen()) {
    QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

DialogHelpContext::DialogHelpContext(QWidget* dialog, int context) {
  QWidget* owner = dialog ? dialog->parentWidget() : nullptr;
  sheet_ = owner ? qobject_cast<PropertySheet*>(owner->window()) : nullptr;
  if (!sheet_) return;
  sheet_->SetDialogHelpContext(context);
  auto* help_key = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
  QObject::connect(help_key, &QShortcut::activated, sheet_.data(), &PropertySheet::HelpPressed);
}

DialogHelpContext::~DialogHelpContext() {
  if (sheet_) sheet_->SetDialogHelpContext(0);
}

}  // namespace settings
