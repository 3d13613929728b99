#include "platform/clipboard_probe_x11.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QSocketNotifier>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

struct ClipboardProbeX11::Connection {
  xcb_connection_t* xcb = nullptr;
  xcb_window_t root = XCB_NONE;
  xcb_atom_t clipboard = XCB_NONE;
  xcb_atom_t targets = XCB_NONE;
  xcb_atom_t property = XCB_NONE;
  // The window that asked the open question; answers to any other (earlier)
  // window come too late and are dropped.
  xcb_window_t asking = XCB_NONE;
  std::optional<QStringList> lastAnswer;
  std::map<xcb_atom_t, QString> atomNames;
  std::unique_ptr<QSocketNotifier> notifier;

  ~Connection() {
    notifier.reset();
    if (xcb != nullptr) xcb_disconnect(xcb);
  }

  xcb_atom_t Intern(const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(xcb, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(xcb, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
  }

  void DropQuestion() {
    if (asking != XCB_NONE) xcb_destroy_window(xcb, asking);
    asking = XCB_NONE;
  }

  // The names of the atoms; only the X server is asked, never the owner.
  QStringList Names(const std::vector<xcb_atom_t>& atoms) {
    std::vector<std::pair<xcb_atom_t, xcb_get_atom_name_cookie_t>> asked;
    for (xcb_atom_t atom : atoms)
      if (atomNames.find(atom) == atomNames.end()) asked.emplace_back(atom, xcb_get_atom_name(xcb, atom));
    for (const auto& [atom, cookie] : asked) {
      xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(xcb, cookie, nullptr);
      atomNames[atom] = reply != nullptr ? QString::fromLatin1(xcb_get_atom_name_name(reply),
                                                               xcb_get_atom_name_name_length(reply))
                                         : QString();
      std::free(reply);
    }
    QStringList names;
    for (xcb_atom_t atom : atoms) names << atomNames[atom];
    return names;
  }

  QStringList Targets(xcb_window_t window, xcb_atom_t answerProperty) {
    if (answerProperty == XCB_NONE) return {};
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(xcb, 1, window, answerProperty, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(xcb, cookie, nullptr);
    std::vector<xcb_atom_t> atoms;
    if (reply != nullptr && reply->format == 32) {
      const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
      atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return Names(atoms);
  }

  // Handles every event that has come; gives back true when the open
  // question was answered.
  bool ReadEvents() {
    bool answered = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(xcb)) {
      if ((event->response_type & 0x7F) == XCB_SELECTION_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event);
        if (asking != XCB_NONE && notify->requestor == asking) {
          lastAnswer = Targets(asking, notify->property);
          DropQuestion();
          answered = true;
        }
      }
      std::free(event);
    }
    xcb_flush(xcb);
    return answered;
  }
};

std::unique_ptr<ClipboardProbeX11> ClipboardProbeX11::Connect(std::function<void(const QStringList&)> answered) {
  auto connection = std::make_unique<Connection>();
  int screen = 0;
  connection->xcb = xcb_connect(nullptr, &screen);
  if (xcb_connection_has_error(connection->xcb) != 0) return nullptr;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection->xcb));
  for (int i = 0; i < screen && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem <= 0) return nullptr;
  connection->root = screens.data->root;
  connection->clipboard = connection->Intern("CLIPBOARD");
  connection->targets = connection->Intern("TARGETS");
  connection->property = connection->Intern("QUILLET2_CLIPBOARD_TARGETS");
  if (connection->clipboard == XCB_NONE || connection->targets == XCB_NONE || connection->property == XCB_NONE)
    return nullptr;
  return std::unique_ptr<ClipboardProbeX11>(new ClipboardProbeX11(std::move(connection), std::move(answered)));
}

ClipboardProbeX11::ClipboardProbeX11(std::unique_ptr<Connection> connection,
                                     std::function<void(const QStringList&)> answered)
    : connection_(std::move(connection)), answered_(std::move(answered)) {
  connection_->notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_->xcb),
                                                            QSocketNotifier::Read);
  QObject::connect(connection_->notifier.get(), &QSocketNotifier::activated, this, [this] { ReadEvents(); });
}

ClipboardProbeX11::~ClipboardProbeX11() = default;

void ClipboardProbeX11::Ask() {
  Connection& c = *connection_;
  c.DropQuestion();
  // A window of its own for every question tells the answers apart.
  c.asking = xcb_generate_id(c.xcb);
  xcb_create_window(c.xcb, XCB_COPY_FROM_PARENT, c.asking, c.root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_convert_selection(c.xcb, c.asking, c.clipboard, c.targets, c.property, XCB_CURRENT_TIME);
  xcb_flush(c.xcb);
}

void ClipboardProbeX11::ReadEvents() {
  if (connection_->ReadEvents() && answered_) answered_(*connection_->lastAnswer);
}

bool ClipboardProbeX11::AskAndWait(int timeoutMs, QStringList& formats) {
  formats.clear();
  Ask();
  Connection& c = *connection_;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (c.ReadEvents()) {
      formats = *c.lastAnswer;
      if (answered_) answered_(formats);
      return true;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0 || xcb_connection_has_error(c.xcb) != 0) return false;
    pollfd socket{xcb_get_file_descriptor(c.xcb), POLLIN, 0};
    ::poll(&socket, 1, static_cast<int>(left));
  }
}
