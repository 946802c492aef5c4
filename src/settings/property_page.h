// A page of a property sheet. The sheet creates a page's controls when the page is
// first shown; until then the page is not `created()` and the sheet's protocol
// messages skip it.
#pragma once

#include <QString>
#include <QWidget>

namespace settings {

class PropertyPage : public QWidget {
  Q_OBJECT

 public:
  explicit PropertyPage(QString title, QWidget* parent = nullptr);

  const QString& title() const { return title_; }
  bool created() const { return created_; }
  // Runs the first display once.
  void EnsureCreated();

  // The page operations the sheet calls.
  virtual void OnSetActive() {}
  // False refuses: the sheet keeps this page active.
  virtual bool OnKillActive() { return true; }
  // The page's commit (the sheet's OK and Apply Now).
  virtual void OnOK() {}
  virtual void OnCancel() {}

  // The sheet-to-page protocol: whether the page holds no uncommitted edits, and a
  // reload from the configuration in force that forgets the page's edits.
  virtual bool IsPageClean() const { return true; }
  virtual void ReloadPage() {}

  // While set on the active page, the sheet enables Apply Now.
  bool modified() const { return modified_; }
  void SetModified(bool modified);

 signals:
  void modifiedChanged(bool modified);

 protected:
  // First display: fill the controls.
  virtual void OnInitialize() {}

 private:
  QString title_;
  bool created_ = false;
  bool modified_ = false;
};

// A page that edits settings: the Modified / PendingEdits scheme that lets edits
// survive while another page is active, and loading that does not count as editing.
class EditingPage : public PropertyPage {
  Q_OBJECT

 public:
  using PropertyPage::PropertyPage;

  void OnSetActive() override;
  bool OnKillActive() override;
  void OnOK() override;
  bool IsPageClean() const override { return !pending_edits_ && !modified(); }
  void ReloadPage() override;

  bool pending_edits() const { return pending_edits_; }

 protected:
  void OnInitialize() override { Load(); }
  // Fill the controls from the store, and write them to it.
  virtual void LoadControls() = 0;
  virtual void WriteControls() = 0;
  // The control that takes the focus when the page becomes active; null for none.
  virtual QWidget* FocusOnActivate() { return nullptr; }

  void Load();
  // Connect every edit notification of the page's controls here.
  void UserEdited();

 private:
  bool pending_edits_ = false;
  bool loading_controls_ = false;
};

}  // namespace settings
