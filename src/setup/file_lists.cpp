#include "setup/file_lists.h"

namespace setup {
namespace {

constexpr std::string_view kProgramFiles[] = {
    "tallowik",
    "tallowik.html",
    "quorvan",
    "quorvan.html",
    "TEMPLRES.rcc",
    "README.TXT",
    "setup",
    "ferrul",
    // The modules that the programs load beside themselves: the user interfaces and
    // the X11 desktop.
    "libtallowik_qt.so",
    "libquorvan_qt.so",
    "libsetup_qt.so",
    "libferrul_qt.so",
    "libbrackwater_x11.so",
};

constexpr std::string_view kTemplateFiles[] = {
    "ACCFCN.CTL",  "COMMON.CTL", "FCNHDR.CTL",   "MODHDR.CTL",  "DLGAPP.CPP",   "DLGAPP.H",
    "MAINDLG.CPP", "MAINDLG.H",  "MODALDLG.CPP", "MODALDLG.H",  "MODELESS.CPP", "MODELESS.H",
    "WND.CPP",     "WND.H",      "FCNPURP.CTL",  "MODDESC.CTL",
};

constexpr std::string_view kResourceFiles[] = {
    "templres.qrc", "Makefile", "7001.ui", "7002.ui", "7003.ui",
};

}  // namespace

std::span<const std::string_view> ProgramFiles() { return kProgramFiles; }
std::span<const std::string_view> TemplateFiles() { return kTemplateFiles; }
std::span<const std::string_view> ResourceFiles() { return kResourceFiles; }

}  // namespace setup
