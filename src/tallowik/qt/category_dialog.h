// The "Base Class Category" dialog: one category's six values, checked on OK.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "tallowik/categories.h"

namespace Ui {
class CategoryDialog;
}

namespace tallowik {

class CategoryDialog : public QDialog {
  Q_OBJECT

 public:
  CategoryDialog(const BaseClassCategory& initial, QWidget* parent = nullptr);
  ~CategoryDialog() override;

  // The values as the fields hold them; after OK, as FinishCategory left them.
  BaseClassCategory values() const;
  void accept() override;

  void BrowseHeader();
  void BrowseSource();

  // Asks for an existing file, starting in `directory` (empty: the platform's
  // default), and returns its path, or an empty text for Cancel.
  using FileChooser = std::function<QString(QWidget* parent, const QString& directory,
                                            const QString& filter, const QString& suffix)>;
  // Replaces the file dialog (tests); null restores it.
  static void SetFileChooser(FileChooser chooser);
  // The directory both browse buttons start in, kept until the program ends.
  static QString RememberedDirectory();
  static void ForgetDirectory();

 private:
  void Browse(bool header);

  std::unique_ptr<Ui::CategoryDialog> ui_;
  BaseClassCategory accepted_;
  bool accepted_set_ = false;
};

}  // namespace tallowik
