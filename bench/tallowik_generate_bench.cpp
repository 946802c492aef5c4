// Costs of tallowik's generator: one file from a 10 MB template with the 17 class
// variables, 3 project strings and 20 user strings (40 substitutions), and the
// registration of a class in a ClassWizard file of 1,000 and 10,000 classes.
//
// With TALLOWIK_BENCH_DIR set, the generation benchmark leaves its template
// (TEMPLATE.H), one generated file (GENERATED.H) and a sed script with the same 40
// substitutions (subst.sed) in that directory, so that bench/tallowik_generate.sh can
// time sed on the same input and compare the outputs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "config/memory_store.h"
#include "tallowik/class_generator.h"
#include "tallowik/class_substitution.h"
#include "tallowik/class_wizard_file.h"
#include "tallowik/paths.h"

namespace {

class NullMessages : public tallowik::MessageSink {
 public:
  using MessageSink::ShowMessage;
  void ShowMessage(std::string_view, std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
};

class NullDde : public platform::DdeClient {
 public:
  bool Execute(std::string_view, std::string_view, std::string_view) override { return true; }
};

class WorkDirectory {
 public:
  WorkDirectory() {
    const char* given = std::getenv("TALLOWIK_BENCH_DIR");
    if (given && *given) {
      path_ = given;
      return;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/brk-tallowik-bench-XXXXXX";
    if (mkdtemp(dir.data())) path_ = dir, owned_ = true;
  }
  ~WorkDirectory() {
    if (!owned_) return;
    for (const char* name : {"TEMPLATE.H", "GENERATED.H", "OUT.H", "subst.sed", "PROJECT.STR",
                             "project.clw", "base.clw"}) {
      std::remove(File(name).c_str());
    }
    rmdir(path_.c_str());
  }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
  bool owned_ = false;
};

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The 17 variables in their order of substitution.
const char* const kVariables[] = {"$_Filename",     "$_BaseFile",   "$_HeaderFile",  "$_SourceFile",
                                  "$_ClassName",    "$_BaseClass",  "$_UserID",      "$_Month",
                                  "$_Day",          "$_Year",       "$_CompanyName", "$_Date",
                                  "$_Description",  "$_ProjectDir", "$_Project",     "$_ResourceID",
                                  "$_ClassSpecific"};

tallowik::ClassFields Fields() {
  return {"/home/user/projects/myapp",
          "MYAPP",
          "The settings dialog of the application",
          "CDialog",
          "CSettingsDlg",
          "IDD_SETTINGS",
          "extra",
          "SETTINGS.H",
          "SETTINGS.CPP"};
}

// Names of the project strings and user strings; no value contains any name.
std::string ProjectName(int i) { return "@@P" + std::to_string(i); }
std::string UserName(int i) { return "@@U" + std::string(i < 10 ? "0" : "") + std::to_string(i); }

// A template of about `bytes` bytes: lines of 40 to 90 characters, most holding two
// or three of the 40 names, every name used.
std::string MakeTemplate(std::size_t bytes) {
  std::vector<std::string> names(std::begin(kVariables), std::end(kVariables));
  for (int i = 0; i < 3; ++i) names.push_back(ProjectName(i));
  for (int i = 0; i < 20; ++i) names.push_back(UserName(i));
  std::string text;
  text.reserve(bytes + 128);
  for (std::size_t line = 0; text.size() < bytes; ++line) {
    switch (line % 4) {
      case 0:
        text += "// " + names[line % names.size()] + " belongs to " +
                names[(line / 4) % names.size()] + "\n";
        break;
      case 1:
        text += "\tm_value = " + names[(line * 7) % names.size()] + "; // " +
                names[(line * 3) % names.size()] + " and " + names[(line * 5) % names.size()] +
                "\n";
        break;
      case 2:
        text += "\tif (m_count > 0) { DoSomethingUseful(m_count, m_value); }\n";
        break;
      default:
        text += "\n";
    }
  }
  return text;
}

std::string SedEscapePattern(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '$' || c == '.' || c == '*' || c == '[' || c == ']' || c == '^' || c == '\\' ||
        c == '|') {
      out += '\\';
    }
    out += c;
  }
  return out;
}

std::string SedEscapeValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '&' || c == '\\' || c == '|') out += '\\';
    out += c;
  }
  return out;
}

struct GenerationSetup {
  explicit GenerationSetup(const WorkDirectory& work) : work(work) {
    std::string project_strings;
    for (int i = 0; i < 3; ++i)
      project_strings += ProjectName(i) + " project value " + std::to_string(i) + "\n";
    WriteText(work.File("PROJECT.STR"), project_strings);
    settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
    settings.WriteSetting("Default", "Defaults", "Company Name", "Brackwater");
    settings.WriteSetting("Default", "Defaults", "Project String File Name",
                          work.File("PROJECT.STR"));
    settings.WriteSettingNumber("Default", "User Strings", "Num User Replacements", 20);
    for (int i = 0; i < 20; ++i) {
      settings.WriteSetting("Default", "User Strings", "User Holder", i, UserName(i));
      settings.WriteSetting("Default", "User Strings", "User Replacement", i,
                            "user value " + std::to_string(i));
    }
    new_class.fields = Fields();
  }

  // The 40 substitutions of `output` as a sed script, in the generator's order.
  std::string SedScript(const std::string& output) {
    new_class.file = tallowik::LoadFileValues(settings, "Default", "MYAPP", clock);
    const tallowik::ClassFields& c = new_class.fields;
    const tallowik::FileValues& f = new_class.file;
    const std::string values[] = {output,          tallowik::CutAtLastPeriod(output),
                                  c.header_file,   c.source_file,
                                  c.class_name,    c.base_class,
                                  f.user_id,       f.month,
                                  f.day,           f.year,
                                  f.company_name,  f.date,
                                  c.description,   c.project_dir,
                                  c.project,       c.resource_id,
                                  c.class_specific};
    std::string script;
    for (int i = 0; i < 17; ++i) {
      script += "s|" + SedEscapePattern(kVariables[i]) + "|" + SedEscapeValue(values[i]) + "|g\n";
    }
    for (const tallowik::Replacement& pair : f.replacements) {
      script += "s|" + SedEscapePattern(pair.replace) + "|" + SedEscapeValue(pair.with) + "|g\n";
    }
    return script;
  }

  const WorkDirectory& work;
  config::MemoryStore store;
  config::Settings settings{store};
  engine::FixedClock clock{[] {
    std::tm t{};
    t.tm_year = 95;
    t.tm_mon = 2;
    t.tm_mday = 5;
    return t;
  }()};
  NullMessages messages;
  NullDde dde;
  tallowik::ClassGenerator generator{settings, clock, messages, dde};
  tallowik::NewClass new_class;
};

void BM_GenerateFile10MB(benchmark::State& state) {
  WorkDirectory work;
  GenerationSetup setup(work);
  const std::string template_path = work.File("TEMPLATE.H");
  WriteText(template_path, MakeTemplate(10 << 20));
  const std::string output = work.File("OUT.H");
  const std::string generated = work.File("GENERATED.H");
  std::remove(generated.c_str());
  if (!setup.generator.GenerateFile(setup.new_class, template_path, generated)) {
    state.SkipWithError("generation failed");
    return;
  }
  WriteText(work.File("subst.sed"), setup.SedScript(generated));
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(output.c_str());
    state.ResumeTiming();
    benchmark::DoNotOptimize(setup.generator.GenerateFile(setup.new_class, template_path, output));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(10 << 20));
  std::remove(output.c_str());
}
BENCHMARK(BM_GenerateFile10MB)->Unit(benchmark::kMillisecond);

// A ClassWizard file as the IDE writes it, with `classes` classes and their sections.
std::string ClwText(int classes) {
  std::string text = "; CLW file contains information for the class wizard\r\n\r\n";
  text += "[General Info]\r\nVersion=1\r\nLastClass=CClass0\r\nLastTemplate=CDialog\r\n";
  text += "ClassCount=" + std::to_string(classes) + "\r\n";
  for (int i = 1; i <= classes; ++i) {
    text += "Class" + std::to_string(i) + "=CClass" + std::to_string(i) + "\r\n";
  }
  text += "ResourceCount=1\r\nResource1=IDD_ABOUTBOX\r\n";
  for (int i = 1; i <= classes; ++i) {
    const std::string n = std::to_string(i);
    text += "\r\n[CLS:CClass" + n + "]\r\nType=0\r\nHeaderFile=class" + n +
            ".h\r\nImplementationFile=class" + n + ".cpp\r\nFilter=D\r\n";
  }
  return text;
}

// Each iteration registers a new class into a fresh copy of the file: the count is
// read, the class list searched, three values of "General Info" and the class
// section written.
void BM_RegisterClass(benchmark::State& state) {
  WorkDirectory work;
  const std::string base = ClwText(static_cast<int>(state.range(0)));
  const std::string clw = work.File("project.clw");
  for (auto _ : state) {
    state.PauseTiming();
    WriteText(clw, base);
    state.ResumeTiming();
    tallowik::RegisterClass(clw, "NEWCLASS.H", "NEWCLASS.CPP", "CNewClass");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(base.size()));
  state.counters["file_bytes"] = static_cast<double>(base.size());
  std::remove(clw.c_str());
}
BENCHMARK(BM_RegisterClass)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A registration of a class that is listed already (the last one): no "General Info"
// write, only the three values of its section.
void BM_RegisterListedClass(benchmark::State& state) {
  WorkDirectory work;
  const int classes = static_cast<int>(state.range(0));
  const std::string base = ClwText(classes);
  const std::string clw = work.File("project.clw");
  const std::string name = "CClass" + std::to_string(classes);
  for (auto _ : state) {
    state.PauseTiming();
    WriteText(clw, base);
    state.ResumeTiming();
    tallowik::RegisterClass(clw, "OTHER.H", "OTHER.CPP", name);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(base.size()));
  std::remove(clw.c_str());
}
BENCHMARK(BM_RegisterListedClass)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What the main page reads at set-up.
void BM_ListClwClasses(benchmark::State& state) {
  WorkDirectory work;
  const std::string base = ClwText(static_cast<int>(state.range(0)));
  const std::string clw = work.File("project.clw");
  WriteText(clw, base);
  for (auto _ : state) benchmark::DoNotOptimize(tallowik::ListClwClasses(clw));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(base.size()));
  std::remove(clw.c_str());
}
BENCHMARK(BM_ListClwClasses)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
