#include "support/test_desktop.h"

#include <sstream>

#include "platform/atomic_file.h"

namespace testing_support {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

std::vector<std::string> IdePeer::Requests() const { return Lines(ReadFile(log_path_)); }

std::vector<std::string> IdePeer::Commands() const {
  std::vector<std::string> commands;
  for (std::string& line : Requests()) {
    if (line != "GETTEXT" && line != "GETCLASS") commands.push_back(std::move(line));
  }
  return commands;
}

std::string IdePeer::Document() const { return ReadFile(document_path_); }

bool IdePeer::WaitForRequest(const std::string& request, int timeout_ms) const {
  return WaitUntil(
      [&] {
        for (const std::string& line : Requests()) {
          if (line == request) return true;
        }
        return false;
      },
      timeout_ms);
}

TestDesktop::TestDesktop() {
  root_.Write("tmp/.keep", "");
  root_.Write("home/.keep", "");
}

EnvironmentChanges TestDesktop::Env() const {
  return {
      {"XDG_RUNTIME_DIR", root_.File("run")},
      {"XDG_CONFIG_HOME", root_.File("config")},
      {"HOME", root_.File("home")},
      {"TMPDIR", TempDirectory()},
      {"QUORVAN_UI", "tty"},
      {"DISPLAY", std::nullopt},
      {"WAYLAND_DISPLAY", std::nullopt},
      {"BRACKWATER_DESKTOP", "socket"},
  };
}

std::string TestDesktop::RegistryPath() const {
  return root_.File("config/Brackwater Software/Tallowick.reg");
}

std::string TestDesktop::ClipboardPath() const { return root_.File("run/brackwater/clipboard"); }

void TestDesktop::SetClipboard(const platform::ClipboardContents& contents) const {
  root_.Write("run/brackwater/clipboard", platform::SerializeClipboard(contents));
}

void TestDesktop::SetClipboardText(const std::string& text) const {
  SetClipboard({{"CF_TEXT", text}});
}

platform::ClipboardContents TestDesktop::Clipboard() const {
  return platform::ParseClipboard(ReadFile(ClipboardPath()))
      .value_or(platform::ClipboardContents{});
}

IdePeer* TestDesktop::StartIde(const IdeOptions& options) {
  auto peer = std::make_unique<IdePeer>();
  std::string name = "ide" + std::to_string(peers_.size());
  peer->log_path_ = root_.File(name + ".log");
  peer->document_path_ = root_.File(name + ".doc");
  std::vector<std::string> args{"--title",     options.title,    "--class",    options.class_name,
                                "--log",       peer->log_path_,  "--document", peer->document_path_,
                                "--selection", options.selection};
  if (!options.stamp.empty()) args.insert(args.end(), {"--stamp", options.stamp});
  if (options.column) args.push_back("--column");
  if (!options.dde.empty()) args.insert(args.end(), {"--dde", options.dde});
  if (!peer->program_.Start(BuiltProgram("ide_peer"), args, Env())) return nullptr;
  peers_.push_back(std::move(peer));
  return peers_.back().get();
}

ProgramResult TestDesktop::Run(const std::string& program, const std::vector<std::string>& args,
                               const std::string& input) const {
  return RunProgram(BuiltProgram(program), args, Env(), input);
}

}  // namespace testing_support
