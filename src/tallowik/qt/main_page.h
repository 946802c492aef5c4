// The main page, tab "Generator" (`CMainPage`): the widgets of MainPageModel. Its
// commit generates the class when a generation is pending.
#pragma once

#include <memory>

#include "config/settings.h"
#include "engine/variables.h"
#include "platform/ide_link.h"
#include "settings/property_page.h"
#include "tallowik/main_page_model.h"
#include "tallowik/qt/qt_messages.h"

namespace Ui {
class MainPage;
}

namespace tallowik {

class MainPage : public settings::PropertyPage {
  Q_OBJECT

 public:
  MainPage(config::Settings& settings, const engine::Clock& clock, platform::DdeClient& dde,
           ProjectArguments project, QWidget* parent = nullptr);
  ~MainPage() override;

  const MainPageModel& model() const { return model_; }
  // Whether the last commit ran a generation that failed with a message.
  bool generation_failed() const { return generation_failed_; }

  void OnSetActive() override;
  bool OnKillActive() override;
  void OnOK() override;
  bool IsPageClean() const override { return model_.IsClean(); }
  void ReloadPage() override;

 protected:
  void OnInitialize() override;

 private:
  // Puts the model's state into the widgets without taking it for user edits.
  void ShowModel();
  void ClassNameEdited(const QString& text);
  void CategoryChosen(int index);

  config::Settings& settings_;
  const engine::Clock& clock_;
  platform::DdeClient& dde_;
  MainPageModel model_;
  QtMessages messages_;
  std::unique_ptr<Ui::MainPage> ui_;
  bool showing_ = false;
  bool generation_failed_ = false;
};

}  // namespace tallowik
