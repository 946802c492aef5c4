#include "platform/x11/x11_selection.h"

#include <cstdlib>
#include <cstring>

namespace platform::x11 {
namespace {

struct Property {
  xcb_atom_t type = XCB_NONE;
  std::uint8_t format = 8;
  std::string bytes;
};

// The whole of `property` on `window`, read in pieces; nullopt when it is gone or
// larger than kMaxSelectionBytes.
std::optional<Property> ReadProperty(Connection& connection, xcb_window_t window,
                                     xcb_atom_t property) {
  Property result;
  std::uint32_t offset = 0;  // in 32-bit units
  constexpr std::uint32_t kPieceUnits = 1u << 20;
  for (;;) {
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(connection.get(),
                               xcb_get_property(connection.get(), 0, window, property,
                                                XCB_GET_PROPERTY_TYPE_ANY, offset, kPieceUnits),
                               nullptr);
    if (!reply) return std::nullopt;
    if (reply->type == XCB_NONE) {
      std::free(reply);
      return std::nullopt;
    }
    result.type = reply->type;
    result.format = reply->format;
    int length = xcb_get_property_value_length(reply);
    result.bytes.append(static_cast<const char*>(xcb_get_property_value(reply)),
                        static_cast<std::size_t>(length));
    std::uint32_t after = reply->bytes_after;
    std::free(reply);
    if (result.bytes.size() > kMaxSelectionBytes) return std::nullopt;
    if (after == 0) break;
    offset += static_cast<std::uint32_t>(length) / 4;
    if (length == 0) return std::nullopt;
  }
  return result;
}

bool IsPropertyEvent(const xcb_generic_event_t& event, xcb_window_t window, xcb_atom_t property,
                     std::uint8_t state) {
  if (EventType(event) != XCB_PROPERTY_NOTIFY) return false;
  auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
  return notify.window == window && notify.atom == property && notify.state == state;
}

}  // namespace

std::optional<std::string> ReadSelection(
    Connection& connection, xcb_atom_t selection, xcb_atom_t target, int timeout_ms,
    const std::function<void(const xcb_generic_event_t&)>& others) {
  xcb_connection_t* c = connection.get();
  if (target == XCB_NONE) return std::nullopt;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
  bool owned = owner && owner->owner != XCB_NONE;
  std::free(owner);
  if (!owned) return std::nullopt;

  xcb_window_t window = connection.OwnWindow();
  xcb_atom_t property = connection.Atom("BRACKWATER_SELECTION");
  xcb_delete_property(c, window, property);
  xcb_convert_selection(c, window, selection, target, property, XCB_CURRENT_TIME);
  xcb_flush(c);
  Event event = connection.WaitFor(
      [&](const xcb_generic_event_t& e) {
        if (EventType(e) != XCB_SELECTION_NOTIFY) return false;
        auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(e);
        return notify.requestor == window && notify.selection == selection;
      },
      timeout_ms, others);
  if (!event) return std::nullopt;
  auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event.get());
  if (notify->property == XCB_NONE) return std::nullopt;
  property = notify->property;

  std::optional<Property> first = ReadProperty(connection, window, property);
  xcb_delete_property(c, window, property);
  xcb_flush(c);
  if (!first) return std::nullopt;
  if (first->type != connection.Atom("INCR")) return std::move(first->bytes);

  // INCR: each deletion of ours asks for the next piece; an empty piece ends it.
  std::string data;
  for (;;) {
    Event piece = connection.WaitFor(
        [&](const xcb_generic_event_t& e) {
          return IsPropertyEvent(e, window, property, XCB_PROPERTY_NEW_VALUE);
        },
        timeout_ms, others);
    if (!piece) return std::nullopt;
    std::optional<Property> chunk = ReadProperty(connection, window, property);
    xcb_delete_property(c, window, property);
    xcb_flush(c);
    if (!chunk) return std::nullopt;
    if (chunk->bytes.empty()) return data;
    if (data.size() + chunk->bytes.size() > kMaxSelectionBytes) return std::nullopt;
    data += chunk->bytes;
  }
}

std::optional<std::vector<std::string>> ReadTargets(Connection& connection, xcb_atom_t selection,
                                                    int timeout_ms) {
  std::optional<std::string> bytes =
      ReadSelection(connection, selection, connection.Atom("TARGETS"), timeout_ms);
  if (!bytes) return std::nullopt;
  std::size_t count = bytes->size() / 4;
  std::vector<xcb_get_atom_name_cookie_t> cookies;
  for (std::size_t i = 0; i < count; ++i) {
    xcb_atom_t atom;
    std::memcpy(&atom, bytes->data() + 4 * i, 4);
    cookies.push_back(xcb_get_atom_name(connection.get(), atom));
  }
  std::vector<std::string> names;
  for (xcb_get_atom_name_cookie_t cookie : cookies) {
    xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(connection.get(), cookie, nullptr);
    if (!reply) continue;
    names.emplace_back(xcb_get_atom_name_name(reply),
                       static_cast<std::size_t>(xcb_get_atom_name_name_length(reply)));
    std::free(reply);
  }
  return names;
}

SelectionServer::SelectionServer(Connection& connection, xcb_atom_t selection,
                                 std::vector<SelectionOffer> offers)
    : connection_(connection), selection_(selection), offers_(std::move(offers)) {
  for (const SelectionOffer& offer : offers_) {
    for (const std::string& target : offer.targets) {
      xcb_atom_t atom = connection_.Atom(target);
      if (atom != XCB_NONE) data_by_target_[atom] = &offer.bytes;
    }
  }
}

bool SelectionServer::Own() {
  xcb_connection_t* c = connection_.get();
  xcb_window_t window = connection_.OwnWindow();
  time_ = connection_.ServerTime();
  xcb_set_selection_owner(c, window, selection_, time_);
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection_), nullptr);
  bool ours = owner && owner->owner == window;
  std::free(owner);
  return ours;
}

std::vector<xcb_atom_t> SelectionServer::TargetAtoms() {
  std::vector<xcb_atom_t> atoms{connection_.Atom("TARGETS"), connection_.Atom("TIMESTAMP"),
                                connection_.Atom("MULTIPLE")};
  for (const auto& [atom, data] : data_by_target_) atoms.push_back(atom);
  return atoms;
}

const std::string* SelectionServer::DataOf(xcb_atom_t target) {
  auto found = data_by_target_.find(target);
  return found == data_by_target_.end() ? nullptr : found->second;
}

bool SelectionServer::Convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property) {
  xcb_connection_t* c = connection_.get();
  if (target == connection_.Atom("TARGETS")) {
    std::vector<xcb_atom_t> atoms = TargetAtoms();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
    return true;
  }
  if (target == connection_.Atom("TIMESTAMP")) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_INTEGER, 32, 1,
                        &time_);
    return true;
  }
  const std::string* data = DataOf(target);
  if (!data) return false;
  if (data->size() <= kIncrChunkBytes) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, target, 8,
                        static_cast<std::uint32_t>(data->size()), data->data());
    return true;
  }
  // Large data: announce its size under INCR, then a piece per deletion of the
  // property by the requestor.
  std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(c, requestor, XCB_CW_EVENT_MASK, &mask);
  std::uint32_t size = static_cast<std::uint32_t>(data->size());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, requestor, property, connection_.Atom("INCR"), 32,
                      1, &size);
  transfers_[{requestor, property}] = Transfer{data, 0, NowMs(), target};
  return true;
}

void SelectionServer::HandleMultiple(const xcb_selection_request_event_t& request) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection_.get(),
      xcb_get_property(connection_.get(), 0, request.requestor, request.property,
                       XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 16),
      nullptr);
  if (!reply) return;
  std::vector<xcb_atom_t> atoms(static_cast<std::size_t>(xcb_get_property_value_length(reply)) / 4);
  std::memcpy(atoms.data(), xcb_get_property_value(reply), atoms.size() * 4);
  xcb_atom_t type = reply->type;
  std::free(reply);
  for (std::size_t i = 0; i + 1 < atoms.size(); i += 2) {
    if (!Convert(request.requestor, atoms[i], atoms[i + 1])) atoms[i + 1] = XCB_NONE;
  }
  xcb_change_property(connection_.get(), XCB_PROP_MODE_REPLACE, request.requestor, request.property,
                      type, 32, static_cast<std::uint32_t>(atoms.size()), atoms.data());
}

void SelectionServer::HandleRequest(const xcb_selection_request_event_t& request) {
  // Clients of the oldest conventions leave the property empty: the target names it.
  xcb_atom_t property = request.property == XCB_NONE ? request.target : request.property;
  bool done;
  if (request.target == connection_.Atom("MULTIPLE") && request.property != XCB_NONE) {
    HandleMultiple(request);
    done = true;
  } else {
    done = Convert(request.requestor, request.target, property);
  }
  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = done ? property : XCB_NONE;
  xcb_send_event(connection_.get(), 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&notify));
  xcb_flush(connection_.get());
}

void SelectionServer::ContinueTransfer(xcb_window_t requestor, xcb_atom_t property) {
  auto found = transfers_.find({requestor, property});
  if (found == transfers_.end()) return;
  Transfer& transfer = found->second;
  std::size_t size = std::min(kIncrChunkBytes, transfer.bytes->size() - transfer.offset);
  xcb_change_property(connection_.get(), XCB_PROP_MODE_REPLACE, requestor, property, transfer.type,
                      8, static_cast<std::uint32_t>(size),
                      transfer.bytes->data() + transfer.offset);
  transfer.offset += size;
  transfer.last_activity_ms = NowMs();
  // The empty piece that ends the transfer has just been written.
  if (size == 0) transfers_.erase(found);
  xcb_flush(connection_.get());
}

bool SelectionServer::Handle(const xcb_generic_event_t& event) {
  switch (EventType(event)) {
    case XCB_SELECTION_REQUEST: {
      auto& request = reinterpret_cast<const xcb_selection_request_event_t&>(event);
      if (request.selection == selection_) HandleRequest(request);
      return true;
    }
    case XCB_SELECTION_CLEAR: {
      auto& clear = reinterpret_cast<const xcb_selection_clear_event_t&>(event);
      return clear.selection != selection_;
    }
    case XCB_PROPERTY_NOTIFY: {
      auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      if (notify.state == XCB_PROPERTY_DELETE) ContinueTransfer(notify.window, notify.atom);
      return true;
    }
    default:
      return true;
  }
}

void SelectionServer::DropStalledTransfers(int idle_ms) {
  long long now = NowMs();
  std::erase_if(transfers_,
                [&](const auto& entry) { return now - entry.second.last_activity_ms > idle_ms; });
}

}  // namespace platform::x11
