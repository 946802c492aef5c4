// libtallowik_qt.so: the entry points through which tallowik reaches Qt.
#include <cstdio>

#include "settings/message_box.h"
#include "settings/qt_application.h"
#include "settings/text_codec.h"
#include "tallowik/messages.h"
#include "tallowik/qt/main_sheet.h"
#include "tallowik/qt_module.h"

namespace {

bool StartQt() {
  return settings::StartQtApplication("tallowik", settings::FromBytes(tallowik::kProgramTitle));
}

}  // namespace

extern "C" int TallowikRunSheet(int version, tallowik::SheetRun& run) {
  if (version != tallowik::kQtModuleVersion || !StartQt()) {
    std::fputs("tallowik: the sheet needs a display; none could be reached.\n", stderr);
    return 2;
  }
  return tallowik::RunMainSheet(run);
}

extern "C" bool TallowikShowMessage(int version, const char* caption, const char* text) {
  if (version != tallowik::kQtModuleVersion || !StartQt()) return false;
  settings::SetMessageCaption(settings::FromBytes(caption));
  settings::ShowMessage(nullptr, settings::FromBytes(text));
  return true;
}
