// An isolated user session for process-level tests: its own runtime directory
// (clipboard store and socket desktop), configuration directory and temporary
// directory, IDE peers playing windows on its desktop, and the programs run in it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace testing_support {

struct IdeOptions {
  std::string title = "Microsoft Visual C++ - demo.mak";
  std::string class_name = "Afx:400000:8";
  std::string stamp;  // empty: the peer's start time
  std::string selection;
  bool column = false;
  std::string dde;  // "", "ack", "nack" or "silent"
};

// One ide_peer: what it was asked (its log) and what it pasted (its document).
class IdePeer {
 public:
  std::vector<std::string> Requests() const;
  // The requests other than GETTEXT and GETCLASS, e.g. "SEND 273 57634 0".
  std::vector<std::string> Commands() const;
  std::string Document() const;
  // Waits until the peer has logged `request` (posted messages arrive after the
  // sender has ended).
  bool WaitForRequest(const std::string& request, int timeout_ms = 5000) const;

 private:
  friend class TestDesktop;
  std::string log_path_;
  std::string document_path_;
  BackgroundProgram program_;
};

class TestDesktop {
 public:
  TestDesktop();

  // XDG_RUNTIME_DIR, XDG_CONFIG_HOME, HOME and TMPDIR inside the session, no
  // display, QUORVAN_UI=tty.
  EnvironmentChanges Env() const;
  const std::string& root() const { return root_.path(); }
  std::string File(const std::string& name) const { return root_.File(name); }
  std::string Write(const std::string& name, const std::string& contents) const {
    return root_.Write(name, contents);
  }
  std::string TempDirectory() const { return root_.File("tmp"); }
  std::string RegistryPath() const;
  std::string ClipboardPath() const;

  // The clipboard store, written and read as a whole.
  void SetClipboard(const platform::ClipboardContents& contents) const;
  void SetClipboardText(const std::string& text) const;
  platform::ClipboardContents Clipboard() const;

  // Starts an ide_peer; null when it did not come up.
  IdePeer* StartIde(const IdeOptions& options);

  ProgramResult Run(const std::string& program, const std::vector<std::string>& args,
                    const std::string& input = "") const;

 private:
  TempDir root_;
  std::vector<std::unique_ptr<IdePeer>> peers_;
};

}  // namespace testing_support
