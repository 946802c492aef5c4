#include "quorvan/prompt_step.h"

#include <gtest/gtest.h>

#include "fake_app.h"
#include "quorvan/actions/control_file.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using Kind = PromptControl::Kind;
using testing_support::TempDir;

struct ParseCase {
  const char* text;
  std::vector<std::vector<std::string>> items;  // section, default, expression
};

TEST(ParseDlgGetItems, TakesQuotedArgumentsUpToTheMatchingParenthesis) {
  const ParseCase cases[] = {
      {R"-(a $_DlgGet("Name", "CMyClass") b)-",
       {{"Name", "CMyClass", R"-($_DlgGet("Name", "CMyClass"))-"}}},
      {R"-($_DlgGet ( "Name" , "x, y" ))-", {{"Name", "x", R"-($_DlgGet ( "Name" , "x, y" ))-"}}},
      {R"-($_DlgGet("Name", "f(x)"))-", {{"Name", "f(x)", R"-($_DlgGet("Name", "f(x)"))-"}}},
      {R"-($_DlgGet(Name, "d"))-", {{"", "d", R"-($_DlgGet(Name, "d"))-"}}},
      {R"-($_DlgGet("Name"))-", {{"Name", "", R"-($_DlgGet("Name"))-"}}},
      {R"-($_DlgGet("A", "1", "extra"))-", {{"A", "1", R"-($_DlgGet("A", "1", "extra"))-"}}},
      {R"-($_DlgGet("A","1")$_DlgGet("A","1"))-",
       {{"A", "1", R"-($_DlgGet("A","1"))-"}, {"A", "1", R"-($_DlgGet("A","1"))-"}}},
      // Quotes do not hide a parenthesis.
      {R"-($_DlgGet("A", ")"))-", {{"A", "", R"-($_DlgGet("A", "))-"}}},
      {"$_DlgGet", {}},
      {"$_DlgGet and more", {}},
      {R"-($_DlgGet("A", "1")-", {}},
      {"$_DlgGet) (", {}},
      {R"-($_DlgGet("A" $_DlgGet("B", "2"))-", {{"B", "2", R"-($_DlgGet("B", "2"))-"}}},
      {"$_DlgGet()", {{"", "", "$_DlgGet()"}}},
      {R"-($_DlgGet("A,B", "x"))-", {{"A", "", R"-($_DlgGet("A,B", "x"))-"}}},
  };
  for (const ParseCase& c : cases) {
    std::vector<engine::DlgGetItem> items;
    ParseDlgGetItems(c.text, items);
    std::vector<std::vector<std::string>> got;
    for (const engine::DlgGetItem& item : items) {
      got.push_back({item.section, item.default_text, item.expression});
    }
    EXPECT_EQ(got, c.items) << c.text;
  }
}

TEST(PromptKind, TheFirstKindInFixedOrderDecides) {
  const std::pair<const char*, Kind> cases[] = {
      {"EDIT", Kind::kEdit},       {"STATIC", Kind::kStatic},  {"COMBO", Kind::kCombo},
      {"LIST", Kind::kList},       {"CHECK", Kind::kCheck},    {"RADIO", Kind::kRadio},
      {"LISTCOMBO", Kind::kCombo}, {"MYEDITBOX", Kind::kEdit}, {"edit", Kind::kIgnored},
      {"", Kind::kIgnored},        {"BUTTON", Kind::kIgnored},
  };
  for (const auto& [type, kind] : cases) EXPECT_EQ(PromptKind(type), kind) << type;
}

// A control file that names the shipped library, expanded through the header
// actions' expansion with a scripted dialog.
struct Fixture : FakeApp {
  std::string Library() const { return testing_support::ShippedDataDirectory() + "/TEMPLRES.rcc"; }
  // Expands `templ` after a "Dialog" section with `dialog` and the descriptions.
  bool Expand(const std::string& dialog, const std::string& descriptions,
              const std::string& templ) {
    std::string path =
        dir.Write("P.CTL", "[Dialog]\n" + dialog + "\n" + descriptions + "\n[Template]\n" + templ);
    engine::VariableTable table;
    table.Append("$_Name", "Area");
    return ExpandControlFileText(app, path, table, 0, result);
  }
  std::string Dialog7001() const { return "ResDllName=" + Library() + "\nResID=7001"; }

  TempDir dir;
  std::string result;
};

constexpr const char* kDescriptions = R"-([Title]
Type=STATIC
ControlID=1000
[Purpose]
Type=EDIT
ControlID=1001
[Access]
Type=COMBO
ControlID=1002
Fill0=Public|pub
Fill1= Private | priv
Fill2=Hidden
Fill3=
Fill4=After the gap
[Kinds]
Type=LIST
ControlID=1003
Fill0=Value
Fill1=Service
[Inline]
Type=CHECK
ControlID=1004
OnState=inline
OffState=outline
[Choice]
Type=RADIO
StartControlID=1010
EndControlID=1012
Default=2
Button0=first
Button1=second
Button2=third
[Odd]
Type=nothing known
ControlID=1001
)-";

TEST(PromptDialogStep, DescribesEachItemsControlFromItsSection) {
  Fixture f;
  PromptDialog seen;
  f.ui.on_prompt = [&](PromptDialog& dialog) {
    seen = dialog;
    return false;
  };
  EXPECT_FALSE(f.Expand(f.Dialog7001(), kDescriptions,
                        R"-($_DlgGet("Title", "T") $_DlgGet("Purpose", "$_Name")
$_DlgGet("Access", "priv") $_DlgGet("Kinds", "Service") $_DlgGet("Inline", "")
$_DlgGet("Choice", "") $_DlgGet("Odd", "x") $_DlgGet("Access", "Hidden"))-"));
  EXPECT_TRUE(f.ui.messages.empty());
  EXPECT_EQ(f.ui.prompts, std::vector<int>{7001});
  EXPECT_EQ(seen.library_path, f.Library());
  ASSERT_EQ(seen.controls.size(), 8u);
  const std::vector<std::string> access{"Public", "Private", "Hidden"};
  const PromptControl& title = seen.controls[0];
  EXPECT_EQ(std::tie(title.kind, title.control_id, title.default_text),
            std::make_tuple(Kind::kStatic, 1000, std::string("T")));
  // The default is taken after the variables were substituted.
  EXPECT_EQ(seen.controls[1].default_text, "Area");
  EXPECT_EQ(seen.controls[2].entries, access);
  EXPECT_EQ(seen.controls[2].preselection, "Private");
  EXPECT_EQ(seen.controls[3].preselection, "Service");
  EXPECT_EQ(seen.controls[4].kind, Kind::kCheck);
  const PromptControl& choice = seen.controls[5];
  EXPECT_EQ(std::tie(choice.kind, choice.start_id, choice.end_id, choice.default_position),
            std::make_tuple(Kind::kRadio, 1010, 1012, 2));
  EXPECT_EQ(choice.entries, (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(seen.controls[6].kind, Kind::kIgnored);
  EXPECT_EQ(seen.controls[7].preselection, "Hidden");
}

struct AnswerCase {
  const char* section;
  PromptControl answer;
  const char* value;
};

PromptControl Answer(bool found, std::string text, bool checked = false, int position = -1) {
  PromptControl control;
  control.found = found;
  control.text = std::move(text);
  control.checked = checked;
  control.selected_position = position;
  return control;
}

TEST(PromptDialogStep, MapsEachKindsAnswerOntoTheValue) {
  const AnswerCase cases[] = {
      {"Title", Answer(true, "shown"), ""},
      {"Purpose", Answer(true, "Computes it"), "Computes it"},
      {"Purpose", Answer(false, "ignored"), ""},
      {"Access", Answer(true, "Private"), "Private"},
      {"Kinds", Answer(true, ""), ""},
      {"Inline", Answer(true, "", true), "inline"},
      {"Inline", Answer(true, "", false), "outline"},
      {"Inline", Answer(false, "", true), "outline"},
      {"Choice", Answer(true, "", false, 1), "second"},
      {"Choice", Answer(true, "", false, 7), ""},
      {"Choice", Answer(true, "", false, -1), ""},
      {"Choice", Answer(false, "", false, 0), ""},
      {"Odd", Answer(true, "typed"), ""},
  };
  for (const AnswerCase& c : cases) {
    Fixture f;
    f.ui.on_prompt = [&](PromptDialog& dialog) {
      PromptControl& control = dialog.controls[0];
      control.found = c.answer.found;
      control.text = c.answer.text;
      control.checked = c.answer.checked;
      control.selected_position = c.answer.selected_position;
      return true;
    };
    std::string expression = std::string("$_DlgGet(\"") + c.section + "\", \"\")";
    ASSERT_TRUE(f.Expand(f.Dialog7001(), kDescriptions, "<" + expression + "|" + expression + ">"))
        << c.section;
    // Both occurrences of one expression take the value.
    EXPECT_EQ(f.result, "<" + std::string(c.value) + "|" + c.value + ">") << c.section;
  }
}

struct FailureCase {
  const char* dialog;  // "%" stands for the shipped library's path
  const char* templ;
  bool ok;
  std::vector<std::string> messages;
  std::size_t prompts;
};

TEST(PromptDialogStep, MissingLibrariesAndLayoutsStopTheExpansionWithAMessage) {
  const FailureCase cases[] = {
      {"ResDllName=NOPE.DLL\nResID=7001",
       "$_DlgGet(\"Purpose\", \"\")",
       false,
       {"Unable to find resource DLL: NOPE.DLL"},
       0},
      {"ResDllName=P.CTL\nResID=7001", "x", false, {"Unable to find resource DLL: P.CTL"}, 0},
      {"ResDllName=%\nResID=0", "x", false, {"Unable to find Dialog resource"}, 0},
      {"ResDllName=%", "x", false, {"Unable to find Dialog resource"}, 0},
      {"ResDllName=%\nResID=9999", "x", false, {"Unable to find Dialog resource"}, 0},
      {"ResDllName=%\nResID=7001", "no prompt $_Name", true, {}, 0},
      {"ResID=7001", "$_DlgGet(\"Purpose\", \"\") stays", true, {}, 0},
      {"ResDllName=%\nResID=7001", "$_DlgGet(\"Purpose\", \"\")", false, {}, 1},
  };
  for (const FailureCase& c : cases) {
    Fixture f;
    std::string dialog = c.dialog;
    if (std::size_t at = dialog.find('%'); at != std::string::npos) {
      dialog.replace(at, 1, f.Library());
    }
    EXPECT_EQ(f.Expand(dialog, kDescriptions, c.templ), c.ok) << c.dialog;
    EXPECT_EQ(f.ui.messages, c.messages) << c.dialog;
    EXPECT_EQ(f.ui.prompts.size(), c.prompts) << c.dialog;
  }
  Fixture f;
  ASSERT_TRUE(f.Expand("ResID=7001", "", "$_DlgGet(\"Purpose\", \"\") stays"));
  EXPECT_EQ(f.result, "$_DlgGet(\"Purpose\", \"\") stays");
}

TEST(FindResourceLibrary, LooksBesideTheControlFileThenAlongTheTemplatePathThenTheProgram) {
  TempDir root;
  for (const char* directory : {"control", "path1", "path2", "program"}) {
    root.Write(std::string(directory) + "/.keep", "");
  }
  const std::string control = root.File("control/X.CTL");
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting(
      "Defaults", "Template Path",
      root.File("missing") + "; " + root.File("path1") + ";" + root.File("path2"));
  const std::string program = root.File("program");
  auto find = [&](const std::string& name) {
    return FindResourceLibrary(name, control, settings, program);
  };
  root.Write("program/LIB.rcc", "");
  EXPECT_EQ(find("LIB.rcc"), root.File("program/LIB.rcc"));
  root.Write("path2/LIB.rcc", "");
  EXPECT_EQ(find("LIB.rcc"), root.File("path2/LIB.rcc"));
  root.Write("path1/LIB.rcc", "");
  EXPECT_EQ(find("lib.DlL"), "");  // the base name keeps its case
  EXPECT_EQ(find("LIB.dll"), root.File("path1/LIB.rcc"));
  root.Write("control/LIB.rcc", "");
  EXPECT_EQ(find("LIB.DLL"), root.File("control/LIB.rcc"));
  EXPECT_EQ(find(root.File("path2/LIB.rcc")), root.File("path2/LIB.rcc"));
  EXPECT_EQ(find(root.File("elsewhere/LIB.rcc")), "");
  EXPECT_EQ(find("OTHER.rcc"), "");
  EXPECT_EQ(find(""), "");
}

}  // namespace
}  // namespace quorvan
