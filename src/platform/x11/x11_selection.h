// Reading a selection from its owner and serving one as its owner, with the INCR
// protocol for data larger than one request.
#pragma once

#include <xcb/xcb.h>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/selection_clipboard.h"
#include "platform/x11/x11_connection.h"

namespace platform::x11 {

// Beyond this the transfer is refused rather than filling the memory.
inline constexpr std::size_t kMaxSelectionBytes = std::size_t{512} << 20;
// Data larger than this goes in INCR pieces of this size.
inline constexpr std::size_t kIncrChunkBytes = std::size_t{256} << 10;

// The data of `target` of `selection`, read into a property of the connection's own
// window. nullopt when nobody owns the selection, the owner refuses, or it is silent
// for `timeout_ms` at any step. Events that are not part of the transfer go to
// `others` (when set).
std::optional<std::string> ReadSelection(
    Connection& connection, xcb_atom_t selection, xcb_atom_t target, int timeout_ms,
    const std::function<void(const xcb_generic_event_t&)>& others = nullptr);

// The target names `selection`'s owner offers (its TARGETS); nullopt as above.
std::optional<std::vector<std::string>> ReadTargets(Connection& connection, xcb_atom_t selection,
                                                    int timeout_ms);

// Serves `offers` as the owner of `selection` through the connection's own window.
class SelectionServer {
 public:
  SelectionServer(Connection& connection, xcb_atom_t selection, std::vector<SelectionOffer> offers);

  // Takes the selection; false when the server did not make us its owner.
  bool Own();
  // Handles one event; false once the selection belongs to another client.
  bool Handle(const xcb_generic_event_t& event);
  // Ends INCR transfers whose requestor has been silent for `idle_ms`.
  void DropStalledTransfers(int idle_ms);
  bool Transferring() const { return !transfers_.empty(); }
  xcb_timestamp_t owned_since() const { return time_; }
  // The target atoms offered, TARGETS and TIMESTAMP included.
  std::vector<xcb_atom_t> TargetAtoms();

 private:
  struct Transfer {
    const std::string* bytes;
    std::size_t offset;
    long long last_activity_ms;
    xcb_atom_t type;
  };
  const std::string* DataOf(xcb_atom_t target);
  // Puts the answer to one conversion on (requestor, property); false to refuse.
  bool Convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property);
  void HandleRequest(const xcb_selection_request_event_t& request);
  void HandleMultiple(const xcb_selection_request_event_t& request);
  void ContinueTransfer(xcb_window_t requestor, xcb_atom_t property);

  Connection& connection_;
  xcb_atom_t selection_;
  std::vector<SelectionOffer> offers_;
  std::map<xcb_atom_t, const std::string*> data_by_target_;
  xcb_timestamp_t time_ = XCB_CURRENT_TIME;
  std::map<std::pair<xcb_window_t, xcb_atom_t>, Transfer> transfers_;
};

}  // namespace platform::x11
