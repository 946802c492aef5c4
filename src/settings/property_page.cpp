#include "settings/property_page.h"

namespace settings {

PropertyPage::PropertyPage(QString title, QWidget* parent)
    : QWidget(parent), title_(std::move(title)) {}

void PropertyPage::EnsureCreated() {
  if (created_) return;
  created_ = true;
  OnInitialize();
}

void PropertyPage::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit modifiedChanged(modified);
}

void EditingPage::OnSetActive() {
  if (QWidget* focus = FocusOnActivate()) focus->setFocus();
  SetModified(pending_edits_);
}

bool EditingPage::OnKillActive() {
  pending_edits_ = modified();
  SetModified(false);
  return true;
}

void EditingPage::OnOK() {
  if (pending_edits_) {
    WriteControls();
    pending_edits_ = false;
  }
  SetModified(false);
}

void EditingPage::ReloadPage() {
  Load();
  pending_edits_ = false;
}

void EditingPage::Load() {
  loading_controls_ = true;
  LoadControls();
  SetModified(false);
  loading_controls_ = false;
}

void EditingPage::UserEdited() {
  if (!loading_controls_) SetModified(true);
}

}  // namespace settings
