#include "platform/x11/x11_owner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_selection.h"

namespace platform::x11 {
namespace {

constexpr int kReadyTimeoutMs = 5000;
// A requestor that stops taking INCR pieces for this long is dropped.
constexpr int kStalledTransferMs = 10000;
// How long the clipboard manager may take to copy the data.
constexpr int kManagerTimeoutMs = 10000;

void Report(int fd, bool owning) {
  if (fd < 0) return;
  char c = owning ? '1' : '0';
  (void)!write(fd, &c, 1);
  close(fd);
}

}  // namespace

int ServeClipboard(const std::vector<SelectionOffer>& offers, const char* display, int ready_fd) {
  std::string error;
  std::unique_ptr<Connection> connection = Connection::Open(display, error);
  if (!connection) {
    Report(ready_fd, false);
    return 1;
  }
  xcb_connection_t* c = connection->get();
  xcb_atom_t clipboard = connection->Atom("CLIPBOARD");
  SelectionServer server(*connection, clipboard, offers);
  xcb_window_t window = connection->OwnWindow();
  // Lets tools (and tests) tell which process owns the clipboard.
  std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, connection->Atom("_NET_WM_PID"),
                      XCB_ATOM_CARDINAL, 32, 1, &pid);
  if (!server.Own()) {
    Report(ready_fd, false);
    return 1;
  }
  Report(ready_fd, true);

  // A running clipboard manager is asked to keep the data; it answers once it has.
  xcb_atom_t manager = connection->Atom("CLIPBOARD_MANAGER");
  xcb_get_selection_owner_reply_t* manager_owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, manager), nullptr);
  bool handing_over = manager_owner && manager_owner->owner != XCB_NONE;
  std::free(manager_owner);
  long long handover_deadline = NowMs() + kManagerTimeoutMs;
  if (handing_over) {
    xcb_atom_t property = connection->Atom("BRACKWATER_SAVE");
    std::vector<xcb_atom_t> targets = server.TargetAtoms();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(targets.size()), targets.data());
    xcb_convert_selection(c, window, manager, connection->Atom("SAVE_TARGETS"), property,
                          server.owned_since());
    xcb_flush(c);
  }

  bool owner = true;
  for (;;) {
    Event event = connection->Next(1000);
    if (connection->Broken()) return 0;
    if (event) {
      if (EventType(*event) == XCB_SELECTION_NOTIFY && handing_over) {
        auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(*event);
        // The manager has the data (or refused it; then we go on serving).
        if (notify.selection == manager && notify.property != XCB_NONE) owner = false;
        handing_over = false;
      } else if (!server.Handle(*event)) {
        owner = false;
      }
    }
    if (handing_over && NowMs() > handover_deadline) handing_over = false;
    server.DropStalledTransfers(kStalledTransferMs);
    if (!owner && !server.Transferring()) return 0;
  }
}

bool StartDetachedOwner(const std::vector<SelectionOffer>& offers, const char* display,
                        std::string& error) {
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) {
    error = "cannot start the clipboard owner";
    return false;
  }
  pid_t middle = fork();
  if (middle < 0) {
    close(ready[0]);
    close(ready[1]);
    error = "cannot start the clipboard owner";
    return false;
  }
  if (middle == 0) {
    // A new session without a terminal, and a grandchild, so that the owner is
    // nobody's child to wait for and outlives the writer.
    setsid();
    if (fork() != 0) _exit(0);
    signal(SIGPIPE, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    int null_fd = open("/dev/null", O_RDWR);
    dup2(null_fd, 0);
    dup2(null_fd, 1);
    dup2(null_fd, 2);
    // Only the report pipe stays open: an inherited pipe of the writer's caller would
    // otherwise never see its end.
    int fd = dup2(ready[1], 3);
    close_range(4, ~0U, 0);
    _exit(ServeClipboard(offers, display, fd));
  }
  close(ready[1]);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  char answer = 0;
  pollfd fd{ready[0], POLLIN, 0};
  bool owning =
      poll(&fd, 1, kReadyTimeoutMs) == 1 && read(ready[0], &answer, 1) == 1 && answer == '1';
  close(ready[0]);
  if (!owning) error = "the clipboard owner could not take the X clipboard";
  return owning;
}

}  // namespace platform::x11
