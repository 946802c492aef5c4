// Filter mode's action runs over a text: each filter action's result with desktop
// line ends, and every failure giving the input back unchanged.
#include "quorvan/filter_mode.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "config/memory_store.h"
#include "config/settings.h"
#include "platform/process.h"
#include "quorvan/scripted_ui.h"
#include "quorvan/startup.h"
#include "support/child_process.h"

namespace quorvan {
namespace {

using Args = std::vector<std::string>;

// Every line feed preceded by a carriage return, and at least one of them.
bool AllCrLf(const std::string& text) {
  if (text.find('\n') == std::string::npos) return false;
  for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
    if (i == 0 || text[i - 1] != '\r') return false;
  }
  return true;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct FilterCase {
  const char* name;
  Args args;
  std::string input;
  // Answers the action's form; null cancels it.
  std::function<bool(Form&)> on_form;
  int status;
  // Checks the output; null means the input must come back unchanged.
  std::function<bool(const std::string& output)> check;
};

bool AnswerColumnInsert(Form& form) {
  form.fields[0].text = "// ";
  return true;
}

bool ChooseLoop(Form& form) {
  form.fields[0].selected = 4;  // the shipped "for" loop
  return true;
}

class FilterModeTest : public ::testing::Test {
 protected:
  FilterModeTest() : settings_(store_) {
    settings_.WriteSetting("Defaults", "Template Path", testing_support::ShippedDataDirectory());
  }

  FilterOutcome Run(const Args& args, const std::string& input) {
    return RunFilterAction(settings_, processes_, ui_, ReadCommandLine(args), ".", input);
  }

  config::MemoryStore store_;
  config::Settings settings_;
  platform::PosixProcessRunner processes_;
  ScriptedUserInterface ui_;
};

TEST_F(FilterModeTest, EachFilterActionAndItsFailures) {
  // clang-format off
  const FilterCase cases[] = {
      {"header, LF in, LF out", {"/0"}, "int Area(int w, int h)\n", nullptr, kExitSuccess,
       [](const std::string& out) {
         return Contains(out, "// Area\n") && !Contains(out, "\r");
       }},
      {"header keeps CR LF input's line ends", {"/0"}, "int Area(int w)\r\n", nullptr,
       kExitSuccess, [](const std::string& out) { return AllCrLf(out); }},
      {"header of no function", {"/0"}, "just words\n", nullptr, kExitActionFailed, nullptr},
      {"header of nothing", {"/0"}, "", nullptr, kExitActionFailed, nullptr},
      {"module header ignores input", {"/1", "/F", "/src/demo.cpp"}, "selected\n", nullptr,
       kExitSuccess,
       [](const std::string& out) {
         return Contains(out, "demo.cpp") && !Contains(out, "selected") && !Contains(out, "\r");
       }},
      {"access functions", {"-2"}, "int m_count;\n", nullptr, kExitSuccess,
       [](const std::string& out) { return Contains(out, "Getcount") && !Contains(out, "\r"); }},
      {"access functions of nothing", {"/2"}, "", nullptr, kExitSuccess,
       [](const std::string& out) { return Contains(out, "// Set functions\n"); }},
      {"external filter", {"/4", "/E", "tr a-z A-Z"}, "abc\ndef", nullptr, kExitSuccess,
       [](const std::string& out) { return out == "ABC\nDEF"; }},
      {"external filter that gives nothing", {"/4", "/E", "true"}, "abc\n", nullptr,
       kExitActionFailed, nullptr},
      {"external filter over nothing", {"/4", "/E", "tr a-z A-Z"}, "", nullptr, kExitSuccess,
       nullptr},
      {"common string", {"/5"}, "", &ChooseLoop, kExitSuccess,
       [](const std::string& out) { return out == "for (int i = 0; i < count; ++i) {\n\t\n}\n"; }},
      {"common strings cancelled", {"/5"}, "kept\n", nullptr, kExitActionFailed, nullptr},
      {"column insert", {"/7"}, "a\nb\n", &AnswerColumnInsert, kExitSuccess,
       [](const std::string& out) { return out == "// \n// \n"; }},
      {"column insert, last line open", {"/7"}, "a\nb", &AnswerColumnInsert, kExitSuccess,
       [](const std::string& out) { return out == "// \n// "; }},
      {"column insert, CR LF", {"/7"}, "a\r\nb\r\n", &AnswerColumnInsert, kExitSuccess,
       [](const std::string& out) { return out == "// \r\n// \r\n"; }},
      {"column insert cancelled", {"/7"}, "a\nb\n", nullptr, kExitActionFailed, nullptr},
      {"rtf as text", {"/9"}, "{\\rtf1 hi}\n", nullptr, kExitSuccess, nullptr},
      {"rtf of nothing", {"/9"}, "", nullptr, kExitActionFailed, nullptr},
      {"binary input", {"/4", "/E", "cat"}, std::string("ab\0cd\n", 6), nullptr,
       kExitActionFailed, nullptr},
      {"clipboard append", {"/3"}, "x\n", nullptr, kExitUsage, nullptr},
      {"common file", {"/6"}, "x\n", nullptr, kExitUsage, nullptr},
      {"source header swap", {"/8", "/F", "a.cpp"}, "x\n", nullptr, kExitUsage, nullptr},
      {"no action", {}, "x\n", nullptr, kExitUsage, nullptr},
  };
  // clang-format on
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.name);
    ui_ = ScriptedUserInterface();
    ui_.on_form = c.on_form;
    FilterOutcome outcome = Run(c.args, c.input);
    EXPECT_EQ(outcome.exit_status, c.status);
    if (c.check) {
      EXPECT_TRUE(c.check(outcome.output)) << ::testing::PrintToString(outcome.output);
    } else {
      EXPECT_EQ(outcome.output, c.input);
    }
    EXPECT_EQ(ui_.beeps, c.status == kExitActionFailed ? 1 : 0);
    // The input never carries the processed marker, so nothing asks about it.
    EXPECT_TRUE(ui_.questions.empty());
  }
}

}  // namespace
}  // namespace quorvan
