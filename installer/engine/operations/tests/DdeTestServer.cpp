#include <engine/operations/tests/DdeTestServer.h>

#include <dde.h>

#include <cstring>

namespace {

const char* const ServerClass = "KXTestDdeServer";

std::string AtomText(ATOM atom) {
  char text[256] = {};
  GlobalGetAtomNameA(atom, text, sizeof text);
  return text;
}

// The arguments of "[Name(a, "b", c)]": quotes dropped, commas inside quotes kept, blanks trimmed.
std::vector<std::string> Arguments(const std::string& command, std::string& name) {
  std::vector<std::string> arguments;
  size_t open = command.find('(');
  name = command.substr(1, open == std::string::npos ? 0 : open - 1);
  std::string field;
  int quoted = 0;
  for (size_t i = open + 1; i < command.size() && (quoted || command[i] != ')'); ++i) {
    char c = command[i];
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted) {
      arguments.push_back(field);
      field.clear();
    } else if (!(c == ' ' && field.empty() && !quoted))
      field += c;
  }
  arguments.push_back(field);
  return arguments;
}

std::string Lower(std::string text) {
  CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

} // namespace

DdeTestServer::DdeTestServer(Options options) : options_(std::move(options)) {
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
  thread_ = std::thread([this, desktop] {
    // Windows see each other's broadcasts only on one desktop.
    SetThreadDesktop(desktop);
    Run();
  });
  WaitForSingleObject(ready_, 10000);
}

DdeTestServer::~DdeTestServer() {
  PostMessageA(window_, WM_CLOSE, 0, 0);
  thread_.join();
  CloseHandle(ready_);
}

void DdeTestServer::Run() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = ServerClass;
  RegisterClassA(&wc);
  window_ = CreateWindowA(ServerClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                          GetModuleHandleA(nullptr), this);
  SetEvent(ready_);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    DispatchMessageA(&msg);
}

LRESULT CALLBACK DdeTestServer::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* server = reinterpret_cast<DdeTestServer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!server)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return server->OnMessage(hwnd, message, wParam, lParam);
}

LRESULT DdeTestServer::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = reinterpret_cast<HWND>(wParam);
  switch (message) {
  case WM_DDE_INITIATE: {
    DWORD process = 0;
    GetWindowThreadProcessId(client, &process);
    if (client == hwnd || process != GetCurrentProcessId() ||
        _stricmp(AtomText(LOWORD(lParam)).c_str(), options_.application.c_str()) != 0 ||
        _stricmp(AtomText(HIWORD(lParam)).c_str(), options_.topic.c_str()) != 0)
      return 0;
    client_ = client;
    SendMessageA(
        client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hwnd),
        MAKELPARAM(GlobalAddAtomA(options_.application.c_str()), GlobalAddAtomA(options_.topic.c_str())));
    return 0;
  }
  case WM_DDE_EXECUTE: {
    HGLOBAL block = reinterpret_cast<HGLOBAL>(lParam);
    std::string command = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
    int done = Execute(command);
    Ack ack = options_.executeAck;
    if (!options_.executeAnswers.empty()) {
      ack = options_.executeAnswers.front().first;
      Sleep(options_.executeAnswers.front().second);
      options_.executeAnswers.erase(options_.executeAnswers.begin());
    }
    if (ack == Silent)
      return 0;
    WORD status = ack == Positive && done ? 0x8000 : 0;
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hwnd),
                 PackDDElParam(WM_DDE_ACK, status, reinterpret_cast<UINT_PTR>(block)));
    return 0;
  }
  case WM_DDE_REQUEST: {
    ATOM item = HIWORD(lParam);
    std::string text;
    int bitmap = 0;
    if (!Answer(AtomText(item), text, bitmap)) {
      WORD status = options_.unknownItemAck == Positive ? 0x8000 : 0;
      PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(hwnd),
                   PackDDElParam(WM_DDE_ACK, status, item));
      return 0;
    }
    PostData(client, text, bitmap ? CF_BITMAP : CF_TEXT, item);
    return 0;
  }
  case WM_DDE_ACK: {
    UINT_PTR status = 0, atom = 0;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &atom);
    FreeDDElParam(WM_DDE_ACK, lParam);
    GlobalDeleteAtom(static_cast<ATOM>(atom));
    std::lock_guard<std::mutex> guard(lock_);
    dataAcks_.push_back(static_cast<WORD>(status));
    return 0;
  }
  case WM_DDE_TERMINATE: {
    std::lock_guard<std::mutex> guard(lock_);
    ++terminates_;
    if (client == client_) {
      PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hwnd), 0);
      client_ = nullptr;
    }
    return 0;
  }
  case WM_APP:
    if (client_)
      PostMessageA(client_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hwnd), 0);
    client_ = nullptr;
    return 0;
  case WM_CLOSE:
    DestroyWindow(hwnd);
    return 0;
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  default:
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void DdeTestServer::PostData(HWND client, const std::string& text, WORD format, ATOM item) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 4 + text.size() + 1);
  auto* data = static_cast<unsigned char*>(GlobalLock(block));
  WORD flags = static_cast<WORD>(options_.dataFlags | 0x1000);
  data[0] = static_cast<unsigned char>(flags);
  data[1] = static_cast<unsigned char>(flags >> 8);
  data[2] = static_cast<unsigned char>(format);
  data[3] = static_cast<unsigned char>(format >> 8);
  std::memcpy(data + 4, text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  PostMessageA(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(window_),
               PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(block), item));
}

int DdeTestServer::Answer(const std::string& item, std::string& text, int& bitmap) {
  for (const std::string& name : options_.bitmapItems)
    if (name == item) {
      bitmap = 1;
      return 1;
    }
  auto fixed = options_.texts.find(item);
  if (fixed != options_.texts.end()) {
    text = fixed->second;
    return 1;
  }
  if (!options_.programManager)
    return 0;
  std::lock_guard<std::mutex> guard(lock_);
  if (item == "GROUPS") {
    for (const auto& group : groups_)
      text += group.first + "\r\n";
    return 1;
  }
  auto group = groups_.find(Lower(item));
  if (group == groups_.end())
    return 0;
  text = "\"" + item + "\",C:\\GROUP.GRP," + std::to_string(group->second.size()) + ",1\r\n";
  for (const std::string& line : group->second)
    text += line + "\r\n";
  return 1;
}

// Program Manager's commands, kept to what the client sends.
int DdeTestServer::Execute(const std::string& command) {
  std::lock_guard<std::mutex> guard(lock_);
  executes_.push_back(command);
  if (!options_.programManager)
    return 1;
  std::string name;
  std::vector<std::string> arguments = Arguments(command, name);
  if (name == "CreateGroup" || name == "ShowGroup") {
    currentGroup_ = Lower(arguments[0]);
    groups_[currentGroup_];
    return 1;
  }
  if (name == "DeleteGroup")
    return groups_.erase(Lower(arguments[0])) == 1;
  auto group = groups_.find(currentGroup_);
  if (group == groups_.end())
    return 0;
  if (name == "AddItem") {
    arguments.resize(10);
    // name, command line, working folder, icon path, x, y, icon index, hot key, minimized
    group->second.push_back(
        "\"" + arguments[1] + "\",\"" + arguments[0] + "\"," + arguments[6] + "," + arguments[2] + "," +
        (arguments[4].empty() ? "0" : arguments[4]) + "," + (arguments[5].empty() ? "0" : arguments[5]) +
        "," + (arguments[3].empty() ? "0" : arguments[3]) + "," +
        (arguments[7].empty() ? "0" : arguments[7]) + "," + (arguments[8].empty() ? "0" : arguments[8]));
    return 1;
  }
  if (name == "DeleteItem") {
    std::vector<std::string>& items = group->second;
    for (size_t i = 0; i < items.size(); ++i)
      if (_strnicmp(items[i].c_str() + 1, arguments[0].c_str(), arguments[0].size()) == 0 &&
          items[i][arguments[0].size() + 1] == '"') {
        items.erase(items.begin() + static_cast<long>(i));
        return 1;
      }
    return 0;
  }
  return 0;
}

void DdeTestServer::terminate() { SendMessageA(window_, WM_APP, 0, 0); }

std::vector<std::string> DdeTestServer::executes() const {
  std::lock_guard<std::mutex> guard(lock_);
  return executes_;
}

std::vector<WORD> DdeTestServer::dataAcks() const {
  std::lock_guard<std::mutex> guard(lock_);
  return dataAcks_;
}

int DdeTestServer::terminatesReceived() const {
  std::lock_guard<std::mutex> guard(lock_);
  return terminates_;
}

std::map<std::string, std::vector<std::string>> DdeTestServer::groups() const {
  std::lock_guard<std::mutex> guard(lock_);
  return groups_;
}

void DdeTestServer::addGroup(const std::string& name, const std::vector<std::string>& items) {
  std::lock_guard<std::mutex> guard(lock_);
  groups_[Lower(name)] = items;
}
